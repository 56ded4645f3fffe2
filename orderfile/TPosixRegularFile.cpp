#include "orderfile/TRegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

struct TRegularFile::THandle {
    ~THandle() { ::close(descriptor); }
    const int descriptor;
};

namespace {

TRegularFile::TKind KindOfMode(mode_t mode) {
    using TKind = TRegularFile::TKind;
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

} // namespace

// The name is looked at before it is opened, so that not even the open of a device happens; the
// open itself does not wait (a FIFO without a writer), and what it opened is looked at again,
// since the name may have been replaced meanwhile.
TRegularFile::TRegularFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::stat(name.constData(), &info) != 0)
        RefuseOpen(path, errno == ENOENT || errno == ENOTDIR);
    RefuseUnlessRegular(KindOfMode(info.st_mode));
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        RefuseOpen(path, false);
    handle_.reset(new THandle{descriptor});
    if (::fstat(descriptor, &info) != 0)
        RefuseRead();
    RefuseUnlessRegular(KindOfMode(info.st_mode));
    reportedSize_ = info.st_size;
}

TRegularFile::~TRegularFile() = default;

qint64 TRegularFile::ReadSome(char* buffer, qint64 size) {
    for (;;) {
        const ssize_t read = ::read(handle_->descriptor, buffer, static_cast<size_t>(size));
        if (read >= 0)
            return read;
        if (errno != EINTR)
            RefuseRead();
    }
}
