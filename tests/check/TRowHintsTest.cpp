#include "check/TRowHints.h"
#include "check/TImportTrace.h"
#include "import/TOrderParser.h"
#include "register/TPersonTable.h"
#include "support/PersonRows.h"
#include "support/TVectorOrderLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using F = TPersonField;

constexpr THintMask Bits(std::initializer_list<THint> hints) {
    THintMask mask = 0;
    for (const THint h : hints)
        mask |= HintBit(h);
    return mask;
}

TPersonRecord Person(std::string pesel, std::string nazwisko, std::string imie, std::string plec,
                     std::string stanowisko = "kierowca") {
    return {0, pesel, nazwisko, imie, plec, "szer.", "ZS1", stanowisko};
}

// The expected hints of a row as (field, mask) pairs; fields not named have none.
TRowHintSet Hints(std::initializer_list<std::pair<F, THintMask>> masks) {
    TRowHintSet set;
    for (const auto& [field, mask] : masks)
        set.fields[static_cast<std::size_t>(field)] = mask;
    return set;
}

struct HintCase {
    const char* name;
    TPersonRecord row;
    TRowHintSet hints;
};

const HintCase kCases[] = {
    {"CleanMan", Person("44051401359", "TESTOWY", "Jan", "M"), {}},
    {"CleanWoman", Person("02211307589", "TESTOWA", "Ewa", "K"), {}},
    {"WrongCheckDigit", Person("44051401358", "TESTOWY", "Jan", "M"),
     Hints({{F::pesel, Bits({THint::PeselCheckDigit})}})},
    {"ImpossibleDate", Person("02381307589", "TESTOWA", "Ewa", "K"),
     Hints({{F::pesel, Bits({THint::PeselBirthDate})}})},
    {"ShortPeselNeedsNoOtherPeselHint", Person("4405140135", "TESTOWY", "Jan", "M"),
     Hints({{F::pesel, Bits({THint::PeselNotElevenDigits})}})},
    {"SexDigitSaysWoman", Person("02211307589", "TESTOWY", "Jan", "M"),
     Hints({{F::plec, Bits({THint::PeselSexMismatch})}})},
    {"EmptyNames", Person("44051401359", "", "", "M"),
     Hints({{F::nazwisko, Bits({THint::EmptyValue})}, {F::imie, Bits({THint::EmptyValue})}})},
    {"OddCharactersInAnyValue",
     Person("44051401359", "TEST\tOWY", "J?n", "M", "kierowca\xA0mechanik?"),
     Hints({{F::nazwisko, Bits({THint::Tab})},
            {F::imie, Bits({THint::QuestionMark})},
            {F::stanowisko, Bits({THint::NonBreakingSpace, THint::QuestionMark})}})},
    {"EmptyPesel", Person("", "TESTOWY", "Jan", "M"),
     Hints({{F::pesel, Bits({THint::PeselNotElevenDigits})}})},
};

// One value in one field, with what its shape says.
struct ShapeCase {
    const char* name;
    F field;
    std::string value;
    THintMask hints;
};

TPersonRecord WithValue(F field, const std::string& value) {
    TPersonRecord row = Person("44051401359", "TESTOWY", "Jan", "M");
    row.Text(field) = value;
    return row;
}

constexpr THintMask kEmpty = Bits({THint::EmptyValue});
constexpr THintMask kCut = Bits({THint::FullWidth});

const ShapeCase kShapeCases[] = {
    {"SurnameTwoWords", F::nazwisko,
     "TESTOWY PR\xD3"
     "BNY",
     0},
    {"SurnameWithHyphen", F::nazwisko,
     "TESTOWA-PR\xD3"
     "BNA",
     0},
    {"SurnameIsRank", F::nazwisko, "szer.", Bits({THint::SurnameNotInCapitals})},
    {"SurnameEndsInPeriod", F::nazwisko, "SZER.", Bits({THint::SurnameNotInCapitals})},
    {"SurnameInSmallPolishLetter", F::nazwisko, "TESTOWY\xB3", Bits({THint::SurnameNotInCapitals})},
    {"SurnameAtFullWidth", F::nazwisko, std::string(50, 'T'), kCut},
    {"SurnameBelowFullWidth", F::nazwisko, std::string(49, 'T'), 0},
    {"FirstNames", F::imie, "Jan Maria", 0},
    {"FirstNameOfOneCapital", F::imie, "J", 0},
    {"FirstNameHoldsSurname", F::imie, "TESTOWY Jan", Bits({THint::FirstNameOtherWords})},
    {"FirstNameHoldsPolishCapitals", F::imie,
     "\xA3\xA5"
     "CKI",
     Bits({THint::FirstNameOtherWords})},
    {"FirstNameHoldsDigit", F::imie, "Jan2", Bits({THint::FirstNameOtherWords})},
    {"FirstNameHoldsAbbreviation", F::imie, "Jan S.", Bits({THint::FirstNameOtherWords})},
    {"FirstNameWideAndWrong", F::imie, std::string(49, 'a') + ".",
     THintMask(kCut | Bits({THint::FirstNameOtherWords}))},
    {"RankOfThreeWords", F::ste, "st. chor. sztab.", 0},
    {"RankEmpty", F::ste, "", kEmpty},
    {"RankHoldsCapital", F::ste, "PKW", Bits({THint::RankOtherText})},
    {"RankHoldsDigit", F::ste, "art.1", Bits({THint::RankOtherText})},
    {"RankHoldsSlash", F::ste, "12/3", Bits({THint::RankOtherText})},
    {"RankHoldsColon", F::ste, "etatowy:\tszer.", Bits({THint::RankOtherText, THint::Tab})},
    {"Position", F::stanowisko, "kierowca-operator", 0},
    {"PositionEmpty", F::stanowisko, "", kEmpty},
    {"PositionWithOrderWords", F::stanowisko, "na stanowisko kierowca",
     Bits({THint::PositionOrderWords})},
    {"PositionWithOrderWordInCapitals", F::stanowisko, "STANOWISKO kierowca",
     Bits({THint::PositionOrderWords})},
    {"PositionNamingAPost", F::stanowisko, "kierownik stanowiska", 0},
    {"PositionAtFullWidth", F::stanowisko, std::string(100, 'k'), kCut},
    {"PositionBelowFullWidth", F::stanowisko, std::string(99, 'k'), 0},
};

class ValueShapes : public testing::TestWithParam<ShapeCase> {};

TEST_P(ValueShapes, FlagValuesThatDoNotLookLikeTheirField) {
    const ShapeCase& c = GetParam();
    TRowHintSet expected;
    expected.fields[static_cast<std::size_t>(c.field)] = c.hints;
    EXPECT_EQ(TRowHints::RowOwnHints(WithValue(c.field, c.value)), expected);
}

INSTANTIATE_TEST_SUITE_P(Values, ValueShapes, testing::ValuesIn(kShapeCases),
                         [](const auto& info) { return std::string(info.param.name); });

class RowHints : public testing::TestWithParam<HintCase> {};

TEST_P(RowHints, NamesEachProblemOfTheRow) {
    EXPECT_EQ(TRowHints::RowOwnHints(GetParam().row), GetParam().hints);
}

INSTANTIATE_TEST_SUITE_P(Rows, RowHints, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TableHints, DuplicatePeselMarksBothRowsUntilOneIsDeleted) {
    TPersonTable table;
    StoreRow(table, Person("44051401359", "TESTOWY", "Jan", "M"));
    StoreRow(table, Person("02211307589", "TESTOWA", "Ewa", "K"));
    StoreRow(table, Person("44051401359", "INNY", "Jan", "M"));
    StoreRow(table, Person("", "BEZ", "", "M"));
    StoreRow(table, Person("", "BEZ", "Piotr", "M"));
    StoreRow(table, Person("4405140135", "KROTKI", "Jan", "M"));
    StoreRow(table, Person("4405140135", "KROTKI", "Adam", "M"));
    TRowHints hints;
    hints.Compute(table);
    const THintMask duplicate = Bits({THint::PeselDuplicate});
    const THintMask missing = Bits({THint::PeselNotElevenDigits});
    EXPECT_EQ(
        (std::vector{hints.HintsOf(1).Of(F::pesel), hints.HintsOf(2).Of(F::pesel),
                     hints.HintsOf(3).Of(F::pesel), hints.HintsOf(4).Of(F::pesel),
                     hints.HintsOf(5).Of(F::pesel), hints.HintsOf(6).Of(F::pesel),
                     hints.HintsOf(7).Of(F::pesel)}),
        (std::vector<THintMask>{duplicate, 0, duplicate, missing, missing,
                                THintMask(missing | duplicate), THintMask(missing | duplicate)}));
    EXPECT_EQ(hints.HintedRows(), 6);
    // The twin the dialog names is a row the mark counts, never the row itself.
    std::vector<int> twins;
    for (int position = 1; position <= table.TotalRows(); ++position)
        twins.push_back(TRowHints::PeselTwinOf(table, table.RowAt(position)));
    EXPECT_EQ(twins, (std::vector{3, 0, 1, 0, 0, 7, 6}));

    table.MoveTo(3);
    table.DeleteRow();
    hints.Compute(table);
    EXPECT_EQ(hints.HintsOf(1), TRowHintSet());
    EXPECT_EQ(hints.HintsOf(3), TRowHintSet()); // gone rows have no hints
    EXPECT_EQ(hints.HintedRows(), 4);
}

TEST(TableHints, NextHintedGoesRoundBothWaysAndFindsNothingInACleanTable) {
    TPersonTable table;
    TRowHints hints;
    hints.Compute(table);
    EXPECT_EQ(hints.NextHinted(table, 0, 1), 0);
    for (const char* pesel : {"44051401359", "44051401358", "02211307589", "02381307589"})
        StoreRow(table, Person(pesel, "TESTOWY", "Jan", "M"));
    hints.Compute(table);
    // Rows 2 (check digit) and 3 and 4 (sex, date) have hints; row 1 has none.
    const std::vector<std::pair<int, int>> fromAndStep = {{0, 1},  {2, 1}, {4, 1}, {0, -1},
                                                          {2, -1}, {1, 1}, {1, -1}};
    std::vector<int> found;
    for (const auto& [from, step] : fromAndStep)
        found.push_back(hints.NextHinted(table, from, step));
    EXPECT_EQ(found, (std::vector{2, 3, 2, 4, 4, 2, 4}));

    while (table.TotalRows() > 1) {
        table.MoveLast();
        table.DeleteRow();
    }
    hints.Compute(table);
    EXPECT_EQ(hints.NextHinted(table, 1, 1), 0);
}

// Each guess of the import marks the field it set, and only with the import's trace: the rows
// alone look right.
TEST(TableHints, GuessesOfTheImportMarkTheirFields) {
    const std::vector<std::string> order{"1. szer. Testowy Jan, PESEL: 4405140135",
                                         "kieruj\xEA do PKW",
                                         "na stanowisko - dow\xF3"
                                         "dca - zast\xEApca /ZS1",
                                         "stopie\xF1 etatowy st. szer.",
                                         "PODSTAWA PRAWNA: art. 1",
                                         "UZASADNIENIE: brak"};
    TPersonTable table;
    TImportTrace trace;
    TOrderParser().ImportPersons(TVectorOrderLines(order), table, &trace);
    ASSERT_EQ(table.TotalRows(), 1);
    TRowHints hints;
    const THintMask guesses = Bits({THint::NamesByPlace, THint::SexByDefault, THint::RankLastWord,
                                    THint::PositionLastOfSeparators});
    const std::vector fields{F::nazwisko, F::imie, F::plec, F::ste, F::stanowisko};
    const auto guessedFields = [&] {
        std::vector<THintMask> masks;
        for (const F field : fields)
            masks.push_back(hints.HintsOf(1).Of(field) & guesses);
        return masks;
    };

    hints.Compute(table, &trace);
    EXPECT_EQ(guessedFields(),
              (std::vector{Bits({THint::NamesByPlace}), Bits({THint::NamesByPlace}),
                           Bits({THint::SexByDefault}), Bits({THint::RankLastWord}),
                           Bits({THint::PositionLastOfSeparators})}));
    hints.Compute(table);
    EXPECT_EQ(guessedFields(), std::vector<THintMask>(fields.size(), 0));
}

// A position joined from broken lines is hinted only where no separator told where it begins.
TEST(TableHints, PositionJoinedWithoutSeparatorIsHinted) {
    const auto positionHints = [](const std::string& opening) {
        const std::vector<std::string> order{"1. szer. TESTOWY Jan S. Adama, PESEL: 44051401359",
                                             "kieruj\xEA do PKW", opening, "kierowca /ZS1",
                                             "UZASADNIENIE: brak"};
        TPersonTable table;
        TImportTrace trace;
        TOrderParser().ImportPersons(TVectorOrderLines(order), table, &trace);
        TRowHints hints;
        hints.Compute(table, &trace);
        return hints.HintsOf(1).Of(F::stanowisko) & Bits({THint::PositionJoinedLines});
    };
    EXPECT_EQ(positionHints("starszy"), Bits({THint::PositionJoinedLines}));
    EXPECT_EQ(positionHints("- starszy"), 0u);
}

// A first name read before the surname is hinted where the surname's word stands as a first name
// in a row read surname first: "Wzorowy JAN" may be Jan Wzorowy.
TEST(TableHints, SurnameThatIsAnotherRowsFirstNameIsHinted) {
    const std::vector<std::string> order{"1. szer. TESTOWY Jan S. Adama, PESEL: 44051401359",
                                         "kieruj\xEA do PKW",
                                         "UZASADNIENIE: brak",
                                         "2. szer. Wzorowy JAN S. Adama, PESEL: 44051401359",
                                         "kieruj\xEA do PKW",
                                         "UZASADNIENIE: brak",
                                         "3. szer. Jan KOWALSKI S. Adama, PESEL: 44051401359",
                                         "kieruj\xEA do PKW",
                                         "UZASADNIENIE: brak"};
    TPersonTable table;
    TImportTrace trace;
    TOrderParser().ImportPersons(TVectorOrderLines(order), table, &trace);
    ASSERT_EQ(table.TotalRows(), 3);
    TRowHints hints;
    hints.Compute(table, &trace);
    const THintMask swapped = Bits({THint::NamesMaybeSwapped});
    std::vector<THintMask> marks;
    for (std::int32_t id = 1; id <= 3; ++id)
        for (const F field : {F::nazwisko, F::imie})
            marks.push_back(hints.HintsOf(id).Of(field) & swapped);
    EXPECT_EQ(marks, (std::vector<THintMask>{0, 0, swapped, swapped, 0, 0}));
}

} // namespace
