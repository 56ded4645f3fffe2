// The bytes of a person file, the same whichever system wrote it, and the forms of a file name
// that reach it.
#include "ExportTestSupport.h"
#include "export/OsKey.h"
#include "export/TPersonFileWriter.h"
#include "support/TempFolder.h"
#include "tests/support/FixedClock.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// Two rows in Windows-1250: ó \363, ż \277, Ł \243, ł \263, Ą \245, ś \234.
std::vector<TPersonRecord> Rows() {
    return {
        Row("00000000001", "NOWAK", "Jan", "M", "kpr.", "ZS00001-01-001", "dow\363dca dru\277yny"),
        Row("99123100002", "PRZYK\243ADOWA-\245BECKA", "Ma\263gorzata", "K", "st.szer.", "",
            "kierowca \234rodk\363w")};
}

// The whole file for Rows() exported on 5 July 2026, scrambled here with the key itself rather
// than through the export's code: a file layer that turned line ends into the system's own, or
// passed the text through a code page, would change these bytes.
std::string ExpectedFile() {
    const std::string days = "05.07.2026\t01.01.2999\t05.07.2026\tN\tN\tN\t0\t#\t";
    const std::vector<std::string> clearLines{
        "LO",
        "16",
        "PESEL\tAKT\tNIS\tSTANOWISKO\tSTE\tZP\tPLEC\tNAZWISKO\tIMIE\tDATANABYCIA\tDATAUTRATY\t"
        "DATADOPISANIA\tEXPORTZWSI\tRACHUNEK1CZYWALUTA\tRACHUNEK2CZYWALUTA\tPODATEKPROC\t",
        "00000000001\tT\tZS00001-01-001\tdow\363dca dru\277yny\tkpr.\tZ\tM\tNOWAK\tJan\t" + days,
        "99123100002\tT\t\tkierowca \234rodk\363w\tst.szer.\tZ\tK\tPRZYK\243ADOWA-\245BECKA\t"
        "Ma\263gorzata\t" +
            days,
    };
    std::string file;
    for (const std::string& line : clearLines) {
        for (const char c : line)
            file += static_cast<char>(static_cast<unsigned char>(c) ^ kOsKey);
        file += "\r\n";
    }
    return file;
}

void Export(const std::string& fileName) {
    TPersonTable table = TableOf(Rows());
    FixedClock clock({2026, 7, 5});
    const auto files = MakePlatformFileLayer();
    TPersonFileWriter(clock, *files).Export(table, fileName);
}

TEST(PersonFile, WholeFileHasTheSameBytesOnEverySystem) {
    const TempFolder folder;
    Export((folder / "persons.os").string());
    EXPECT_EQ(ReadBytes(folder / "persons.os"), ExpectedFile());
}

struct NameCase {
    const char* name;
    // The name given to the export, with the test's folder as the current folder.
    std::function<std::string(const fs::path& folder)> fileName;
};
void PrintTo(const NameCase& c, std::ostream* out) {
    *out << c.name;
}

// Runs in the test's folder, so that a name relative to the current folder lands in it.
class FileName : public testing::TestWithParam<NameCase> {
protected:
    void SetUp() override {
        fs::create_directory(folder_ / "sub");
        fs::current_path(folder_.Path());
    }
    void TearDown() override { fs::current_path(before_); }

    const fs::path before_ = fs::current_path();
    const TempFolder folder_;
};

// Exported twice: the first export creates the file, the second replaces it.
TEST_P(FileName, ReachesTheFileItNamesWhenCreatingAndReplacing) {
    const std::string name = GetParam().fileName(folder_.Path());
    for (const char* step : {"create", "replace"}) {
        SCOPED_TRACE(step);
        Export(name);
        EXPECT_EQ(ReadBytes(folder_ / "persons.os"), ExpectedFile());
        EXPECT_EQ(Listing(folder_.Path()), (std::set<std::string>{"persons.os", "sub"}));
        EXPECT_TRUE(fs::is_empty(folder_ / "sub"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    PersonFile, FileName,
    testing::Values(NameCase{"InTheCurrentFolder", [](const fs::path&) { return "persons.os"; }},
                    NameCase{"ThroughAFolderAndBack",
                             [](const fs::path&) { return "sub/../persons.os"; }},
                    NameCase{"FullWithForwardSlashes", [](const fs::path& folder) {
                                 return (folder / "persons.os").generic_string();
                             }}));

} // namespace
