#pragma once

#include "register/TPersonRecord.h"

#include <array>
#include <cstdint>
#include <vector>

class TImportTrace;
class TPersonTable;

// A problem a value may show; each is a bit of a field's THintMask (HintBit). The tooltip lists
// a cell's problems in this order.
enum class THint : std::uint8_t {
    PeselNotElevenDigits,
    PeselCheckDigit,
    PeselBirthDate,
    PeselSexMismatch, // set on `plec`: the PESEL's sex digit says otherwise
    PeselDuplicate,
    EmptyValue, // surname, first name, rank or position
    Tab,
    NonBreakingSpace,
    QuestionMark, // what stands for a character that Windows-1250 lacks
    // The value does not look like its field: the order was read wrong.
    SurnameNotInCapitals, // a lower-case letter, or a final period ("szer.")
    FirstNameOtherWords,  // a word in capitals, a digit, or a word ending in a period
    RankOtherText,        // a digit, a capital letter, "/" or ":"
    PositionOrderWords,   // begins with "na stanowisko" or "stanowisko"
    FullWidth,            // as long as its field: probably cut
    // The import took the likeliest value where it could not read the order (TRowGuesses).
    NamesByPlace,             // set on surname and first name
    SexByDefault,             // set on `plec`
    RankLastWord,             // set on `ste`
    PositionLastOfSeparators, // set on `stanowisko`
    PositionJoinedLines,      // set on `stanowisko`: broken lines joined without a separator
    // Set on surname and first name: the first name stood before the surname ("Jan KOWALSKI"),
    // and a word of the surname stands as a first name in rows read the other way: the order
    // may have meant "Kowalski JAN".
    NamesMaybeSwapped,
    Count
};

using THintMask = std::uint32_t;

constexpr std::size_t kHintCount = static_cast<std::size_t>(THint::Count);
static_assert(kHintCount <= 32, "every hint is one bit of a THintMask");

constexpr THintMask HintBit(THint hint) {
    return THintMask{1} << static_cast<unsigned>(hint);
}

// Every hint, in the enum's order.
constexpr std::array<THint, kHintCount> kAllHints = [] {
    std::array<THint, kHintCount> all{};
    for (std::size_t i = 0; i < kHintCount; ++i)
        all[i] = static_cast<THint>(i);
    return all;
}();

// The hints that the import's guesses give; they do not apply to a value the clerk wrote.
constexpr THintMask kGuessHints =
    HintBit(THint::NamesByPlace) | HintBit(THint::SexByDefault) | HintBit(THint::RankLastWord) |
    HintBit(THint::PositionLastOfSeparators) | HintBit(THint::PositionJoinedLines) |
    HintBit(THint::NamesMaybeSwapped);

// The problems of one row, field by field.
struct TRowHintSet {
    std::array<THintMask, static_cast<std::size_t>(TPersonField::Count)> fields{};
    bool confirmed = false; // the clerk checked the row and found it right

    THintMask Of(TPersonField field) const { return fields[static_cast<std::size_t>(field)]; }
    bool Any() const;
    // Whether the row still waits for the clerk: it has a problem nobody confirmed.
    bool ToCheck() const { return Any() && !confirmed; }
    bool operator==(const TRowHintSet&) const = default;
};

// The hints of every row of a table, found by row id. Computed over the whole table, since a
// duplicate PESEL depends on the other rows: compute again after rows came or went. With the
// trace of the import that gave the rows, the values it guessed are hinted too.
class TRowHints {
public:
    void Compute(const TPersonTable& table, const TImportTrace* trace = nullptr);
    // The row's problems; none for an id not seen by the last Compute.
    TRowHintSet HintsOf(std::int32_t id) const;
    // How many rows have at least one problem that the clerk did not confirm.
    int HintedRows() const { return hintedRows_; }
    // The position of the nearest row to check (ToCheck) after `from` (step +1) or before it
    // (step -1), going round past the table's end; 0 when no row has one. `from` 0 starts the
    // search at the table's edge.
    int NextHinted(const TPersonTable& table, int from, int step) const;

    // The clerk's word on the rows, given after each Compute: `hints` of a field no longer apply
    // to row `id` (the clerk wrote the value); the clerk confirmed row `id`.
    void Waive(std::int32_t id, TPersonField field, THintMask hints);
    void Confirm(std::int32_t id);

    // The problems a row has whatever the other rows hold.
    static TRowHintSet RowOwnHints(const TPersonRecord& row);
    // The position of the first other row of `table` (another id) with the PESEL of `row`, as
    // PeselDuplicate marks it; 0 for none or for an empty PESEL.
    static int PeselTwinOf(const TPersonTable& table, const TPersonRecord& row);

private:
    // Changes the set of row `id`, if Compute saw it, keeping the count of rows to check.
    template <typename Change> void Amend(std::int32_t id, Change change);

    std::vector<TRowHintSet> byId_; // index id - 1
    int hintedRows_ = 0;
};
