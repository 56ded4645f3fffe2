#include "ExportTestFiles.h"
#include "FaultyFileLayer.h"
#include "FixedClock.h"
#include "TIoError.h"
#include "TPersonFileWriter.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const std::string kOldContent = "the file as it was\r\n";

struct TFailure {
    int code;
    std::string message;
    bool operator==(const TFailure&) const = default;
};

void PrintTo(const TFailure& failure, std::ostream* out) {
    *out << failure.code << " \"" << failure.message << "\"";
}

TFailure FailureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const TIoError& e) {
        return {e.Code(), e.what()};
    }
    return {0, "(no error)"};
}

TPersonTable TwoRows() {
    TPersonTable table;
    for (const char* surname : {"NOWAK", "KOWALSKI"}) {
        table.AppendRow();
        table.SetFieldText("nazwisko", surname);
        table.PostRow();
    }
    return table;
}

struct RefusedCase {
    const char* name;
    // Prepares the folder and returns the file name to export to.
    std::function<fs::path(const fs::path& folder)> prepare;
    TFailure failure;
};

// CTest shows a case by its name.
void PrintTo(const RefusedCase& c, std::ostream* out) {
    *out << c.name;
}

class RefusedTarget : public testing::TestWithParam<RefusedCase> {};

// These run the writer as the program does, on the real file system.
TEST_P(RefusedTarget, IsReportedAndLeavesTheFolderAsItWas) {
    const TempFolder folder;
    const fs::path target = GetParam().prepare(folder.Path());
    const auto listing = Listing(folder.Path());
    const std::string content = fs::is_regular_file(target) ? ReadBytes(target) : "";
    TPersonTable table = TwoRows();

    EXPECT_EQ(FailureOf([&] { TPersonFileWriter().Export(table, target.string()); }),
              GetParam().failure);
    EXPECT_EQ(Listing(folder.Path()), listing);
    if (fs::is_regular_file(target)) {
        EXPECT_EQ(ReadBytes(target), content);
    }
}

fs::path ExistingFile(const fs::path& folder) {
    WriteBytes(folder / "persons.os", kOldContent);
    return folder / "persons.os";
}

std::vector<RefusedCase> RefusedCases() {
    std::vector<RefusedCase> cases{
        {"MissingFolder",
         [](const fs::path& folder) { return folder / "absent" / "persons.os"; },
         {3, "Invalid filename"}},
        {"FileInPlaceOfAFolder",
         [](const fs::path& folder) { return ExistingFile(folder) / "persons.os"; },
         {3, "Invalid filename"}},
        // The permission bits refuse the file even to root, who may write it.
        {"ReadOnlyFileEvenForRoot",
         [](const fs::path& folder) {
             const fs::path target = ExistingFile(folder);
             fs::permissions(target, fs::perms::owner_read | fs::perms::group_read |
                                         fs::perms::others_read);
             return target;
         },
         {5, "File access denied"}},
        {"FolderGivenAsFileName",
         [](const fs::path& folder) {
             fs::create_directory(folder / "persons.os");
             return folder / "persons.os";
         },
         {5, "File access denied"}},
    };
#ifndef _WIN32
    cases.push_back({"PosixPipe",
                     [](const fs::path& folder) {
                         ::mkfifo((folder / "persons.os").c_str(), 0666);
                         return folder / "persons.os";
                     },
                     {5, "File access denied"}});
#endif
    return cases;
}

INSTANTIATE_TEST_SUITE_P(PersonFile, RefusedTarget, testing::ValuesIn(RefusedCases()));

struct FaultCase {
    const char* name;
    TFault fault;
    TFailure failure;
    bool targetExists;
};

// CTest shows a case by its name.
void PrintTo(const FaultCase& c, std::ostream* out) {
    *out << c.name;
}

class FailurePartWay : public testing::TestWithParam<FaultCase> {};

TEST_P(FailurePartWay, LeavesTheTargetAsItWasAndNoTemporaryFile) {
    const FaultCase& c = GetParam();
    const TempFolder folder;
    const fs::path target = folder / "persons.os";
    if (c.targetExists)
        WriteBytes(target, kOldContent);
    FixedClock clock({2026, 7, 5});
    FaultyFileLayer files(c.fault, c.failure.code);
    TPersonTable table = TwoRows();

    EXPECT_EQ(FailureOf([&] { TPersonFileWriter(clock, files).Export(table, target.string()); }),
              c.failure);
    if (c.targetExists) {
        EXPECT_EQ(Listing(folder.Path()), std::set<std::string>{"persons.os"});
        EXPECT_EQ(ReadBytes(target), kOldContent);
    } else {
        EXPECT_EQ(Listing(folder.Path()), std::set<std::string>{});
    }
}

INSTANTIATE_TEST_SUITE_P(
    PersonFile, FailurePartWay,
    testing::Values(
        FaultCase{"Create", TFault::Create, {4, "Too many open files"}, true},
        FaultCase{"WriteHalfway", TFault::WriteHalfway, {112, "I/O error 112"}, true},
        FaultCase{"WriteHalfwayToNewFile", TFault::WriteHalfway, {112, "I/O error 112"}, false},
        FaultCase{"Flush", TFault::Flush, {5, "File access denied"}, true},
        FaultCase{"Close", TFault::Close, {2, "File not found"}, true},
        FaultCase{"Replace", TFault::Replace, {32, "I/O error 32"}, true},
        FaultCase{"ReplaceNewFile", TFault::Replace, {32, "I/O error 32"}, false}));

#ifndef _WIN32

mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode;
}

TEST(PersonFile, PosixReplacedFileKeepsItsPermissions) {
    const TempFolder folder;
    const fs::path target = ExistingFile(folder.Path());
    ::chmod(target.c_str(), 0640);
    TPersonTable table = TwoRows();
    TPersonFileWriter().Export(table, target.string());
    EXPECT_NE(ReadBytes(target), kOldContent);
    EXPECT_EQ(ModeOf(target) & 07777, 0640u);
}

TEST(PersonFile, PosixNewFileGetsThePermissionsOfAnyNewFile) {
    const mode_t umaskNow = ::umask(022);
    const TempFolder folder;
    TPersonTable table = TwoRows();
    TPersonFileWriter().Export(table, (folder / "persons.os").string());
    ::umask(umaskNow);
    EXPECT_EQ(ModeOf(folder / "persons.os") & 07777, 0644u);
}

TEST(PersonFile, PosixLinkKeepsPointingAtTheReplacedFile) {
    const TempFolder folder;
    fs::create_directory(folder / "real");
    const fs::path file = ExistingFile(folder / "real");
    fs::create_symlink(file, folder / "link.os");
    TPersonTable table = TwoRows();
    TPersonFileWriter().Export(table, (folder / "link.os").string());
    EXPECT_TRUE(fs::is_symlink(folder / "link.os"));
    EXPECT_EQ(ClearLines(ReadBytes(file)).size(), 5u);
    EXPECT_EQ(Listing(folder / "real"), std::set<std::string>{"persons.os"});
}

#endif

} // namespace
