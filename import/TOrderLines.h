#pragma once

#include <string>

// Read access to the lines of an order, as the order text box delivers them: a line count and
// line i (from 0) in Windows-1250, without its line break.
class TOrderLines {
public:
    virtual ~TOrderLines() = default;
    virtual int Count() const = 0;
    virtual std::string Line(int index) const = 0;
};
