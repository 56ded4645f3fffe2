#pragma once

#include "import/TOrderLines.h"

#include <string>
#include <utility>
#include <vector>

// Order lines held in memory, for the tests, benchmarks and fuzzing that have the text at hand
// rather than in a text box.
class TVectorOrderLines : public TOrderLines {
public:
    TVectorOrderLines() = default;
    explicit TVectorOrderLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    int Count() const override { return static_cast<int>(lines_.size()); }
    // An index outside 0..Count() - 1 throws std::out_of_range, so a reader that strays is caught.
    std::string Line(int index) const override {
        return lines_.at(static_cast<std::size_t>(index));
    }

private:
    std::vector<std::string> lines_;
};
