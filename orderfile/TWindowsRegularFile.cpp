#include "orderfile/TRegularFile.h"

#include <QDir>

#include <algorithm>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

struct TRegularFile::THandle {
    ~THandle() { CloseHandle(file); }
    const HANDLE file;
};

namespace {

// A pipe and a socket are both pipes to GetFileType.
TRegularFile::TKind KindOfHandle(HANDLE file) {
    using TKind = TRegularFile::TKind;
    switch (GetFileType(file)) {
    case FILE_TYPE_DISK:
        return TKind::Regular;
    case FILE_TYPE_CHAR:
        return TKind::Device;
    case FILE_TYPE_PIPE:
        return TKind::Pipe;
    default:
        return TKind::Other;
    }
}

} // namespace

// A folder opens only with backup semantics, which are not asked for: its attributes tell it.
TRegularFile::TRegularFile(const QString& path) {
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        RefuseUnlessRegular(TKind::Folder);
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        RefuseOpen(path, error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
    }
    handle_.reset(new THandle{file});
    RefuseUnlessRegular(KindOfHandle(file));
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size))
        reportedSize_ = size.QuadPart;
}

TRegularFile::~TRegularFile() = default;

qint64 TRegularFile::ReadSome(char* buffer, qint64 size) {
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<qint64>(size, qint64{1} << 30));
    if (!ReadFile(handle_->file, buffer, wanted, &read, nullptr))
        RefuseRead();
    return read;
}
