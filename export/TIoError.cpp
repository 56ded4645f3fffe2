#include "export/TIoError.h"

#include <string>

namespace {

std::string MessageFor(int code) {
    using namespace windows_error;
    switch (code) {
    case kFileNotFound:
        return "File not found";
    case kPathNotFound:
        return "Invalid filename";
    case kTooManyOpenFiles:
        return "Too many open files";
    case kAccessDenied:
        return "File access denied";
    default:
        return "I/O error " + std::to_string(code);
    }
}

} // namespace

TIoError::TIoError(int code) : std::runtime_error(MessageFor(code)) {}

TIoError::TIoError(const std::string& message) : std::runtime_error(message) {}
