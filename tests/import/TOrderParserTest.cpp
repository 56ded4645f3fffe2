#include "import/TOrderParser.h"
#include "support/TVectorOrderLines.h"
#include "register/TPersonTable.h"
#include "support/OrderGenerator.h"
#include "support/PersonRows.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using Rows = std::vector<TPersonRecord>;

const std::string kDirected = "kieruj\xEA do PKW";
const std::string kEnd = "UZASADNIENIE: brak";
const std::string kJan = "1. szer. TESTOWY Jan S. Adama, PESEL: 00000000001,";

// A block that directs its person: the person line, "kieruję", any further lines, the end.
Lines Block(const std::string& personLine, const Lines& more = {}) {
    Lines lines{personLine, kDirected};
    lines.insert(lines.end(), more.begin(), more.end());
    lines.push_back(kEnd);
    return lines;
}

Lines Join(std::initializer_list<Lines> blocks) {
    Lines lines;
    for (const Lines& block : blocks)
        lines.insert(lines.end(), block.begin(), block.end());
    return lines;
}

Rows Import(const Lines& lines, TPersonTable& table) {
    TOrderParser().ImportPersons(TVectorOrderLines(lines), table);
    return TableRows(table);
}

Rows Numbered(Rows rows) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].id = static_cast<int>(i + 1);
    return rows;
}

struct ParserCase {
    const char* name;
    Lines lines;
    Rows rows;
};

// CTest shows the printed parameter in place of the instance's number.
void PrintTo(const ParserCase& c, std::ostream* os) {
    *os << c.name;
}

class OrderParser : public testing::TestWithParam<ParserCase> {};

TEST_P(OrderParser, ImportsTheRowsOfTheText) {
    TPersonTable table;
    EXPECT_EQ(Import(GetParam().lines, table), Numbered(GetParam().rows));
    EXPECT_EQ(table.RowNumber(), GetParam().rows.empty() ? 0 : 1);
}

const TPersonRecord kJanRow = Row("00000000001", "TESTOWY", "Jan", "M");
const TPersonRecord kJanFull =
    Row("00000000001", "TESTOWY", "Jan", "M", "szer.", "ZS000000000001", "kierowca");
const Lines kRankLines{"stopie\xF1 etatowy: szer.", "PODSTAWA PRAWNA: art. 1"};

// clang-format off
const ParserCase kCases[] = {
    {"WorkedExample",
     Join({Block(kJan, {"na stanowisko - kierowca /ZS000000000001", kRankLines[0], kRankLines[1]}),
           Block("2. szer. TESTOWA Ewa C. Jana, PESEL: 00000000002,")}),
     {kJanFull, Row("00000000002", "TESTOWA", "Ewa", "K")}},
    {"EmptyText", {}, {}},
    {"NoPersonLine", {"Instrukcja: kieruj\xEA", "/ZS1", kEnd}, {}},
    {"RunsOfSpaces", Block("  1.   szer.  TESTOWY   Jan  S.  Adama,  PESEL:   00000000001,\r"),
     {kJanRow}},
    {"NoOrdinal", Block("szer. TESTOWY Piotr S. Adama, PESEL: 00000000001,"),
     {Row("00000000001", "TESTOWY", "Piotr", "M")}},
    {"ThreeDigitOrdinal", Block("123. szer. TESTOWY Jan S. Adama, PESEL: 00000000001,"), {kJanRow}},
    {"TwoDigitOrdinalDaughter", Block("12. szer. TESTOWA Anna C. Adama, PESEL: 00000000001,"),
     {Row("00000000001", "TESTOWA", "Anna", "K")}},
    {"MarkerAfterPesel", Block("1. szer. TESTOWA Ewa C. Jana, PESEL: 00000000001, JW KOS."),
     {Row("00000000001", "TESTOWA", "Ewa", "M")}},
    {"FirstMarkersCount",
     Block("1. szer. TESTOWY Jan S. Adama, JW: 1/2, PESEL: 00000000001, PESEL: 00000000009",
           {"- kierowca 1/2 /ZS1 /ZS2", kRankLines[0], "XPODSTAWA PRAWNA:UZASADNIENIE:"}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "szer.", "ZS1", "kierowca 1/2")}},
    {"PeselGlued", Block("1. szer. TESTOWY Jan S. Adama, PESEL:00000000001,"), {kJanRow}},
    {"PeselAfterNbsp", Block("1. szer. TESTOWY Jan S. Adama, PESEL:\xA0" "00000000001,"), {kJanRow}},
    {"PeselOnNextLine", {"1. szer. TESTOWY Jan S. Adama, PESEL:", "00000000001,", kDirected, kEnd},
     {kJanRow}},
    {"PeselStartsTheLine", Block("PESEL: 00000000001 szer. TESTOWY Jan S. Adama"),
     {Row("00000000001", "00000000001", "szer. TESTOWY Jan", "M")}},
    {"MarkerGlued", Block("1. TESTOWY S.PESEL:00000000001"),
     {Row("00000000001", "TESTOWY", "", "M")}},
    {"OnlyPesel", Block("1. PESEL: 00000000001"), {Row("00000000001", "", "", "K")}},
    {"DirectedOnPersonLine", {kJan + " kieruj\xEA", kEnd}, {kJanRow}},
    {"DirectedBeforePersonLine", {kDirected, kJan, kEnd}, {}},
    {"DirectedWrittenOtherwise", {kJan, "Kieruj\xEA", "kieruj\xC4\x99", kEnd}, {}},
    {"SkippedBlockLeavesNothingPending",
     Join({{"1. szer. TESTOWA Anna C. Adama, PESEL: 00000000001,", "- kierowca /ZS1",
            kRankLines[0], kRankLines[1], kEnd},
           Block("2. szer. TESTOWY Jan Adama, PESEL: 00000000002,")}),
     {Row("00000000002", "TESTOWY", "Jan Adama", "K")}},
    {"ValuesBeforePersonLine",
     {"na stanowisko - kierowca /ZS000000000001", kRankLines[0], kRankLines[1], kJan, kDirected,
      kEnd},
     {kJanFull}},
    {"SecondPersonLineWithoutCapitalsOrMarker",
     Block(kJan, {"2. szer. Testowa Ewa Jana, PESEL: 00000000002,"}),
     {Row("00000000002", "Testowa", "Jan", "K")}},
    {"SecondPersonLineWithEmptyPesel", Block(kJan, {"2. szer. TESTOWA Ewa C. Jana, PESEL:"}),
     {Row("", "TESTOWA", "Ewa", "K")}},
    {"PositionWithoutHyphen", Block(kJan, {"stanowisko kierowca /ZS000000000001"}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "", "ZS000000000001", "kierowca")}},
    {"RunsOfSpacesInPosition", Block(kJan, {"na  stanowisko  -  starszy   kierowca   /ZS1"}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "", "ZS1", "starszy kierowca")}},
    {"HyphenAfterSlash", Block(kJan, {"kierowca /ZS0000-01"}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "", "ZS0000-01", "kierowca")}},
    {"NisEndsAtBlank", Block(kJan, {kRankLines[0], "- kierowca /ZS1 PODSTAWA PRAWNA: x"}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "szer.", "ZS1", "kierowca")}},
    {"NisAtMost14", Block(kJan, {"- kierowca /ZS0000000000001234"}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "", "ZS000000000000", "kierowca")}},
    {"RankShapes",
     Join({Block(kJan, {"stopie\xF1 etatowy:   szer.  ", kRankLines[1]}),
           Block(kJan, {"szer.", kRankLines[1]}), Block(kJan, {"", kRankLines[1]})}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "szer."),
      Row("00000000001", "TESTOWY", "Jan", "M", "szer."), kJanRow}},
    {"LegalBasisWithRunOfSpaces", Block(kJan, {kRankLines[0], "PODSTAWA   PRAWNA: art. 1"}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "szer.")}},
    {"LegalBasisOnFirstLine", Join({{kRankLines[1]}, Block(kJan)}), {kJanRow}},
    {"WholeBlockOnOneLine",
     {kJan + " kieruj\xEA - kierowca /ZS000000000001 UZASADNIENIE:"},
     {Row("00000000001", "TESTOWY", "Jan", "M", "", "ZS000000000001", "kierowca")}},
    {"TableCutsLongValues",
     Block("1. szer. " + std::string(60, 'T') + " Jan S. Adama, PESEL: 00000000001,",
           {"- " + std::string(120, 'k') + " /ZS1"}),
     {Row("00000000001", std::string(50, 'T'), "Jan", "M", "", "ZS1", std::string(100, 'k'))}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Shapes, OrderParser, testing::ValuesIn(kCases));

// The person line of a block with "kieruję" and the block end, and the row it gives.
TPersonRecord Names(std::string nazwisko, std::string imie, std::string plec = "M",
                    std::string pesel = "00000000001") {
    return Row(pesel, nazwisko, imie, plec);
}
TPersonRecord Rank(std::string ste) {
    return Row("00000000001", "TESTOWY", "Jan", "M", ste);
}
TPersonRecord Post(std::string nis, std::string stanowisko) {
    return Row("00000000001", "TESTOWY", "Jan", "M", "", nis, stanowisko);
}
ParserCase RankCase(const char* name, const std::string& line, const std::string& ste) {
    return {name, Block(kJan, {line, kRankLines[1]}), {Rank(ste)}};
}
ParserCase PostCase(const char* name, const std::string& line, const std::string& nis,
                    const std::string& stanowisko) {
    return {name, Block(kJan, {line}), {Post(nis, stanowisko)}};
}

// clang-format off
const ParserCase kMendedCases[] = {
    // Surname in capitals, first name up to the father's initial, the rank's words before them.
    {"TwoWordRank", Block("1. st. szer. TESTOWY Jan S. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY", "Jan")}},
    {"TwoWordSurname", Block("1. szer. TESTOWY PR\xD3" "BNY Jan S. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY PR\xD3" "BNY", "Jan")}},
    {"NbspAfterRank", Block("1. szer.\xA0TESTOWY Jan S. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY", "Jan")}},
    {"TabAfterRank", Block("1. szer.\tTESTOWY Jan S. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY", "Jan")}},
    {"TwoFirstNames", Block("1) kmdr ppor. TESTOWY Jan Maria S. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY", "Jan Maria")}},
    {"CommaBeforeMarker", Block("1. szer. TESTOWY Jan, S. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY", "Jan")}},
    {"NoFathersName", Block("1. szer. TESTOWY Jan, PESEL: 00000000011,"),
     {Names("TESTOWY", "Jan", "M", "00000000011")}},
    {"LowerCaseMarker", Block("1. szer. TESTOWY Jan s. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY", "Jan", "K")}},
    {"NoFirstName", Block("1. szer. TESTOWY S. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY", "")}},
    {"NoCapitals", Block("1. szer. Testowy Jan S. Adama, PESEL: 00000000001,"),
     {Names("Testowy", "Jan")}},
    {"FirstNameInCapitals", Block("1. szer. TESTOWY JAN S. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY", "JAN")}},
    {"FirstNameInCapitalsLowerMarker", Block("1. szer. TESTOWY JAN s. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY", "JAN", "K")}},
    {"PolishCapitalsAndSemicolon", Block("1. szer. \xA3\xA5" "CKI; \x8C" "CIB\xD3R Pawe\xB3 S. Adama, PESEL: 00000000001,"),
     {Names("\xA3\xA5" "CKI \x8C" "CIB\xD3R", "Pawe\xB3")}},
    // Without a marker the PESEL's tenth digit tells the sex, when the PESEL is eleven digits.
    {"SexFromOddDigit", Block("1. szer. TESTOWY Jan, PESEL: 44051401359,"),
     {Names("TESTOWY", "Jan", "M", "44051401359")}},
    {"SexFromEvenDigit", Block("1. szer. TESTOWA Ewa, PESEL: 02211307589,"),
     {Names("TESTOWA", "Ewa", "K", "02211307589")}},
    {"SexOfShortPesel", Block("1. szer. TESTOWY Jan, PESEL: 0000000001"),
     {Names("TESTOWY", "Jan", "K", "0000000001")}},
    // The position after the last separator before "/ZS".
    PostCase("EnDash", "na stanowisko \x96 kierowca /ZS00001-01-001", "ZS00001-01-001", "kierowca"),
    PostCase("EmDash", "na stanowisko \x97 kierowca /ZS1", "ZS1", "kierowca"),
    PostCase("Colon", "na stanowisko: kierowca /ZS1", "ZS1", "kierowca"),
    PostCase("HyphenInWord", "na stanowisko - kierowca-operator /ZS1", "ZS1", "kierowca-operator"),
    PostCase("DashOpensLine", "\x96kierowca /ZS1", "ZS1", "kierowca"),
    // The rank after the last separator of the line before, its blanks made single spaces.
    RankCase("RankAfterColon", "stopie\xF1 etatowy: st. szer.", "st. szer."),
    RankCase("RankAfterTab", "stopie\xF1 etatowy:\tszer.", "szer."),
    RankCase("RankAfterEnDash", "stopie\xF1 etatowy \x96 st. kpr.", "st. kpr."),
    RankCase("RankBlanks", "stopie\xF1 etatowy:  st.\xA0 chor.  sztab. ", "st. chor. sztab."),
    RankCase("RankWithoutSeparator", "stopie\xF1 etatowy st. szer.", "szer."),
    {"NisLineBeforeLegalBasis", Block(kJan, {"- kierowca /ZS1", kRankLines[1]}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "", "ZS1", "kierowca")}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Mended, OrderParser, testing::ValuesIn(kMendedCases));

const std::string kJanBroken = "1. szer. TESTOWY Jan, PESEL: \t";

// clang-format off
// Orders copied from a PDF viewer: lines broken wherever the page ended them.
const ParserCase kViewerCases[] = {
    // The number on the line after "PESEL:" feeds the PESEL, the sex and "kieruję" there.
    {"PeselNextLineDirects",
     {kJanBroken, "\xA0 44051401359, kieruj\xEA do PKW", kEnd},
     {Names("TESTOWY", "Jan", "M", "44051401359")}},
    {"PeselNextLineSexFromPesel", {"1. szer. TESTOWA Ewa, PESEL:", "02211307589", kDirected, kEnd},
     {Names("TESTOWA", "Ewa", "K", "02211307589")}},
    {"PeselNextLineNotADigit", {kJanBroken, "nr 00000000001", kDirected, kEnd}, {}},
    {"PeselNextLineOnlyNext", {kJanBroken, "", "00000000001", kDirected, kEnd}, {}},
    {"PeselNextLineIsPersonLine",
     {kJanBroken, "2. szer. TESTOWA Ewa C. Jana, PESEL: 00000000002,", kDirected, kEnd},
     {Names("TESTOWA", "Ewa", "K", "00000000002")}},
    {"PeselPastPageNumber",
     {kJanBroken, "Strona 2 z 3", "44051401359 kieruj\xEA", kEnd},
     {Names("TESTOWY", "Jan", "M", "44051401359")}},
    // A person line broken before "PESEL:" is read with the line before it.
    {"PersonLineBrokenInName", {kEnd, "1. szer. TESTOWY Jan", "S. Adama, PESEL: 00000000001,", kDirected, kEnd},
     {kJanRow}},
    {"TitleOpensNoPersonLine", {"ROZKAZ NR 1", "szer. Testowy Jan S. Adama, PESEL: 00000000001", kDirected, kEnd},
     {Names("Testowy", "Jan")}},
    {"PersonLineBrokenBeforePesel", {kEnd, "szer. TESTOWY Jan,", "PESEL: 44051401359", kDirected, kEnd},
     {Names("TESTOWY", "Jan", "M", "44051401359")}},
    // The position over the lines before "/ZS", from the last separator, not past "kieruję".
    {"PositionOverLines",
     Block(kJan, {"na stanowisko - operator", "system\xF3w  \xB3\xB9" "czno\x9C" "ci", "satelitarnej /ZS1"}),
     {Post("ZS1", "operator system\xF3w \xB3\xB9" "czno\x9C" "ci satelitarnej")}},
    {"PositionAfterLastSeparatorOfLines",
     Block(kJan, {"na stanowisko: dow\xF3" "dca", "dru\xBFyny \x96", "kierowca /ZS1"}),
     {Post("ZS1", "kierowca")}},
    {"NisOpensItsLine", Block(kJan, {"na stanowisko \x96 kierowca", "/ZS1"}), {Post("ZS1", "kierowca")}},
    {"NotPastDirected", {kJan, "kieruj\xEA - do PKW", "kierowca /ZS1", kEnd}, {Post("ZS1", "kierowca")}},
    {"NoSeparatorJoinsAll", Block(kJan, {"starszy", "kierowca /ZS1"}), {Post("ZS1", "starszy kierowca")}},
    {"NisLineOpensPosition", Block(kJan, {"PKW", "na stanowisko kierowca /ZS1"}),
     {Post("ZS1", "kierowca")}},
    {"FreeTextBeforeBlockNotJoined",
     {"Sprawy osobowe \x96 kierowanie", "kierowca /ZS1", kJan, kDirected, kEnd}, {Post("ZS1", "kierowca")}},
    {"PositionBeforePersonLine",
     {kEnd, "na stanowisko - starszy", "kierowca /ZS1", kJan, kDirected, kEnd}, {Post("ZS1", "starszy kierowca")}},
    // Page numbers and the repeated title are neither rank nor position.
    {"PositionPastFooterAndTitle",
     {"ROZKAZ NR 1", kJan, kDirected, "na stanowisko - starszy", "- 2 -", "ROZKAZ NR 1", "kierowca /ZS1", kEnd},
     {Post("ZS1", "starszy kierowca")}},
    {"RankPastPageOfPages", Block(kJan, {kRankLines[0], "3/7", kRankLines[1]}), {Rank("szer.")}},
    {"RankPastPageNumber", Block(kJan, {kRankLines[0], "12", kRankLines[1]}), {Rank("szer.")}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Viewer, OrderParser, testing::ValuesIn(kViewerCases));

const std::string kOfficial = "s\xB3u\xBF"
                              "bowe";

// clang-format off
// Orders as officers write them: the first name before the surname, the position after
// "na stanowisko" with no separator.
const ParserCase kOfficersCases[] = {
    PostCase("PositionAfterWord", "na stanowisko kierowca /ZS00001-01-001", "ZS00001-01-001", "kierowca"),
    PostCase("PositionAfterOfficialWord", "na stanowisko " + kOfficial + " dow\xF3" "dca dru\xBFyny /ZS1", "ZS1",
             "dow\xF3" "dca dru\xBFyny"),
    PostCase("PositionAfterLastWord", "stanowisko na STANOWISKO kierowca /ZS1", "ZS1", "kierowca"),
    PostCase("PositionWordAlone", "na stanowisko /ZS1", "ZS1", "na stanowisko"),
    PostCase("OfficialWordWithoutPosition", "na stanowisko " + kOfficial + " /ZS1", "ZS1",
             "na stanowisko " + kOfficial),
    PostCase("PositionWordInsideAnother", "przestanowisko kierowca /ZS1", "ZS1", "przestanowisko kierowca"),
    PostCase("SeparatorStillDecides", "na stanowisko " + kOfficial + " - kierowca /ZS1", "ZS1", "kierowca"),
    {"PositionOnDirectedLine",
     {kJan, "kieruj\xEA do PKW na stanowisko " + kOfficial + " dow\xF3" "dca dru\xBFyny /ZS1", kEnd},
     {Post("ZS1", "dow\xF3" "dca dru\xBFyny")}},
    {"PositionOverLinesAfterWord", Block(kJan, {"na stanowisko starszy", "kierowca /ZS1"}),
     {Post("ZS1", "starszy kierowca")}},
    {"PositionOverLinesAfterDirected",
     {kJan, "kieruj\xEA do PKW na stanowisko starszy", "kierowca /ZS1", kEnd}, {Post("ZS1", "starszy kierowca")}},
    {"PositionOverLinesAfterDirectedSeparator",
     {kJan, "kieruj\xEA do PKW na stanowisko: starszy", "kierowca /ZS1", kEnd}, {Post("ZS1", "starszy kierowca")}},
    {"DirectedLineWithoutPositionWord", {kJan, "kieruj\xEA do PKW starszy", "kierowca /ZS1", kEnd},
     {Post("ZS1", "kierowca")}},
    {"FirstNameBeforeSurname", Block("1. st. szer. Jan KOWALSKI S. Adama, PESEL: 00000000001,"),
     {Names("KOWALSKI", "Jan")}},
    {"TwoFirstNamesBeforeDoubleSurname", Block("kpr. Anna Maria NOWAK-KOWALSKA C. Jana, PESEL: 00000000001,"),
     {Names("NOWAK-KOWALSKA", "Anna Maria", "K")}},
    {"HyphenatedFirstNameBefore", Block("kpr. Anna-Maria NOWAK C. Jana, PESEL: 00000000001,"),
     {Names("NOWAK", "Anna-Maria", "K")}},
    {"FirstNameBeforeTwoWordSurname", Block("mjr Jan TESTOWY PR\xD3" "BNY, PESEL: 44051401359,"),
     {Names("TESTOWY PR\xD3" "BNY", "Jan", "M", "44051401359")}},
    {"FirstNameBeforeSurnameLowerMarker", Block("1. szer. Jan TESTOWY s. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY", "Jan", "K")}},
    {"RankOfSeveralWordsBeforeFirstName", Block("1. st. chor. sztab. Jan TESTOWY S. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY", "Jan")}},
    {"FirstNameAfterSurnameWins", Block("szer. Jan TESTOWY Piotr S. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY", "Piotr")}},
    {"FirstNameInCapitalsAfterSurname", Block("1. kmdr ppor. TESTOWY JAN S. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY", "JAN")}},
    {"CapitalisedRankIsNoFirstName", Block("1. Szer. TESTOWY S. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY", "")}},
    {"ShortWordIsNoFirstName", Block("1. szer. Ed TESTOWY S. Adama, PESEL: 00000000001,"),
     {Names("TESTOWY", "")}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Officers, OrderParser, testing::ValuesIn(kOfficersCases));

TEST(OrderImport, ReplacesTheRowsAndRestartsTheIds) {
    const Lines order = Join({Block(kJan), Block("2. szer. TESTOWA Ewa C. Jana, PESEL: 2")});
    TPersonTable table;
    const Rows first = Import(order, table);
    table.DeleteRow();
    EXPECT_EQ(Import(order, table), first);
    table.Close();
    EXPECT_EQ(Import(order, table), first);
    EXPECT_EQ(table.RowNumber(), 1);
}

// A failing table operation ends the import where it happened.
TEST(OrderImport, TableFailureStopsTheImport) {
    TPersonTable table;
    table.OnTableChanged = [&table](TTableChange) {
        if (table.TotalRows() == 2)
            throw std::runtime_error("refused");
    };
    EXPECT_THROW(Import(Join({Block(kJan), Block(kJan), Block(kJan)}), table), std::runtime_error);
    EXPECT_EQ(table.TotalRows(), 2);
    EXPECT_EQ(table.RowNumber(), 2);
}

TEST(OrderImport, GeneratedOrdersImportAsExpected) {
    for (unsigned variant = 1; variant <= 8; ++variant) {
        SCOPED_TRACE(testing::Message() << "variant " << variant);
        const GeneratedOrder order = GenerateOrder(400, variant);
        TPersonTable table;
        EXPECT_EQ(Import(order.lines, table), order.expected);
    }
    EXPECT_EQ(GenerateOrder(50, 3).lines, GenerateOrder(50, 3).lines);
    EXPECT_NE(GenerateOrder(50, 3).lines, GenerateOrder(50, 4).lines);
}

} // namespace
