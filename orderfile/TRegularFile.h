#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// An order's file, opened for reading only once it is known to be a regular file: a folder, a
// device, a named pipe or a socket is refused (a TOrderFileRefusal saying which) before anything
// could wait on it, so that no name the clerk gives can hold the window. The check is made on the
// name and again on what was opened, without blocking (POSIX: a non-blocking open and fstat;
// Windows: the file's attributes and GetFileType; TPosixRegularFile.cpp or TWindowsRegularFile.cpp,
// chosen by CMake).
class TRegularFile {
public:
    // What a name turned out to be; all but Regular are refused.
    enum class TKind { Regular, Folder, Device, Pipe, Socket, Other };

    explicit TRegularFile(const QString& path);
    ~TRegularFile();
    TRegularFile(const TRegularFile&) = delete;
    TRegularFile& operator=(const TRegularFile&) = delete;

    // The file's bytes, read to its end but no further than `maxBytes` and one byte more (so that
    // a caller tells a file over the bound), whatever size the file reports.
    QByteArray ReadUpTo(qint64 maxBytes);

private:
    // The system's open file, closed with it.
    struct THandle;

    static void RefuseUnlessRegular(TKind kind);
    // The system's answer to an open that found no file of the name (the name alone decides, so
    // a device's reserved name is never taken for a missing file), or any other failed open.
    [[noreturn]] static void RefuseOpen(const QString& path, bool notFound);
    [[noreturn]] static void RefuseRead();

    // Reads into `buffer`; 0 at the file's end; refuses on a failure.
    qint64 ReadSome(char* buffer, qint64 size);

    std::unique_ptr<THandle> handle_;
    // The size the file reported when opened, to read it in one allocation.
    qint64 reportedSize_ = 0;
};
