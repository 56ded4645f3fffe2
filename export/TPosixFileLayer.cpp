#include "export/TFileLayer.h"
#include "export/TIoError.h"
#include "export/TemporaryFileName.h"
#include "export/WindowsErrorCode.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <iterator>
#include <memory>
#include <set>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kCreateAttempts = 16;
constexpr std::size_t kReadSize = std::size_t{1} << 20;
// Far longer than a new file stays unlocked, and than any export writes without a pause.
constexpr std::time_t kStaleSeconds = 10 * 60;

[[noreturn]] void FailWith(int posixError) {
    throw TIoError(WindowsErrorCode(posixError));
}

// The folder part of a name, with its closing '/'; empty for a name in the current folder.
std::string FolderOf(const std::string& name) {
    const auto slash = name.rfind('/');
    return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

void RequireFolder(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.empty() ? "." : folder.c_str(), &info) != 0)
        FailWith(errno);
    if (!S_ISDIR(info.st_mode))
        throw TIoError(windows_error::kPathNotFound);
}

std::string CanonicalName(const std::string& name) {
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(name.c_str(), nullptr),
                                                         &std::free);
    if (!resolved)
        FailWith(errno);
    return resolved.get();
}

// The rename has already replaced the target when this runs: a folder that cannot be synced
// leaves the new name less durable, but the export did succeed, so nothing is reported.
void SyncFolder(const std::string& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A temporary file that no export can still want: the program's own kind of file (regular,
// ours, with no other name), not the target, and untouched for long enough that it is no new
// file in the moment before its export locks it.
bool IsStale(const struct stat& file, const struct stat* target) {
    return S_ISREG(file.st_mode) && file.st_uid == ::geteuid() && file.st_nlink == 1 &&
           !(target != nullptr && target->st_dev == file.st_dev && target->st_ino == file.st_ino) &&
           file.st_mtime <= std::time(nullptr) - kStaleSeconds;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes the temporary files that exports killed part-way left in `folder`. A live export holds
// a lock on its file from its creation until it has replaced its target, so a stale file that
// can be locked has no writer left. Nothing is followed: a link or any other kind of entry that
// bears such a name stays.
void RemoveStaleTemporaries(const std::string& folder, const struct stat* target) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                                  &::closedir);
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) {
        struct stat named {};
        if (!IsTemporaryFileName(entry->d_name) ||
            ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) != 0 ||
            !IsStale(named, target))
            continue;
        const int fd =
            ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat opened {};
        struct stat still {};
        if (::fstat(fd, &opened) == 0 && SameFile(named, opened) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dirFd, entry->d_name, &still, AT_SYMLINK_NOFOLLOW) == 0 &&
            SameFile(still, opened))
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
}

// The temporary files of this process's failed exports that the folder did not let it remove;
// each export tries again. The program exports on one thread.
std::set<std::string>& Leftovers() {
    static std::set<std::string> names;
    return names;
}

void RetryLeftovers() {
    for (auto name = Leftovers().begin(); name != Leftovers().end();) {
        struct stat info {};
        const bool gone = ::lstat(name->c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
                          ::unlink(name->c_str()) == 0;
        name = gone ? Leftovers().erase(name) : std::next(name);
    }
}

// A temporary file that cannot be removed at least keeps none of the persons' data.
void Empty(const std::string& name) {
    const int fd = ::open(name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        (void)::ftruncate(fd, 0);
    ::close(fd);
}

// The group and the owner of the file replaced, where the saver may give them; otherwise the new
// file keeps the saver's own, as any new file does.
void KeepOwnership(int fd, const struct stat& existing) {
    if (::fchown(fd, existing.st_uid, existing.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
}

// Takes the lock that tells other exports the file is being written. It lasts until the last
// descriptor of the file is closed.
bool LockAsWritten(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

// False when another export's clean-up found the new file before it was locked and removed it.
bool StillNamed(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && info.st_nlink > 0;
}

// The file keeps its lock after Close, through a second descriptor, for as long as the object
// lives: its export renames it in the meantime, and no other export's clean-up may take it then.
class TPosixOpenFile final : public TOpenFile {
public:
    // An unnamed file gets `name` when it is closed.
    TPosixOpenFile(std::string name, int fd, bool unnamed)
        : TOpenFile(std::move(name)), fd_(fd), unnamed_(unnamed) {}
    ~TPosixOpenFile() override {
        if (fd_ >= 0)
            ::close(fd_);
        if (lock_ >= 0)
            ::close(lock_);
    }

    // False when the file could not be locked, or the lock not kept beyond Close.
    bool Claim() {
        if (!LockAsWritten(fd_))
            return false;
        lock_ = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
        return lock_ >= 0;
    }

    int Descriptor() const { return fd_; }

    void Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                FailWith(errno);
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
    }

    void Flush() override {
        if (::fsync(fd_) != 0)
            FailWith(errno);
    }

    void Close() override {
        if (unnamed_)
            GiveName();
        const int fd = std::exchange(fd_, -1);
        // An interrupted close has released the descriptor as well, and Flush has already put
        // the data on disk.
        if (::close(fd) != 0 && errno != EINTR)
            FailWith(errno);
    }

private:
    // Through /proc, since linking a descriptor itself (AT_EMPTY_PATH) needs a privilege.
    void GiveName() {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, Name().c_str(), AT_SYMLINK_FOLLOW) != 0)
            FailWith(errno);
        unnamed_ = false;
    }

    int fd_;
    int lock_ = -1;
    bool unnamed_;
};

// A file without a name in `folder`, where the system offers one: an export killed part-way
// then leaves nothing behind. Null where it does not; the named road reports what fails.
std::unique_ptr<TPosixOpenFile> CreateUnnamed(const std::string& folder) {
#ifdef O_TMPFILE
    if (::access("/proc/self/fd", X_OK) != 0)
        return nullptr;
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    auto file = std::make_unique<TPosixOpenFile>(TemporaryFileName(folder), fd, true);
    if (!file->Claim())
        return nullptr;
    return file;
#else
    (void)folder;
    return nullptr;
#endif
}

std::unique_ptr<TPosixOpenFile> CreateNamed(const std::string& folder) {
    for (int attempt = 1;; ++attempt) {
        std::string name = TemporaryFileName(folder);
        // 0666 lets the umask and the folder's default permissions decide, as for any new file.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            auto file = std::make_unique<TPosixOpenFile>(std::move(name), fd, false);
            if (file->Claim() && StillNamed(fd))
                return file;
        } else if (errno != EEXIST && errno != EINTR) {
            FailWith(errno);
        }
        if (attempt == kCreateAttempts)
            FailWith(errno);
    }
}

class TPosixFileLayer final : public TFileLayer {
public:
    // A write beyond the process's file-size limit would raise SIGXFSZ and end the program with
    // the rows unsaved; ignored, the write fails with EFBIG and the export reports it.
    TPosixFileLayer() { std::signal(SIGXFSZ, SIG_IGN); }

    std::string PrepareTarget(const std::string& fileName) override {
        if (fileName.empty())
            throw TIoError(windows_error::kPathNotFound);
        struct stat target {};
        if (::stat(fileName.c_str(), &target) != 0) {
            if (errno != ENOENT)
                FailWith(errno);
            RequireFolder(FolderOf(fileName));
            return fileName;
        }
        // Putting a file in the place of a folder, a device or a pipe would lose it.
        if (!S_ISREG(target.st_mode))
            throw TIoError(windows_error::kAccessDenied);
        // Root may write a file that has no write permission; the export refuses it all the same.
        if ((target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            throw TIoError(windows_error::kAccessDenied);
        if (::access(fileName.c_str(), W_OK) != 0)
            FailWith(errno);
        return CanonicalName(fileName);
    }

    std::unique_ptr<TOpenFile> CreateBeside(const std::string& target) override {
        struct stat existing {};
        const bool replacing = ::stat(target.c_str(), &existing) == 0;
        const std::string folder = FolderOf(target);
        RetryLeftovers();
        RemoveStaleTemporaries(folder, replacing ? &existing : nullptr);
        std::unique_ptr<TPosixOpenFile> file = CreateUnnamed(folder);
        if (!file)
            file = CreateNamed(folder);
        if (replacing)
            KeepOwnership(file->Descriptor(), existing);
        // After the owner: a change of owner clears the set-id bits.
        if (replacing && ::fchmod(file->Descriptor(), existing.st_mode & 07777) != 0) {
            const int error = errno;
            const std::string name = file->Name();
            file.reset();
            Remove(name);
            FailWith(error);
        }
        return file;
    }

    void Replace(const std::string& written, const std::string& target) override {
        if (::rename(written.c_str(), target.c_str()) != 0) {
            const int error = errno;
            struct stat info {};
            if (error == ENOENT && ::lstat(written.c_str(), &info) != 0 &&
                ::stat(FolderOf(target).empty() ? "." : FolderOf(target).c_str(), &info) == 0)
                throw TIoError("The save's temporary file was removed by another program; the "
                               "file keeps its former content");
            FailWith(error);
        }
        SyncFolder(FolderOf(target));
    }

    void Remove(const std::string& name) noexcept override {
        if (::unlink(name.c_str()) == 0 || errno == ENOENT)
            return;
        Empty(name);
        try {
            Leftovers().insert(name);
        } catch (...) {
            // Out of memory: the file stays, empty, for the clean-up of a later export.
        }
    }

    // The file was synced before it took its name, so its pages in the system's cache are clean
    // and may be dropped: the reading then asks the disk or the server again.
    void ReadBack(const std::string& name,
                  const std::function<void(std::string_view)>& take) override {
        const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            FailWith(errno);
        const std::unique_ptr<const int, void (*)(const int*)> closer(
            &fd, [](const int* open) { ::close(*open); });
        (void)::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        const auto buffer = std::make_unique<char[]>(kReadSize);
        for (;;) {
            const ssize_t read = ::read(fd, buffer.get(), kReadSize);
            if (read < 0 && errno == EINTR)
                continue;
            if (read < 0)
                FailWith(errno);
            if (read == 0)
                return;
            take(std::string_view(buffer.get(), static_cast<std::size_t>(read)));
        }
    }
};

} // namespace

std::unique_ptr<TFileLayer> MakePlatformFileLayer() {
    return std::make_unique<TPosixFileLayer>();
}
