#ifndef _WIN32

#include "TFileLayer.h"
#include "TIoError.h"
#include "TemporaryFileName.h"
#include "WindowsErrorCode.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kCreateAttempts = 16;

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

// Removes the temporary files that exports killed part-way left in `folder`. A live export holds
// a lock on its file, so one that can be locked has no writer left.
void RemoveStaleTemporaries(const std::string& folder) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                                  &::closedir);
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (!IsTemporaryFileName(entry->d_name))
            continue;
        const int fd = ::openat(::dirfd(dir.get()), entry->d_name,
                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
        ::close(fd);
    }
}

// Takes the lock that tells other exports the file is being written.
bool LockAsWritten(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

// False when another export's clean-up found the new file before it was locked and removed it.
bool StillNamed(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && info.st_nlink > 0;
}

class TPosixOpenFile final : public TOpenFile {
public:
    // An unnamed file gets `name` when it is closed.
    TPosixOpenFile(std::string name, int fd, bool unnamed)
        : TOpenFile(std::move(name)), fd_(fd), unnamed_(unnamed) {}
    ~TPosixOpenFile() override {
        if (fd_ >= 0)
            ::close(fd_);
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
    if (!LockAsWritten(fd))
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
            if (LockAsWritten(fd) && StillNamed(fd))
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
        RemoveStaleTemporaries(folder);
        std::unique_ptr<TPosixOpenFile> file = CreateUnnamed(folder);
        if (!file)
            file = CreateNamed(folder);
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
        if (::rename(written.c_str(), target.c_str()) != 0)
            FailWith(errno);
        SyncFolder(FolderOf(target));
    }

    void Remove(const std::string& name) noexcept override { ::unlink(name.c_str()); }
};

} // namespace

std::unique_ptr<TFileLayer> MakePlatformFileLayer() {
    return std::make_unique<TPosixFileLayer>();
}

#endif
