#ifndef _WIN32

#include "TFileLayer.h"
#include "TIoError.h"
#include "TemporaryFileName.h"
#include "WindowsErrorCode.h"

#include <cerrno>
#include <cstdlib>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;
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
        throw TIoError(kPathNotFound);
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

class TPosixOpenFile final : public TOpenFile {
public:
    TPosixOpenFile(std::string name, int fd) : TOpenFile(std::move(name)), fd_(fd) {}
    ~TPosixOpenFile() override {
        if (fd_ >= 0)
            ::close(fd_);
    }

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
        const int fd = std::exchange(fd_, -1);
        // An interrupted close has released the descriptor as well, and Flush has already put
        // the data on disk.
        if (::close(fd) != 0 && errno != EINTR)
            FailWith(errno);
    }

private:
    int fd_;
};

class TPosixFileLayer final : public TFileLayer {
public:
    std::string PrepareTarget(const std::string& fileName) override {
        if (fileName.empty())
            throw TIoError(kPathNotFound);
        struct stat target {};
        if (::stat(fileName.c_str(), &target) != 0) {
            if (errno != ENOENT)
                FailWith(errno);
            RequireFolder(FolderOf(fileName));
            return fileName;
        }
        // Putting a file in the place of a folder, a device or a pipe would lose it.
        if (!S_ISREG(target.st_mode))
            throw TIoError(kAccessDenied);
        // Root may write a file that has no write permission; the export refuses it all the same.
        if ((target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            throw TIoError(kAccessDenied);
        if (::access(fileName.c_str(), W_OK) != 0)
            FailWith(errno);
        return CanonicalName(fileName);
    }

    std::unique_ptr<TOpenFile> CreateBeside(const std::string& target) override {
        struct stat existing {};
        const bool replacing = ::stat(target.c_str(), &existing) == 0;
        const std::string folder = FolderOf(target);
        for (int attempt = 1;; ++attempt) {
            std::string name = TemporaryFileName(folder);
            // 0666 lets the umask and the folder's default permissions decide, as for any new file.
            const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                auto file = std::make_unique<TPosixOpenFile>(name, fd);
                if (replacing && ::fchmod(fd, existing.st_mode & 07777) != 0) {
                    const int error = errno;
                    file.reset();
                    Remove(name);
                    FailWith(error);
                }
                return file;
            }
            if (errno != EEXIST && errno != EINTR)
                FailWith(errno);
            if (attempt == kCreateAttempts)
                FailWith(errno);
        }
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
