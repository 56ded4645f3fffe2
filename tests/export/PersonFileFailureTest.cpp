#include "ExportTestSupport.h"
#include "export/TPersonFileWriter.h"
#include "support/TempFolder.h"
#include "tests/support/FixedClock.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <utility>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace {

// The code a faulty layer throws, and the message the user reads; the message names the code.
using TFailure = std::pair<int, std::string>;

const std::string kOldContent = "the file as it was\r\n";

fs::path ExistingFile(const fs::path& folder) {
    std::ofstream(folder / "persons.os", std::ios::binary) << kOldContent;
    return folder / "persons.os";
}

struct FailureCase {
    const char* name;
    std::function<fs::path(const fs::path& folder)> target; // prepares the folder
    std::optional<TFault> fault; // none: the system's file layer as the program uses it
    TFailure failure;
};
void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

std::vector<FailureCase> FailureCases() {
    std::vector<FailureCase> cases{
        {"MissingFolder",
         [](const fs::path& f) { return f / "absent" / "persons.os"; },
         {},
         {3, "Invalid filename"}},
        // The permission bits refuse the file even to root, who may write it.
        {"ReadOnlyFileEvenForRoot",
         [](const fs::path& f) {
             fs::permissions(ExistingFile(f), fs::perms::all & ~fs::perms::owner_read,
                             fs::perm_options::remove);
             return f / "persons.os";
         },
         {},
         {5, "File access denied"}},
        {"FolderGivenAsFileName",
         [](const fs::path& f) {
             fs::create_directory(f / "persons.os");
             return f / "persons.os";
         },
         {},
         {5, "File access denied"}},
        {"WriteFailsHalfway", ExistingFile, TFault::WriteHalfway, {112, "I/O error 112"}},
        {"RenameFails", ExistingFile, TFault::Replace, {32, "I/O error 32"}},
    };
#ifndef _WIN32
    cases.push_back({"PosixPipeIsNotReplaced",
                     [](const fs::path& f) {
                         ::mkfifo((f / "persons.os").c_str(), 0666);
                         return f / "persons.os";
                     },
                     {},
                     {5, "File access denied"}});
#endif
    return cases;
}

class FailedExport : public testing::TestWithParam<FailureCase> {};

TEST_P(FailedExport, IsReportedAndLeavesTheFolderAsItWas) {
    const TempFolder folder;
    const fs::path target = GetParam().target(folder.Path());
    const auto listing = Listing(folder.Path());
    TPersonTable table = TableOf({Row("1", "NOWAK"), Row("2", "KOWALSKI")});
    FixedClock clock({2026, 7, 5});
    const auto export_ = [&] {
        if (!GetParam().fault)
            return TPersonFileWriter().Export(table, target.string());
        FaultyFileLayer files(*GetParam().fault, GetParam().failure.first);
        TPersonFileWriter(clock, files).Export(table, target.string());
    };

    std::string message = "(no error)";
    try {
        export_();
    } catch (const TIoError& e) {
        message = e.what();
    }
    EXPECT_EQ(message, GetParam().failure.second);
    EXPECT_EQ(Listing(folder.Path()), listing);
    if (fs::is_regular_file(target)) {
        EXPECT_EQ(ReadBytes(target), kOldContent);
    }
}

INSTANTIATE_TEST_SUITE_P(PersonFile, FailedExport, testing::ValuesIn(FailureCases()));

// A file that reads back other than written, by one byte changed, missing or added, is an error
// that names the file; one that reads back the same passes.
TEST(PersonFile, SavedFileIsReadBackAndCompared) {
    const struct {
        const char* name;
        std::function<void(std::string&)> reread;
        bool differs;
    } cases[] = {
        {"same", [](std::string&) {}, false},
        {"one byte changed", [](std::string& bytes) { bytes[bytes.size() / 2] ^= 1; }, true},
        {"last byte missing", [](std::string& bytes) { bytes.pop_back(); }, true},
        {"a byte more", [](std::string& bytes) { bytes += '\n'; }, true},
        {"nothing", [](std::string& bytes) { bytes.clear(); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder;
        const fs::path target = ExistingFile(folder.Path());
        TPersonTable table = TableOf({Row("1", "NOWAK"), Row("2", "KOWALSKI")});
        FixedClock clock({2026, 7, 5});
        FaultyFileLayer files(c.reread);
        std::string message = "(no error)";
        try {
            TPersonFileWriter(clock, files).Export(table, target.string());
        } catch (const TIoError& e) {
            message = e.what();
        }
        const std::string expected =
            c.differs ? "Osoby pozostaj\xB9 w oknie, ale plik " + fs::canonical(target).string() +
                            " nie jest ich wiern\xB9 kopi\xB9: odczyt kontrolny r\xF3\xBFni "
                            "si\xEA od zapisanych danych; zapisz ponownie"
                      : "(no error)";
        EXPECT_EQ(message, expected);
        EXPECT_EQ(Listing(folder.Path()), std::set<std::string>{"persons.os"});
    }
}

#ifndef _WIN32

mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// A replaced file keeps its mode and a link keeps pointing at the file it named; a new file gets
// the mode that the umask gives any new file.
TEST(PersonFile, PosixReplacementKeepsModesAndLinks) {
    const TempFolder folder;
    fs::create_directory(folder / "real");
    const fs::path existing = ExistingFile(folder / "real");
    ::chmod(existing.c_str(), 0600);
    fs::create_symlink(existing, folder / "link.os");
    const mode_t umaskBefore = ::umask(022);
    TPersonTable table = TableOf({Row("1", "NOWAK")});
    TPersonFileWriter().Export(table, (folder / "link.os").string());
    TPersonFileWriter().Export(table, (folder / "new.os").string());
    ::umask(umaskBefore);

    EXPECT_TRUE(fs::is_symlink(folder / "link.os"));
    EXPECT_EQ(ClearLines(ReadBytes(existing)).size(), 4u);
    EXPECT_EQ(Listing(folder / "real"), std::set<std::string>{"persons.os"});
    EXPECT_EQ(ModeOf(existing), 0600u);
    EXPECT_EQ(ModeOf(folder / "new.os"), 0644u);
}

#endif

} // namespace
