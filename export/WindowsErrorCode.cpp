#include "export/WindowsErrorCode.h"

#include "export/TIoError.h"

#include <cerrno>

int WindowsErrorCode(int posixError) {
    using namespace windows_error;
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
