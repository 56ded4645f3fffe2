#include "ExportTestSupport.h"
#include "export/TPersonFileWriter.h"
#include "export/TSystemClock.h"
#include "export/TemporaryFileName.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const std::string kOldContent = "the file as it was\r\n";

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A file untouched for an hour, as one that a killed export left.
void MakeOld(const fs::path& path) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
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
    for (const std::string& name : {stale, live})
        MakeOld(folder / name);
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

// Only the program's own stale files go: not a new one (that an export may be about to lock),
// nor a pipe or a link of such a name, nor the target itself, even when the export then fails.
TEST(TemporaryFile, CleanUpTakesOnlyItsOwnStaleFiles) {
    const TempFolder folder;
    const auto temporary = [&](char digit) {
        return folder / (".nolt_f_r-000000000000000" + std::string(1, digit) + ".tmp");
    };
    for (const char digit : {'1', '2', '3'})
        WriteFile(temporary(digit), kOldContent);
    ASSERT_EQ(::mkfifo(temporary('4').c_str(), 0600), 0);
    fs::create_symlink(temporary('1'), temporary('5'));
    for (const char digit : {'1', '2', '4'})
        MakeOld(temporary(digit));

    TPersonTable table = TableOf({Row("1", "NOWAK")});
    FaultyFileLayer files(TFault::Replace, 5);
    TSystemClock clock;
    EXPECT_THROW(TPersonFileWriter(clock, files).Export(table, temporary('2').string()), TIoError);
    EXPECT_EQ(Listing(folder.Path()).size(), 4u) << "only the stale file 1 goes";
    EXPECT_EQ(ReadBytes(temporary('2')), kOldContent);
}

// A save whose temporary file another program removed says so, rather than blame the name.
TEST(TemporaryFile, SaveWhoseTemporaryFileWentSaysSo) {
    const TempFolder folder;
    const auto files = MakePlatformFileLayer();
    const auto file = files->CreateBeside((folder / "persons.os").string());
    file->Close();
    fs::remove(file->Name());
    EXPECT_THAT([&] { files->Replace(file->Name(), (folder / "persons.os").string()); },
                testing::ThrowsMessage<TIoError>(testing::HasSubstr("removed by another program")));
}

// Several programs saving into one folder at once, over and over: every save keeps its temporary
// file to itself until it has replaced the file, so none fails.
TEST(TemporaryFile, ProgramsSavingIntoOneFolderNeverFail) {
    constexpr int kSavesEach = 700;
    for (const int programs : {2, 3}) {
        const TempFolder folder;
        std::vector<pid_t> children(static_cast<std::size_t>(programs));
        for (pid_t& child : children)
            if ((child = ::fork()) == 0) {
                TPersonTable table = TableOf({Row("1", "NOWAK")});
                int failures = 0;
                for (int save = 0; save < kSavesEach; ++save)
                    try {
                        TPersonFileWriter().Export(table, (folder / "persons.os").string());
                    } catch (const TIoError&) {
                        ++failures;
                    }
                ::_exit(std::min(failures, 100));
            }
        for (const pid_t child : children) {
            int status = -1;
            ::waitpid(child, &status, 0);
            EXPECT_EQ(status, 0) << "failed saves of one of " << programs << " programs, each "
                                 << kSavesEach << " saves, in the exit status";
        }
        EXPECT_EQ(Listing(folder.Path()), std::set<std::string>{"persons.os"});
    }
}

// Replacing a file in a folder a group shares keeps the file's group and mode, so that the
// group's other members may save over it again.
TEST(TemporaryFile, ReplacedFileKeepsItsGroupAndMode) {
    const TempFolder folder;
    const fs::path target = folder / "persons.os";
    WriteFile(target, kOldContent);
    gid_t groups[64];
    const int count = ::getgroups(64, groups);
    const auto other = std::find_if(groups, groups + std::max(count, 0),
                                    [](gid_t group) { return group != ::getegid(); });
    const gid_t group = ::geteuid() == 0 ? ::getegid() + 1 : *other;
    if ((::geteuid() != 0 && other == groups + std::max(count, 0)) ||
        ::chown(target.c_str(), static_cast<uid_t>(-1), group) != 0)
        GTEST_SKIP() << "the test user may give a file no group but its own";
    ASSERT_EQ(::chmod(target.c_str(), 0664), 0);

    TPersonTable table = TableOf({Row("1", "NOWAK")});
    TPersonFileWriter().Export(table, target.string());
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(info.st_mode & 07777, 0664u);
}

#endif

} // namespace
