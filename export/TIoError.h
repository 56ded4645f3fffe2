#pragma once

#include <stdexcept>
#include <string>

// The Windows system error codes that the export names: the one list of them, for the messages
// and for mapping POSIX conditions.
namespace windows_error {
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kTooManyOpenFiles = 4;
inline constexpr int kAccessDenied = 5;
inline constexpr int kWriteFault = 29;
inline constexpr int kSharingViolation = 32;
inline constexpr int kDiskFull = 112;
inline constexpr int kFileTooLarge = 223;
} // namespace windows_error

// A failed file operation of the export, with the message for a Windows system error code (POSIX
// conditions are mapped onto them), so that a user sees the same message on every system.
class TIoError : public std::runtime_error {
public:
    explicit TIoError(int code);
    // A condition that no code's message names truly.
    explicit TIoError(const std::string& message);
};
