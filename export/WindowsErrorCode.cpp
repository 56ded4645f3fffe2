#include "WindowsErrorCode.h"

#include <cerrno>

namespace {

// Windows system error codes.
constexpr int kPathNotFound = 3;
constexpr int kTooManyOpenFiles = 4;
constexpr int kAccessDenied = 5;
constexpr int kWriteFault = 29;
constexpr int kSharingViolation = 32;
constexpr int kDiskFull = 112;
constexpr int kFileTooLarge = 223;

} // namespace

int WindowsErrorCode(int posixError) {
    switch (posixError) {
    // Creating a file can only miss a folder on the way to it.
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
        return kPathNotFound;
    case EMFILE:
    case ENFILE:
        return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return kAccessDenied;
    case ETXTBSY:
    case EBUSY:
        return kSharingViolation;
    case ENOSPC:
    case EDQUOT:
        return kDiskFull;
    // Beyond the process's file-size limit.
    case EFBIG:
        return kFileTooLarge;
    // Its own number would read as "File access denied".
    case EIO:
        return kWriteFault;
    default:
        return posixError;
    }
}
