#include "check/TRowHints.h"

#include "check/TImportTrace.h"
#include "register/TPersonTable.h"
#include "text/OrderWords.h"
#include "text/Pesel.h"
#include "text/Win1250Letters.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// One search per character: the library's search scans many bytes at a time, and these
// characters are rare.
THintMask CharacterHints(std::string_view text) {
    THintMask mask = 0;
    for (const auto& [character, hint] :
         {std::pair{'\t', THint::Tab}, std::pair{'\xA0', THint::NonBreakingSpace},
          std::pair{'?', THint::QuestionMark}})
        if (text.find(character) != std::string_view::npos)
            mask |= HintBit(hint);
    return mask;
}

THintMask PeselHints(const TPeselVerdict& verdict) {
    if (!verdict.elevenDigits)
        return HintBit(THint::PeselNotElevenDigits);
    THintMask mask = 0;
    if (!verdict.checkDigitOk)
        mask |= HintBit(THint::PeselCheckDigit);
    if (!verdict.dateOk)
        mask |= HintBit(THint::PeselBirthDate);
    return mask;
}

THintMask& MaskOf(TRowHintSet& set, TPersonField field) {
    return set.fields[static_cast<std::size_t>(field)];
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool EndsWithPeriod(std::string_view word) {
    return !word.empty() && word.back() == '.';
}

// "JAN", "TESTOWY": two letters or more, none of them small.
bool IsWordInCapitals(std::string_view word) {
    return std::none_of(word.begin(), word.end(), IsLowerLetter) &&
           std::count_if(word.begin(), word.end(), IsLetter) >= 2;
}

bool SurnameLooksWrong(std::string_view surname) {
    return EndsWithPeriod(surname) || std::any_of(surname.begin(), surname.end(), IsLowerLetter);
}

bool FirstNameLooksWrong(std::string_view firstName) {
    if (std::any_of(firstName.begin(), firstName.end(), IsDigit))
        return true;
    for (std::size_t at = 0; at < firstName.size();) {
        const auto end = std::find_if(firstName.begin() + static_cast<std::ptrdiff_t>(at),
                                      firstName.end(), IsWordBlank);
        const std::string_view word =
            firstName.substr(at, static_cast<std::size_t>(end - firstName.begin()) - at);
        if (IsWordInCapitals(word) || EndsWithPeriod(word))
            return true;
        at += word.size() + 1;
    }
    return false;
}

bool RankLooksWrong(std::string_view rank) {
    return std::any_of(rank.begin(), rank.end(), [](char c) {
        return IsDigit(c) || IsUpperLetter(c) || c == '/' || c == ':';
    });
}

// The order's own words before the position ("na stanowisko - kierowca") were taken with it.
bool StartsWithOrderWords(std::string_view position) {
    std::string lower(position.substr(0, 13));
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower.starts_with("na stanowisko") || lower.starts_with("stanowisko");
}

// An empty value, one as long as its field, or one that does not look like its field.
THintMask ShapeHints(TPersonField field, std::string_view value,
                     bool (*looksWrong)(std::string_view), THint hint) {
    if (value.empty())
        return HintBit(THint::EmptyValue);
    THintMask mask = value.size() >= FieldWidth(field) ? HintBit(THint::FullWidth) : 0;
    if (looksWrong(value))
        mask |= HintBit(hint);
    return mask;
}

THintMask ShapeHints(TPersonField field, std::string_view value) {
    switch (field) {
    case TPersonField::nazwisko:
        return ShapeHints(field, value, SurnameLooksWrong, THint::SurnameNotInCapitals);
    case TPersonField::imie:
        return ShapeHints(field, value, FirstNameLooksWrong, THint::FirstNameOtherWords);
    case TPersonField::ste:
        return ShapeHints(field, value, RankLooksWrong, THint::RankOtherText);
    case TPersonField::stanowisko:
        return ShapeHints(field, value, StartsWithOrderWords, THint::PositionOrderWords);
    default:
        return 0;
    }
}

} // namespace

bool TRowHintSet::Any() const {
    return std::any_of(fields.begin(), fields.end(), [](THintMask m) { return m != 0; });
}

TRowHintSet TRowHints::RowOwnHints(const TPersonRecord& row) {
    TRowHintSet set;
    for (const TPersonField field : kTextFields)
        MaskOf(set, field) = CharacterHints(row.Text(field)) | ShapeHints(field, row.Text(field));

    const TPeselVerdict verdict = CheckPesel(row.pesel);
    MaskOf(set, TPersonField::pesel) |= PeselHints(verdict);
    if (verdict.elevenDigits && row.plec != std::string_view(&verdict.sex, 1))
        MaskOf(set, TPersonField::plec) |= HintBit(THint::PeselSexMismatch);
    return set;
}

namespace {

// Marks as duplicates the rows of equal adjacent keys in `keyed` (key, position) once sorted.
template <typename Key>
void MarkEqualKeys(std::vector<std::pair<Key, int>>& keyed, std::vector<bool>& duplicate) {
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 1; i < keyed.size(); ++i)
        if (keyed[i].first == keyed[i - 1].first) {
            duplicate[static_cast<std::size_t>(keyed[i].second)] = true;
            duplicate[static_cast<std::size_t>(keyed[i - 1].second)] = true;
        }
}

// The positions (0-based) of the rows whose non-empty PESEL stands in another row too. Nearly
// every PESEL is 11 digits, which sort much faster as one number than as text
// (ARCHITECTURE.md, Benchmarks).
std::vector<bool> DuplicatePesels(const TPersonTable& table) {
    const int total = table.TotalRows();
    std::vector<std::pair<std::uint64_t, int>> numbers;
    std::vector<std::pair<std::string_view, int>> texts;
    numbers.reserve(static_cast<std::size_t>(total));
    for (int position = 1; position <= total; ++position) {
        const std::string& pesel = table.RowAt(position).pesel;
        if (pesel.empty())
            continue;
        if (IsElevenDigits(pesel)) {
            std::uint64_t number = 0;
            for (const char c : pesel)
                number = number * 10 + static_cast<std::uint64_t>(c - '0');
            numbers.emplace_back(number, position - 1);
        } else {
            texts.emplace_back(pesel, position - 1);
        }
    }
    std::vector<bool> duplicate(static_cast<std::size_t>(total), false);
    MarkEqualKeys(numbers, duplicate);
    MarkEqualKeys(texts, duplicate);
    return duplicate;
}

// The values the import guessed, each on the field it set.
void AddGuessHints(const TRowGuesses& guesses, TRowHintSet& set) {
    if (guesses.namesByPlace) {
        MaskOf(set, TPersonField::nazwisko) |= HintBit(THint::NamesByPlace);
        MaskOf(set, TPersonField::imie) |= HintBit(THint::NamesByPlace);
    }
    if (guesses.sexByDefault)
        MaskOf(set, TPersonField::plec) |= HintBit(THint::SexByDefault);
    if (guesses.rankLastWord)
        MaskOf(set, TPersonField::ste) |= HintBit(THint::RankLastWord);
    if (guesses.positionAfterSeveralSeparators)
        MaskOf(set, TPersonField::stanowisko) |= HintBit(THint::PositionLastOfSeparators);
    // A join from a separator reads the position as one line would; one without any is a guess.
    if (guesses.positionJoinedWhole)
        MaskOf(set, TPersonField::stanowisko) |= HintBit(THint::PositionJoinedLines);
}

// The words of `text` in small letters, appended to `into`.
void AppendLoweredWords(std::string_view text, std::vector<std::string>& into) {
    AnyWord(text, [&into](std::string_view word) {
        std::string& lowered = into.emplace_back(word);
        for (char& c : lowered)
            c = LowerLetter(c);
        return false;
    });
}

// The positions (0-based) of the rows whose first name the import read before the surname, while
// a word of that surname stands as the first name of a row read the other way (surname in
// capitals first). Only an order
// that has rows read first name first pays for the list of first names.
std::vector<bool> NamesMaybeSwapped(const TPersonTable& table, const TImportTrace& trace) {
    const int total = table.TotalRows();
    std::vector<bool> swapped(static_cast<std::size_t>(total), false);
    std::vector<int> firstNameFirst;
    std::vector<std::string> firstNames;
    for (int position = 1; position <= total; ++position) {
        const TPersonRecord& row = table.RowAt(position);
        const TRowGuesses guesses = trace.GuessesOf(row.id);
        // A row read by word order may hold a surname as its first name.
        if (guesses.firstNameBeforeSurname)
            firstNameFirst.push_back(position);
        else if (!guesses.namesByPlace)
            AppendLoweredWords(row.imie, firstNames);
    }
    if (firstNameFirst.empty())
        return swapped;
    std::sort(firstNames.begin(), firstNames.end());
    std::vector<std::string> surname;
    for (const int position : firstNameFirst) {
        surname.clear();
        AppendLoweredWords(table.RowAt(position).nazwisko, surname);
        swapped[static_cast<std::size_t>(position - 1)] =
            std::any_of(surname.begin(), surname.end(), [&firstNames](const std::string& word) {
                return std::binary_search(firstNames.begin(), firstNames.end(), word);
            });
    }
    return swapped;
}

} // namespace

int TRowHints::PeselTwinOf(const TPersonTable& table, const TPersonRecord& row) {
    if (row.pesel.empty())
        return 0;
    for (int position = 1; position <= table.TotalRows(); ++position) {
        const TPersonRecord& other = table.RowAt(position);
        if (other.id != row.id && other.pesel == row.pesel)
            return position;
    }
    return 0;
}

void TRowHints::Compute(const TPersonTable& table, const TImportTrace* trace) {
    byId_.clear();
    hintedRows_ = 0;
    const int total = table.TotalRows();
    const std::vector<bool> duplicate = DuplicatePesels(table);
    const std::vector<bool> swapped = trace ? NamesMaybeSwapped(table, *trace)
                                            : std::vector<bool>(static_cast<std::size_t>(total));

    std::int32_t maxId = 0;
    for (int position = 1; position <= total; ++position)
        maxId = std::max(maxId, table.RowAt(position).id);
    byId_.resize(static_cast<std::size_t>(maxId));
    for (int position = 1; position <= total; ++position) {
        const TPersonRecord& row = table.RowAt(position);
        TRowHintSet set = RowOwnHints(row);
        if (duplicate[static_cast<std::size_t>(position - 1)])
            MaskOf(set, TPersonField::pesel) |= HintBit(THint::PeselDuplicate);
        if (trace)
            AddGuessHints(trace->GuessesOf(row.id), set);
        if (swapped[static_cast<std::size_t>(position - 1)]) {
            MaskOf(set, TPersonField::nazwisko) |= HintBit(THint::NamesMaybeSwapped);
            MaskOf(set, TPersonField::imie) |= HintBit(THint::NamesMaybeSwapped);
        }
        if (set.Any())
            ++hintedRows_;
        if (row.id >= 1)
            byId_[static_cast<std::size_t>(row.id - 1)] = set;
    }
}

TRowHintSet TRowHints::HintsOf(std::int32_t id) const {
    if (id < 1 || static_cast<std::size_t>(id) > byId_.size())
        return {};
    return byId_[static_cast<std::size_t>(id - 1)];
}

int TRowHints::NextHinted(const TPersonTable& table, int from, int step) const {
    const int total = table.TotalRows();
    if (hintedRows_ == 0 || total == 0)
        return 0;
    if (from < 1 || from > total)
        from = step > 0 ? total : 1;
    for (int position = from, seen = 0; seen < total; ++seen) {
        position = (position - 1 + step + total) % total + 1;
        if (HintsOf(table.RowAt(position).id).ToCheck())
            return position;
    }
    return 0;
}

template <typename Change> void TRowHints::Amend(std::int32_t id, Change change) {
    if (id < 1 || static_cast<std::size_t>(id) > byId_.size())
        return;
    TRowHintSet& set = byId_[static_cast<std::size_t>(id - 1)];
    const bool before = set.ToCheck();
    change(set);
    hintedRows_ += static_cast<int>(set.ToCheck()) - static_cast<int>(before);
}

void TRowHints::Waive(std::int32_t id, TPersonField field, THintMask hints) {
    Amend(id, [&](TRowHintSet& set) { MaskOf(set, field) &= ~hints; });
}

void TRowHints::Confirm(std::int32_t id) {
    Amend(id, [](TRowHintSet& set) { set.confirmed = true; });
}
