#pragma once

#include <stdexcept>

// A failed file operation of the export. The code is a Windows system error code (POSIX
// conditions are mapped onto them), so that a user sees the same message on every system.
class TIoError : public std::runtime_error {
public:
    explicit TIoError(int code);

    int Code() const { return code_; }

private:
    int code_;
};
