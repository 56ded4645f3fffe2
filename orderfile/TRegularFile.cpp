#include "orderfile/TRegularFile.h"

#include "orderfile/TOrderFileMissing.h"
#include "orderfile/TOrderFileRefusal.h"

#include <algorithm>

#ifdef _WIN32
#include <QDir>
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

[[noreturn]] void RefuseOpen() {
    throw TOrderFileRefusal(QStringLiteral("nie można go otworzyć"));
}

// The system's answer to an open that found no file of the name (the name alone decides, so a
// device's reserved name is never taken for a missing file).
[[noreturn]] void RefuseOpen(const QString& path, bool notFound) {
    if (notFound)
        throw TOrderFileMissing(path);
    RefuseOpen();
}

[[noreturn]] void RefuseRead() {
    throw TOrderFileRefusal(QStringLiteral("nie można go odczytać"));
}

enum class TKind { Regular, Folder, Device, Pipe, Socket, Other };

void RefuseUnlessRegular(TKind kind) {
    switch (kind) {
    case TKind::Regular:
        return;
    case TKind::Folder:
        throw TOrderFileRefusal(QStringLiteral("to jest folder, a nie plik"));
    case TKind::Device:
        throw TOrderFileRefusal(QStringLiteral("to jest urządzenie, a nie zwykły plik"));
    case TKind::Pipe:
        throw TOrderFileRefusal(QStringLiteral("to jest potok nazwany, a nie zwykły plik"));
    case TKind::Socket:
        throw TOrderFileRefusal(QStringLiteral("to jest gniazdo, a nie zwykły plik"));
    case TKind::Other:
        break;
    }
    throw TOrderFileRefusal(QStringLiteral("to nie jest zwykły plik"));
}

#ifdef _WIN32

// A pipe and a socket are both pipes to GetFileType.
TKind KindOfHandle(HANDLE file) {
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

#else

TKind KindOfMode(mode_t mode) {
    if (S_ISREG(mode))
        return TKind::Regular;
    if (S_ISDIR(mode))
        return TKind::Folder;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return TKind::Device;
    if (S_ISFIFO(mode))
        return TKind::Pipe;
    if (S_ISSOCK(mode))
        return TKind::Socket;
    return TKind::Other;
}

#endif

} // namespace

#ifdef _WIN32

// A folder opens only with backup semantics, which are not asked for: its attributes tell it.
TRegularFile::TRegularFile(const QString& path) {
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        RefuseUnlessRegular(TKind::Folder);
    handle_ = CreateFileW(name.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        RefuseOpen(path, error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
    }
    try {
        RefuseUnlessRegular(KindOfHandle(handle_));
    } catch (...) {
        CloseHandle(handle_);
        throw;
    }
    LARGE_INTEGER size;
    if (GetFileSizeEx(handle_, &size))
        reportedSize_ = size.QuadPart;
}

TRegularFile::~TRegularFile() {
    CloseHandle(handle_);
}

qint64 TRegularFile::ReadSome(char* buffer, qint64 size) {
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<qint64>(size, qint64{1} << 30));
    if (!ReadFile(handle_, buffer, wanted, &read, nullptr))
        RefuseRead();
    return read;
}

#else

// The name is looked at before it is opened, so that not even the open of a device happens; the
// open itself does not wait (a FIFO without a writer), and what it opened is looked at again,
// since the name may have been replaced meanwhile.
TRegularFile::TRegularFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::stat(name.constData(), &info) != 0)
        RefuseOpen(path, errno == ENOENT || errno == ENOTDIR);
    RefuseUnlessRegular(KindOfMode(info.st_mode));
    descriptor_ = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor_ < 0)
        RefuseOpen();
    try {
        if (::fstat(descriptor_, &info) != 0)
            RefuseRead();
        RefuseUnlessRegular(KindOfMode(info.st_mode));
    } catch (...) {
        ::close(descriptor_);
        throw;
    }
    reportedSize_ = info.st_size;
}

TRegularFile::~TRegularFile() {
    ::close(descriptor_);
}

qint64 TRegularFile::ReadSome(char* buffer, qint64 size) {
    for (;;) {
        const ssize_t read = ::read(descriptor_, buffer, static_cast<size_t>(size));
        if (read >= 0)
            return read;
        if (errno != EINTR)
            RefuseRead();
    }
}

#endif

// Files that report no size (those of /proc) are read to their end all the same.
QByteArray TRegularFile::ReadUpTo(qint64 maxBytes) {
    constexpr qint64 Chunk = qint64{1} << 20;
    QByteArray contents;
    contents.reserve(std::clamp<qint64>(reportedSize_, 0, maxBytes) + 1);
    while (contents.size() <= maxBytes) {
        const qsizetype at = contents.size();
        contents.resize(at + std::min(Chunk, maxBytes + 1 - at));
        const qint64 read = ReadSome(contents.data() + at, contents.size() - at);
        contents.resize(at + read);
        if (read == 0)
            break;
    }
    return contents;
}
