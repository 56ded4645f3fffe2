#include "ExportTestSupport.h"
#include "TPersonFileWriter.h"
#include "TempFolder.h"
#include "TemporaryFileName.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const std::string kOldContent = "the file as it was\r\n";

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Holds a temporary file as a live export holds its own: locked, or on Windows open without
// leave to remove it.
class TLiveFile {
public:
    explicit TLiveFile(const fs::path& path) {
#ifdef _WIN32
        handle_ =
            CreateFileA(path.string().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(handle_, INVALID_HANDLE_VALUE);
#else
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        EXPECT_EQ(::flock(fd_, LOCK_EX), 0);
#endif
    }
    ~TLiveFile() {
#ifdef _WIN32
        CloseHandle(handle_);
#else
        ::close(fd_);
#endif
    }
    TLiveFile(const TLiveFile&) = delete;
    TLiveFile& operator=(const TLiveFile&) = delete;

private:
#ifdef _WIN32
    HANDLE handle_;
#else
    int fd_;
#endif
};

#ifndef _WIN32

// Until it is closed the file being written has no name in the folder, so an export killed
// part-way leaves nothing there.
TEST(TemporaryFile, HasNoNameUntilClosed) {
    const TempFolder folder;
    const auto files = MakePlatformFileLayer();
    const auto file = files->CreateBeside((folder / "persons.os").string());
    file->Write("LO\r\n");
    file->Flush();
    if (!Listing(folder.Path()).empty())
        GTEST_SKIP() << "the file system offers no unnamed files; the clean-up test covers it";
    file->Close();
    EXPECT_EQ(Listing(folder.Path()),
              std::set<std::string>{fs::path(file->Name()).filename().string()});
}

#endif

// Temporary files of killed exports go; one that a live export holds locked stays, and so do
// names that only look alike.
TEST(TemporaryFile, ExportRemovesStaleTemporariesOnly) {
    const TempFolder folder;
    const std::string stale = ".nolt_f_r-0123456789abcdef.tmp";
    const std::string live = ".nolt_f_r-fedcba9876543210.tmp";
    const std::set<std::string> alike = {".nolt_f_r-0123456789abcdeX.tmp", ".nolt_f_r-1.tmp",
                                         "nolt_f_r-0123456789abcdef.tmp"};
    for (const std::string& name : alike)
        WriteFile(folder / name, "x");
    WriteFile(folder / stale, "x");
    WriteFile(folder / live, "x");
    {
        const TLiveFile liveExport(folder / live);
        TPersonTable table = TableOf({Row("1", "NOWAK")});
        TPersonFileWriter().Export(table, (folder / "persons.os").string());
    }

    std::set<std::string> expected = alike;
    expected.insert({live, "persons.os"});
    EXPECT_EQ(Listing(folder.Path()), expected);
    EXPECT_TRUE(IsTemporaryFileName(stale));
    for (const std::string& name : alike)
        EXPECT_FALSE(IsTemporaryFileName(name)) << name;
}

#ifndef _WIN32

// A file-size limit fails the write with the I/O error of the code for a file too large,
// rather than ending the program; the target keeps its old content.
TEST(TemporaryFile, FileSizeLimitIsAnIoErrorAndKeepsTheTarget) {
    const TempFolder folder;
    const fs::path target = folder / "persons.os";
    WriteFile(target, kOldContent);
    TPersonTable table = TableOf(std::vector<TPersonRecord>(50, Row("1", "NOWAK")));

    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    rlimit limited = before;
    limited.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    std::string failure = "(no error)";
    try {
        TPersonFileWriter().Export(table, target.string());
    } catch (const TIoError& e) {
        failure = e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &before);

    EXPECT_EQ(failure, "I/O error 223");
    EXPECT_EQ(Listing(folder.Path()), std::set<std::string>{"persons.os"});
    EXPECT_EQ(ReadBytes(target), kOldContent);
}

#endif

} // namespace
