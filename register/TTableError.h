#pragma once

#include <stdexcept>
#include <string>

// A refused table operation; what() is the message the user sees.
class TTableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
