#include "TRowHints.h"
#include "PersonRows.h"
#include "TPersonTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using F = TPersonField;

constexpr THintMask Bits(std::initializer_list<THint> hints) {
    THintMask mask = 0;
    for (const THint h : hints)
        mask |= static_cast<THintMask>(h);
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

} // namespace
