#include "check/TImportTrace.h"
#include "import/TOrderParser.h"
#include "support/TVectorOrderLines.h"
#include "register/TPersonTable.h"
#include "support/OrderGenerator.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

void PrintTo(const TRowGuesses& g, std::ostream* os) {
    *os << '{' << g.namesByPlace << ',' << g.sexByDefault << ',' << g.rankLastWord << ','
        << g.positionAfterSeveralSeparators << ',' << g.positionJoined << ','
        << g.positionJoinedWhole << ',' << g.pageSkipped << ',' << g.personLineJoined << ','
        << g.firstNameBeforeSurname << '}';
}

void PrintTo(const TRowSources& s, std::ostream* os) {
    *os << '{' << s.person << ',' << s.directed << ',' << s.nis << ',' << s.rank << ','
        << s.legalBasis << ',' << s.blockEnd << '}';
}

namespace {

using Lines = std::vector<std::string>;

const std::string kJan = "1. szer. TESTOWY Jan S. Adama, PESEL: 44051401359,";
const std::string kEwa = "2. szer. TESTOWA Ewa C. Jana, PESEL: 02211307589,";
const std::string kNoPesel = "3. szer. TESTOWY Bez S. Adama, PESEL:";
const std::string kDirected = "kieruj\xEA do PKW";
const std::string kNis = "na stanowisko - kierowca /ZS000000000001";
const std::string kRank = "stopie\xF1 etatowy: szer.";
const std::string kBasis = "PODSTAWA PRAWNA: art. 1";
const std::string kEnd = "UZASADNIENIE: brak";
const std::string kText = "tekst rozkazu";

struct TraceCase {
    const char* name;
    Lines lines;
    std::vector<TRowSources> rows;                    // for ids 1, 2, ...
    std::vector<std::pair<int, TSkipReason>> skipped; // line and reason
};

constexpr TSkipReason kUndirected = TSkipReason::NoDirected;
constexpr TSkipReason kUnended = TSkipReason::NoBlockEnd;
constexpr TSkipReason kNoNumber = TSkipReason::NoPesel;

void PrintTo(const TraceCase& c, std::ostream* os) {
    *os << c.name;
}

// clang-format off
const TraceCase kCases[] = {
    {"EveryLineOfABlock",
     {kText, kJan, kDirected, kNis, kRank, kBasis, kEnd},
     {{1, 2, 3, 4, 5, 6}}, {}},
    {"DirectedOnThePersonLine",
     {kJan + " " + kDirected, kEnd},
     {{0, 0, -1, -1, -1, 1}}, {}},
    {"RankLinesBeforeThePersonLine",
     {kRank, kBasis, kJan, kDirected, kEnd},
     {{2, 3, -1, 0, 1, 4}}, {}},
    {"BasisOnTheFirstLineHasNoRankLine",
     {kBasis, kJan, kDirected, kEnd},
     {{1, 2, -1, -1, 0, 3}}, {}},
    {"BlockWithoutDirectedIsSkipped",
     {kJan, kEnd, kEwa, kDirected, kEnd},
     {{2, 3, -1, -1, -1, 4}}, {{0, kUndirected}}},
    {"SecondPersonLineTakesThePlace",
     {kJan, kEwa, kDirected, kEnd},
     {{1, 2, -1, -1, -1, 3}}, {{0, kUndirected}}},
    {"OrderEndsInsideABlock",
     {kJan, kDirected, kEnd, kEwa, kDirected},
     {{0, 1, -1, -1, -1, 2}}, {{3, kUnended}}},
    {"PersonWithoutPeselIsCounted",
     {kNoPesel, kDirected, kEnd, kJan, kDirected, kEnd},
     {{3, 4, -1, -1, -1, 5}}, {{0, kNoNumber}}},
    {"LinesOfASkippedBlockDoNotReachTheNextRow",
     {kJan, kNis, kRank, kBasis, kEnd, kEwa, kDirected, kEnd},
     {{5, 6, -1, -1, -1, 7}}, {{0, kUndirected}}},
    {"DirectedBlocksWithoutBlockEnd",
     {kJan, kDirected, kEwa, kDirected},
     {}, {{0, kUnended}, {2, kUnended}}},
    {"ReasonOfTheLineItself",
     {kJan, kDirected, kEwa, kJan, kDirected, kEnd},
     {{3, 4, -1, -1, -1, 5}}, {{0, kUnended}, {2, kUndirected}}},
    {"PeselOnTheNextLineIsNoSkip",
     {kNoPesel, "44051401359, " + kDirected, kEnd},
     {{0, 1, -1, -1, -1, 2}}, {}},
};
// clang-format on

class ImportTrace : public testing::TestWithParam<TraceCase> {};

TEST_P(ImportTrace, RecordsTheLinesOfEachRowAndTheSkippedPersons) {
    const TraceCase& c = GetParam();
    TPersonTable table;
    TImportTrace trace;
    TOrderParser().ImportPersons(TVectorOrderLines(c.lines), table, &trace);
    ASSERT_EQ(table.TotalRows(), static_cast<int>(c.rows.size()));
    std::vector<TRowSources> rows;
    for (int position = 1; position <= table.TotalRows(); ++position)
        rows.push_back(trace.SourcesOf(table.RowAt(position).id));
    EXPECT_EQ(rows, c.rows);
    std::vector<std::pair<int, TSkipReason>> skipped;
    for (std::size_t i = 0; i < trace.SkippedLines().size(); ++i)
        skipped.emplace_back(trace.SkippedLines()[i], trace.SkipReasons().at(i));
    EXPECT_EQ(skipped, c.skipped);
}

INSTANTIATE_TEST_SUITE_P(Shapes, ImportTrace, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ImportTraceRun, TracedImportFindsTheSameRowsAndANewImportForgetsTheOld) {
    TImportTrace trace;
    for (unsigned variant = 1; variant <= 4; ++variant) {
        SCOPED_TRACE(testing::Message() << "variant " << variant);
        const GeneratedOrder order = GenerateOrder(60, variant);
        TPersonTable plain;
        TPersonTable traced;
        TOrderParser().ImportPersons(TVectorOrderLines(order.lines), plain);
        TOrderParser().ImportPersons(TVectorOrderLines(order.lines), traced, &trace);
        ASSERT_EQ(traced.TotalRows(), plain.TotalRows());
        for (int position = 1; position <= plain.TotalRows(); ++position) {
            ASSERT_EQ(traced.RowAt(position), plain.RowAt(position));
            // Every row's person line names the row's PESEL, and its block end comes last.
            const TRowSources s = trace.SourcesOf(traced.RowAt(position).id);
            EXPECT_NE(order.lines.at(static_cast<std::size_t>(s.person))
                          .find(plain.RowAt(position).pesel),
                      std::string::npos);
            EXPECT_GT(s.blockEnd, s.person);
        }
        EXPECT_EQ(trace.SourcesOf(plain.TotalRows() + 1), TRowSources());
    }
}

// The title is the order's first line with text and no marker, as the parser takes it; the facts
// noted after an import go with the next one.
TEST(ImportTraceRun, NotesTheTitleAndForgetsTheFactsOfTheImportBefore) {
    const std::pair<Lines, std::string> cases[] = {
        {{"", "  ROZKAZ PERSONALNY NR 7/P  ", kJan, kDirected, kNis, kRank, kBasis, kEnd},
         "ROZKAZ PERSONALNY NR 7/P"},
        {{kJan, "ROZKAZ", kDirected, kNis, kRank, kBasis, kEnd}, ""},
        {{}, ""},
    };
    TImportTrace trace;
    for (const auto& [lines, title] : cases) {
        SCOPED_TRACE(title);
        trace.NoteOrigin("rozkaz.docx", 1, {"wiersz"});
        trace.NoteSave({"osoby.os", 1, 10, 20});
        TPersonTable table;
        TOrderParser().ImportPersons(TVectorOrderLines(lines), table, &trace);
        EXPECT_EQ(trace.Facts().title, title);
        EXPECT_TRUE(trace.Facts().orderFile.empty());
        EXPECT_TRUE(trace.Facts().skippedTexts.empty());
        EXPECT_FALSE(trace.Facts().lastSave.has_value());
    }
}

struct GuessCase {
    const char* name;
    Lines lines;
    TRowGuesses guesses; // of the first row
};

void PrintTo(const GuessCase& c, std::ostream* os) {
    *os << c.name;
}

TRowGuesses Guessed(bool names, bool sex, bool rank, bool position) {
    return {names, sex, rank, position};
}

// What the import did with lines a PDF viewer broke.
TRowGuesses Broken(bool joined, bool whole, bool page, bool person) {
    TRowGuesses guesses;
    guesses.positionJoined = joined;
    guesses.positionJoinedWhole = whole;
    guesses.pageSkipped = page;
    guesses.personLineJoined = person;
    return guesses;
}

TRowGuesses FirstNameFirst() {
    TRowGuesses guesses;
    guesses.firstNameBeforeSurname = true;
    return guesses;
}

const std::string kDashedNis = "na stanowisko \x96 dow\xF3"
                               "dca dru\xBFyny \x96 zast\xEApca /ZS000000000001";

// clang-format off
const GuessCase kGuessCases[] = {
    {"EverythingRead",
     {kJan, kDirected, kNis, kRank, kBasis, kEnd}, {}},
    {"RankLineWithoutSeparator",
     {kJan, kDirected, kNis, "stopie\xF1 etatowy st. szer.", kBasis, kEnd},
     Guessed(false, false, true, false)},
    {"RankLineOfOneWordIsNoGuess",
     {kJan, kDirected, kNis, "  szer.\xA0", kBasis, kEnd}, {}},
    {"PositionAfterTheLastOfTwoDashes",
     {kJan, kDirected, kDashedNis, kRank, kBasis, kEnd},
     Guessed(false, false, false, true)},
    {"ColonOfPeselOnTheSameLineDoesNotCount",
     {kJan + " kieruj\xEA - kierowca /ZS000000000001", kEnd}, {}},
    {"NoWordInCapitals",
     {"1. szer. Testowy Jan S. Adama, PESEL: 44051401359", kDirected, kEnd},
     Guessed(true, false, false, false)},
    {"NeitherMarkerNorElevenDigits",
     {"1. szer. TESTOWY Jan, PESEL: 4405140135", kDirected, kEnd},
     Guessed(false, true, false, false)},
    {"PositionJoinedFromSeparator",
     {kJan, kDirected, "na stanowisko - starszy", "kierowca /ZS1", kEnd},
     Broken(true, false, false, false)},
    {"PositionJoinedWithoutSeparator",
     {kJan, kDirected, "starszy", "kierowca /ZS1", kEnd}, Broken(true, true, false, false)},
    {"DashedPositionOverLines",
     {kJan, kDirected, "na stanowisko \x96 dow\xF3" "dca", "\x96 zast\xEApca /ZS1", kEnd},
     Guessed(false, false, false, true)},
    {"RankAndPeselPastPageFurniture",
     {"1. szer. TESTOWY Jan S. Adama, PESEL:", "- 2 -", "44051401359", kDirected, kRank, "2",
      kBasis, kEnd},
     Broken(false, false, true, false)},
    {"PersonLineJoined",
     {kText, "1. szer. TESTOWY", "Jan S. Adama, PESEL: 44051401359", kDirected, kEnd},
     Broken(false, false, false, true)},
    // Orders as officers write them: readings, not guesses, but for the one dash after words.
    {"FirstNameBeforeSurname",
     {"1. szer. Jan TESTOWY S. Adama, PESEL: 44051401359", kDirected, kEnd}, FirstNameFirst()},
    {"PositionAfterWordIsNoGuess", {kJan, kDirected, "na stanowisko kierowca /ZS1", kEnd}, {}},
    {"PositionAfterWordsAndDash",
     {kJan, kDirected, "na stanowisko dow\xF3" "dca dru\xBFyny \x96 zast\xEApca /ZS1", kEnd},
     Guessed(false, false, false, true)},
    {"PositionOverLinesAfterWord",
     {kJan, kDirected, "na stanowisko starszy", "kierowca /ZS1", kEnd}, Broken(true, false, false, false)},
    {"PositionOverLinesAfterDirected",
     {kJan, "kieruj\xEA do PKW na stanowisko starszy", "kierowca /ZS1", kEnd},
     Broken(true, false, false, false)},
    {"GuessesOfASkippedBlockDoNotReachTheNextRow",
     {"1. szer. Testowy Jan, PESEL: 1", kDashedNis, "st. szer.", kBasis, kEnd,
      kEwa, kDirected, kEnd}, {}},
};
// clang-format on

class ImportGuesses : public testing::TestWithParam<GuessCase> {};

TEST_P(ImportGuesses, TellWhereARuleTookTheLikeliestValue) {
    const GuessCase& c = GetParam();
    TPersonTable table;
    TImportTrace trace;
    TOrderParser().ImportPersons(TVectorOrderLines(c.lines), table, &trace);
    ASSERT_GE(table.TotalRows(), 1);
    EXPECT_EQ(trace.GuessesOf(table.RowAt(1).id), c.guesses);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ImportGuesses, testing::ValuesIn(kGuessCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
