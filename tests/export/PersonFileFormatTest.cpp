#include "ExportTestFiles.h"
#include "FixedClock.h"
#include "OsKey.h"
#include "TPersonFileWriter.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::string kHeader =
    "PESEL\tAKT\tNIS\tSTANOWISKO\tSTE\tZP\tPLEC\tNAZWISKO\tIMIE\tDATANABYCIA\t"
    "DATAUTRATY\tDATADOPISANIA\tEXPORTZWSI\tRACHUNEK1CZYWALUTA\t"
    "RACHUNEK2CZYWALUTA\tPODATEKPROC\t";

constexpr TDate k15March2026{2026, 3, 15};

TPersonRecord Row(std::string pesel, std::string nazwisko, std::string imie, std::string plec,
                  std::string ste, std::string nis, std::string stanowisko) {
    return {0, pesel, nazwisko, imie, plec, ste, nis, stanowisko};
}

// Exports `table` on the clock's days through the system's file layer; returns the file's bytes.
std::string ExportedBytes(TPersonTable& table, TClock& clock) {
    const TempFolder folder;
    const auto files = MakePlatformFileLayer();
    TPersonFileWriter(clock, *files).Export(table, (folder / "persons.os").string());
    return ReadBytes(folder / "persons.os");
}

std::string ExportedBytes(const std::vector<TPersonRecord>& rows, TDate day = k15March2026) {
    TPersonTable table = TableOf(rows);
    FixedClock clock(day);
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

// CTest shows a case by its name.
void PrintTo(const RecordCase& c, std::ostream* out) {
    *out << c.name;
}

class RecordLine : public testing::TestWithParam<RecordCase> {};

TEST_P(RecordLine, IsWrittenAfterTheHeaderLines) {
    const RecordCase& c = GetParam();
    const std::vector<std::string> expected{"LO", "16", kHeader, c.line};
    const std::vector<std::string> lines = ClearLines(ExportedBytes({c.row}));
    EXPECT_EQ(lines, expected);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3].size(), c.length);
    EXPECT_EQ(Entries(lines[3]).size(), 17u);
}

const std::string kDays = "15.03.2026\t01.01.2999\t15.03.2026\tN\tN\tN\t0\t#\t";

INSTANTIATE_TEST_SUITE_P(
    PersonFile, RecordLine,
    testing::Values(
        RecordCase{"ExampleRow",
                   Row("00000000001", "NOWAK", "Jan", "M", "kpr.", "ZS00001-01-001",
                       "dow\xF3"
                       "dca dru\xBFyny"),
                   "00000000001\tT\tZS00001-01-001\tdow\xF3"
                   "dca dru\xBFyny\tkpr.\tZ\tM\tNOWAK\tJan\t" +
                       kDays,
                   107},
        RecordCase{"EmptyFields", Row("", "", "", "", "", "", ""), "\tT\t\t\t\tZ\t\t\t\t" + kDays,
                   54},
        RecordCase{"FullWidths",
                   Row(std::string(11, '1'), std::string(50, 'N'), std::string(50, 'I'), "K",
                       std::string(50, 'S'), std::string(20, 'Z'), std::string(100, 'X')),
                   std::string(11, '1') + "\tT\t" + std::string(20, 'Z') + "\t" +
                       std::string(100, 'X') + "\t" + std::string(50, 'S') + "\tZ\tK\t" +
                       std::string(50, 'N') + "\t" + std::string(50, 'I') + "\t" + kDays,
                   336},
        RecordCase{"ControlCharactersBecomeSpaces",
                   Row("1\t2", "NO\tWAK", "\x01Jan\x1F", "\n", "kpr.\r\n", "ZS\x7F", "a\tb\tc"),
                   "1 2\tT\tZS\x7F\ta b c\tkpr.  \tZ\t \tNO WAK\t Jan \t" + kDays, 83}));

TEST(PersonFile, TableWithoutRowsGivesTheThreeHeaderLines) {
    const std::string bytes = ExportedBytes({});
    EXPECT_EQ(bytes.size(), 159u);
    EXPECT_EQ(ClearLines(bytes), (std::vector<std::string>{"LO", "16", kHeader}));
    EXPECT_EQ(kHeader.size(), 149u);
}

// Checked against the key byte directly, not through ScrambleLine, which the other cases use to
// read files back.
TEST(PersonFile, EveryLineIsScrambledWithTheKeyAndEndedClear) {
    const TPersonRecord row = Row("00000000001", "NOWAK", "Jan", "M", "kpr.", "ZS1",
                                  "dow\xF3"
                                  "dca");
    std::string expected;
    for (std::string line : ClearLines(ExportedBytes({row}))) {
        for (char& c : line)
            c = static_cast<char>(static_cast<unsigned char>(c) ^ kOsKey);
        expected += line + "\r\n";
    }
    EXPECT_EQ(ExportedBytes({row}), expected);
    EXPECT_EQ(ScrambleLine("LO"),
              std::string({static_cast<char>('L' ^ kOsKey), static_cast<char>('O' ^ kOsKey)}));
}

bool KeyKeepsLineEnds() {
    for (int clear = 0; clear < 256; ++clear) {
        const bool inLine = clear == '\t' || clear >= 0x20;
        const int scrambled = clear ^ kOsKey;
        if (inLine && (scrambled == '\r' || scrambled == '\n'))
            return false;
    }
    return true;
}

TEST(PersonFile, NoLineEndInsideALineWhateverTheRowsHold) {
    if (!KeyKeepsLineEnds())
        GTEST_SKIP() << "the configured key " << int{kOsKey}
                     << " scrambles a text byte into a line end";
    // Every byte from 1 to 255 once, spread over the fields (the table cuts a field at a NUL).
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const TPersonRecord row =
        Row(all.substr(0, 11), all.substr(11, 50), all.substr(61, 50), all.substr(111, 1),
            all.substr(112, 50), all.substr(162, 20), all.substr(182));
    const std::string bytes = ExportedBytes({row});
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 4);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 4);
    EXPECT_EQ(Entries(ClearLines(bytes).at(3)).size(), 17u);
}

// Column 10 is read from the clock before column 12, line after line.
TEST(PersonFile, DayColumnsFollowTheClock) {
    struct Case {
        const char* name;
        FixedClock clock;
        std::vector<std::vector<std::string>> days; // columns 10 to 12 of each record line
    };
    const TDate newYearsEve{2026, 12, 31}, newYear{2027, 1, 1};
    Case cases[] = {
        {"5 July 2026",
         FixedClock({2026, 7, 5}),
         {{"05.07.2026", "01.01.2999", "05.07.2026"}, {"05.07.2026", "01.01.2999", "05.07.2026"}}},
        {"across midnight",
         FixedClock(newYearsEve, {newYear}),
         {{"31.12.2026", "01.01.2999", "01.01.2027"}, {"01.01.2027", "01.01.2999", "01.01.2027"}}},
        {"year before 1900",
         FixedClock({1899, 12, 31}),
         {{"00.00.0000", "01.01.2999", "00.00.0000"}, {"00.00.0000", "01.01.2999", "00.00.0000"}}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        TPersonTable table =
            TableOf({Row("1", "A", "", "", "", "", ""), Row("2", "B", "", "", "", "", "")});
        const std::vector<std::string> lines = ClearLines(ExportedBytes(table, c.clock));
        std::vector<std::vector<std::string>> days;
        for (std::size_t i = 3; i < lines.size(); ++i) {
            const std::vector<std::string> entries = Entries(lines[i]);
            days.emplace_back(entries.begin() + 9, entries.begin() + 12);
        }
        EXPECT_EQ(days, c.days);
        EXPECT_EQ(c.clock.Readings(), 4u);
    }
}

TEST(PersonFile, ExportLeavesTheLastRowCurrentAndTheRowsUnchanged) {
    const std::vector<TPersonRecord> rows{Row("1", "A\tB", "", "", "", "", ""),
                                          Row("2", "C", "", "", "", "", ""),
                                          Row("3", "D", "", "", "", "", "")};
    TPersonTable table = TableOf(rows);
    const std::vector<TPersonRecord> before{table.RowAt(1), table.RowAt(2), table.RowAt(3)};
    FixedClock clock(k15March2026);
    ExportedBytes(table, clock);
    EXPECT_EQ(table.RowNumber(), 3);
    EXPECT_TRUE(table.AtEnd());
    EXPECT_EQ((std::vector<TPersonRecord>{table.RowAt(1), table.RowAt(2), table.RowAt(3)}), before);

    TPersonTable empty;
    ExportedBytes(empty, clock);
    EXPECT_EQ(empty.RowNumber(), 0);
    EXPECT_TRUE(empty.AtEnd());
}

TEST(PersonFile, ExportingAgainReplacesTheWholeFile) {
    const TempFolder folder;
    const std::string name = (folder / "persons.os").string();
    const auto files = MakePlatformFileLayer();
    FixedClock clock(k15March2026);
    const TPersonRecord first = Row("1", "A", "", "", "", "", "");
    const TPersonRecord second = Row("2", "B", "", "", "", "", "");

    TPersonTable two = TableOf({first, second});
    TPersonFileWriter(clock, *files).Export(two, name);
    const std::string once = ReadBytes(name);
    TPersonFileWriter(clock, *files).Export(two, name);
    EXPECT_EQ(ReadBytes(name), once) << "the same rows on the same day give the same file";

    TPersonTable one = TableOf({second});
    TPersonFileWriter(clock, *files).Export(one, name);
    EXPECT_EQ(ReadBytes(name), ExportedBytes({second}));
    EXPECT_EQ(Listing(folder.Path()), std::set<std::string>{"persons.os"});
}

} // namespace
