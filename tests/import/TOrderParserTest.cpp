#include "TOrderParser.h"
#include "OrderGenerator.h"
#include "PersonRows.h"
#include "TPersonTable.h"
#include "TVectorOrderLines.h"

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
    {"TabJoinsRankAndSurname", Block("1. szer.\tTESTOWY Jan S. Adama, PESEL: 00000000001,"),
     {Row("00000000001", "Jan", "", "M")}},
    {"NoOrdinal", Block("szer. TESTOWY Piotr S. Adama, PESEL: 00000000001,"),
     {Row("00000000001", "TESTOWY", "Piotr", "M")}},
    {"ThreeDigitOrdinal", Block("123. szer. TESTOWY Jan S. Adama, PESEL: 00000000001,"), {kJanRow}},
    {"TwoDigitOrdinalDaughter", Block("12. szer. TESTOWA Anna C. Adama, PESEL: 00000000001,"),
     {Row("00000000001", "TESTOWA", "Anna", "K")}},
    {"LowerCaseMarker", Block("1. szer. TESTOWY Jan s. Adama, PESEL: 00000000001,"),
     {Row("00000000001", "TESTOWY", "", "K")}},
    {"CommaBeforeMarker", Block("1. szer. TESTOWY Jan, S. Adama, PESEL: 00000000001,"),
     {Row("00000000001", "TESTOWY", "Jan,", "M")}},
    {"TwoWordSurname", Block("1. szer. TESTOWY PR\xD3" "BNY Jan S. Adama, PESEL: 00000000001,"),
     {Row("00000000001", "TESTOWY", "PR\xD3" "BNY Jan", "M")}},
    {"MarkerAfterPesel", Block("1. szer. TESTOWA Ewa C. Jana, PESEL: 00000000001, JW KOS."),
     {Row("00000000001", "TESTOWA", "Ewa C. Jana, PESEL: 00000000001, JW KO", "M")}},
    {"FirstMarkersCount",
     Block("1. szer. TESTOWY Jan S. Adama, JW: 1/2, PESEL: 00000000001, PESEL: 00000000009",
           {"- kierowca 1/2 /ZS1 /ZS2", kRankLines[0], "XPODSTAWA PRAWNA:UZASADNIENIE:"}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "szer.", "ZS1", "kierowca 1/2")}},
    {"PeselGlued", Block("1. szer. TESTOWY Jan S. Adama, PESEL:00000000001,"), {kJanRow}},
    {"PeselAfterNbsp", Block("1. szer. TESTOWY Jan S. Adama, PESEL:\xA0" "00000000001,"), {kJanRow}},
    {"PeselOnNextLine", Block("1. szer. TESTOWY Jan S. Adama, PESEL:", {"00000000001,"}), {}},
    {"PeselStartsTheLine", Block("PESEL: 00000000001 szer. TESTOWY Jan S. Adama"),
     {Row("00000000001", "00000000001", "szer. TESTOWY Jan", "M")}},
    {"NoThirdWord", Block("1. TESTOWY S.PESEL:00000000001"), {Row("00000000001", "", "", "M")}},
    {"OnlyPesel", Block("1. PESEL: 00000000001"), {Row("00000000001", "", "", "K")}},
    {"DirectedOnPersonLine", {kJan + " kieruj\xEA", kEnd}, {kJanRow}},
    {"DirectedBeforePersonLine", {kDirected, kJan, kEnd}, {}},
    {"DirectedWrittenOtherwise", {kJan, "Kieruj\xEA", "kieruj\xC4\x99", kEnd}, {}},
    {"SkippedBlockLeavesNothingPending",
     Join({{"1. szer. TESTOWA Anna C. Adama, PESEL: 00000000001,", "- kierowca /ZS1",
            kRankLines[0], kRankLines[1], kEnd},
           Block("2. szer. TESTOWY Jan Adama, PESEL: 00000000002,")}),
     {Row("00000000002", "TESTOWY", "", "K")}},
    {"ValuesBeforePersonLine",
     {"na stanowisko - kierowca /ZS000000000001", kRankLines[0], kRankLines[1], kJan, kDirected,
      kEnd},
     {kJanFull}},
    {"SecondPersonLineWithoutMarker",
     Block(kJan, {"2. szer. TESTOWA Ewa Jana, PESEL: 00000000002,"}),
     {Row("00000000002", "TESTOWA", "Jan", "K")}},
    {"SecondPersonLineWithEmptyPesel", Block(kJan, {"2. szer. TESTOWA Ewa C. Jana, PESEL:"}),
     {Row("", "TESTOWA", "Ewa", "K")}},
    {"PositionWithoutHyphen", Block(kJan, {"stanowisko kierowca /ZS000000000001"}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "", "ZS000000000001", "stanowisko kierowca")}},
    {"RunsOfSpacesInPosition", Block(kJan, {"na  stanowisko  -  starszy   kierowca   /ZS1"}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "", "ZS1", "starszy kierowca")}},
    {"HyphenAfterSlash", Block(kJan, {"kierowca /ZS0000-01"}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "", "ZS0000-01", "")}},
    {"NisEndsAtBlank", Block(kJan, {kRankLines[0], "- kierowca /ZS1 PODSTAWA PRAWNA: x"}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "szer.", "ZS1", "kierowca")}},
    {"NisAtMost14", Block(kJan, {"- kierowca /ZS0000000000001234"}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "", "ZS000000000000", "kierowca")}},
    {"RankShapes",
     Join({Block(kJan, {"stopie\xF1 etatowy:   szer.  ", kRankLines[1]}),
           Block(kJan, {"stopie\xF1 etatowy:\tszer.", kRankLines[1]}),
           Block(kJan, {"szer.", kRankLines[1]})}),
     {Row("00000000001", "TESTOWY", "Jan", "M", "szer."),
      Row("00000000001", "TESTOWY", "Jan", "M", "etatowy:\tszer."), kJanRow}},
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
