#include "ExportTestSupport.h"
#include "export/OsKey.h"
#include "export/TPersonFileWriter.h"
#include "support/TempFolder.h"
#include "tests/support/FixedClock.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::string kHeader =
    "PESEL\tAKT\tNIS\tSTANOWISKO\tSTE\tZP\tPLEC\tNAZWISKO\tIMIE\tDATANABYCIA\t"
    "DATAUTRATY\tDATADOPISANIA\tEXPORTZWSI\tRACHUNEK1CZYWALUTA\t"
    "RACHUNEK2CZYWALUTA\tPODATEKPROC\t";
const std::string kDaysAndTail = "15.03.2026\t01.01.2999\t15.03.2026\tN\tN\tN\t0\t#\t";

std::string ExportedBytes(TPersonTable& table, TClock& clock) {
    const TempFolder folder;
    const auto files = MakePlatformFileLayer();
    TPersonFileWriter(clock, *files).Export(table, (folder / "persons.os").string());
    return ReadBytes(folder / "persons.os");
}

// Exported on 15 March 2026.
std::string ExportedBytes(const std::vector<TPersonRecord>& rows) {
    TPersonTable table = TableOf(rows);
    FixedClock clock({2026, 3, 15});
    return ExportedBytes(table, clock);
}

std::vector<std::string> Entries(const std::string& line) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        entries.push_back(line.substr(start, tab - start));
    if (start < line.size())
        entries.push_back("(no tab) " + line.substr(start));
    return entries;
}

struct RecordCase {
    const char* name;
    TPersonRecord row;
    std::string line;
    std::size_t length;
};
void PrintTo(const RecordCase& c, std::ostream* out) {
    *out << c.name;
}

class RecordLine : public testing::TestWithParam<RecordCase> {};

TEST_P(RecordLine, FollowsTheHeaderLinesWithItsSeventeenEntries) {
    const RecordCase& c = GetParam();
    const std::vector<std::string> lines = ClearLines(ExportedBytes({c.row}));
    EXPECT_EQ(lines, (std::vector<std::string>{"LO", "16", kHeader, c.line}));
    EXPECT_EQ(lines.back().size(), c.length);
    EXPECT_EQ(Entries(lines.back()).size(), 17u);
}

INSTANTIATE_TEST_SUITE_P(
    PersonFile, RecordLine,
    testing::Values(
        RecordCase{
            "ExampleRow",
            Row("00000000001", "NOWAK", "Jan", "M", "kpr.", "ZS00001-01-001",
                "dow\363dca dru\277yny"),
            "00000000001\tT\tZS00001-01-001\tdow\363dca dru\277yny\tkpr.\tZ\tM\tNOWAK\tJan\t" +
                kDaysAndTail,
            107},
        RecordCase{"EmptyFields", Row("", ""), "\tT\t\t\t\tZ\t\t\t\t" + kDaysAndTail, 54},
        RecordCase{"FullWidths",
                   Row(std::string(11, '1'), std::string(50, 'N'), std::string(50, 'I'), "K",
                       std::string(50, 'S'), std::string(20, 'Z'), std::string(100, 'X')),
                   std::string(11, '1') + "\tT\t" + std::string(20, 'Z') + "\t" +
                       std::string(100, 'X') + "\t" + std::string(50, 'S') + "\tZ\tK\t" +
                       std::string(50, 'N') + "\t" + std::string(50, 'I') + "\t" + kDaysAndTail,
                   336},
        // A tab or line end inside a value would shift the columns or cut the line.
        RecordCase{"ControlCharactersBecomeSpaces",
                   Row("1\t2", "NO\tWAK", "\x01Jan\x1F", "\n", "kpr.\r\n", "ZS\x7F", "a\tb"),
                   "1 2\tT\tZS\x7F\ta b\tkpr.  \tZ\t \tNO WAK\t Jan \t" + kDaysAndTail, 81}));

// Checked against the key byte itself, not through ClearLine, which reads the files back.
TEST(PersonFile, TableWithoutRowsGivesTheThreeHeaderLinesScrambled) {
    std::string expected;
    for (std::string line : {std::string("LO"), std::string("16"), kHeader}) {
        for (char& c : line)
            c = static_cast<char>(static_cast<unsigned char>(c) ^ kOsKey);
        expected += line + "\r\n";
    }
    EXPECT_EQ(ExportedBytes({}), expected);
    EXPECT_EQ(expected.size(), 159u);
    EXPECT_EQ(kHeader.size(), 149u);
}

TEST(PersonFile, NoLineEndInsideALineWhateverTheRowsHold) {
    const auto inLine = [](int clear) { return clear == '\t' || clear >= 0x20; };
    if (inLine('\r' ^ kOsKey) || inLine('\n' ^ kOsKey))
        GTEST_SKIP() << "the configured key scrambles a text byte into a line end";
    std::string all; // every byte from 1 to 255 (a field ends at a NUL)
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string bytes = ExportedBytes(
        {Row(all.substr(0, 11), all.substr(11, 50), all.substr(61, 50), all.substr(111, 1),
             all.substr(112, 50), all.substr(162, 20), all.substr(182))});
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 4);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 4);
    EXPECT_EQ(Entries(ClearLines(bytes).at(3)).size(), 17u);
}

// Column 10 is read from the clock before column 12, line after line.
TEST(PersonFile, DayColumnsFollowTheClock) {
    using Days = std::vector<std::vector<std::string>>; // columns 10 to 12 of each record line
    struct Case {
        const char* name;
        FixedClock clock;
        Days days;
    };
    Case cases[] = {
        {"5 July 2026",
         FixedClock({2026, 7, 5}),
         {{"05.07.2026", "01.01.2999", "05.07.2026"}, {"05.07.2026", "01.01.2999", "05.07.2026"}}},
        {"across midnight",
         FixedClock({2026, 12, 31}, {{2027, 1, 1}}),
         {{"31.12.2026", "01.01.2999", "01.01.2027"}, {"01.01.2027", "01.01.2999", "01.01.2027"}}},
        {"year before 1900",
         FixedClock({1899, 12, 31}),
         {{"00.00.0000", "01.01.2999", "00.00.0000"}, {"00.00.0000", "01.01.2999", "00.00.0000"}}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        TPersonTable table = TableOf({Row("1", "A"), Row("2", "B")});
        const std::vector<std::string> lines = ClearLines(ExportedBytes(table, c.clock));
        Days days;
        for (std::size_t i = 3; i < lines.size(); ++i) {
            const std::vector<std::string> entries = Entries(lines[i]);
            days.emplace_back(entries.begin() + 9, entries.begin() + 12);
        }
        EXPECT_EQ(days, c.days);
    }
}

TEST(PersonFile, RepeatedExportsGiveTheSameFileAndLeaveTheLastRowCurrent) {
    const TempFolder folder;
    const std::string name = (folder / "persons.os").string();
    const auto files = MakePlatformFileLayer();
    FixedClock clock({2026, 3, 15});
    TPersonTable table = TableOf({Row("1", "A\tB"), Row("2", "C"), Row("3", "D")});
    const std::vector<TPersonRecord> rows{table.RowAt(1), table.RowAt(2), table.RowAt(3)};

    TPersonFileWriter(clock, *files).Export(table, name);
    const std::string first = ReadBytes(name);
    EXPECT_EQ(table.RowNumber(), 3);
    EXPECT_TRUE(table.AtEnd());
    EXPECT_EQ((std::vector<TPersonRecord>{table.RowAt(1), table.RowAt(2), table.RowAt(3)}), rows);
    TPersonFileWriter(clock, *files).Export(table, name);
    EXPECT_EQ(ReadBytes(name), first);

    TPersonTable shorter = TableOf({Row("2", "C")});
    TPersonFileWriter(clock, *files).Export(shorter, name);
    EXPECT_EQ(ReadBytes(name), ExportedBytes({Row("2", "C")}))
        << "nothing of the longer file stays";
    EXPECT_EQ(Listing(folder.Path()), std::set<std::string>{"persons.os"});
}

} // namespace
