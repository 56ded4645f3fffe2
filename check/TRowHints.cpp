#include "TRowHints.h"

#include "TPersonTable.h"
#include "TPeselCheck.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace {

constexpr auto Bit(THint hint) {
    return static_cast<THintMask>(hint);
}

constexpr std::array<TPersonField, 7> kTextFields{
    TPersonField::pesel, TPersonField::nazwisko, TPersonField::imie,      TPersonField::plec,
    TPersonField::ste,   TPersonField::nis,      TPersonField::stanowisko};

THintMask CharacterHints(const std::string& text) {
    THintMask mask = 0;
    for (const char c : text) {
        if (c == '\t')
            mask |= Bit(THint::Tab);
        else if (c == '\xA0')
            mask |= Bit(THint::NonBreakingSpace);
        else if (c == '?')
            mask |= Bit(THint::QuestionMark);
    }
    return mask;
}

THintMask PeselHints(const TPeselVerdict& verdict) {
    if (!verdict.elevenDigits)
        return Bit(THint::PeselNotElevenDigits);
    THintMask mask = 0;
    if (!verdict.checkDigitOk)
        mask |= Bit(THint::PeselCheckDigit);
    if (!verdict.dateOk)
        mask |= Bit(THint::PeselBirthDate);
    return mask;
}

THintMask& MaskOf(TRowHintSet& set, TPersonField field) {
    return set.fields[static_cast<std::size_t>(field)];
}

} // namespace

bool TRowHintSet::Any() const {
    return std::any_of(fields.begin(), fields.end(), [](THintMask m) { return m != 0; });
}

TRowHintSet TRowHints::RowOwnHints(const TPersonRecord& row) {
    TRowHintSet set;
    for (const TPersonField field : kTextFields)
        MaskOf(set, field) = CharacterHints(row.Text(field));

    const TPeselVerdict verdict = CheckPesel(row.pesel);
    MaskOf(set, TPersonField::pesel) |= PeselHints(verdict);
    if (verdict.elevenDigits && row.plec != std::string_view(&verdict.sex, 1))
        MaskOf(set, TPersonField::plec) |= Bit(THint::PeselSexMismatch);
    if (row.nazwisko.empty())
        MaskOf(set, TPersonField::nazwisko) |= Bit(THint::EmptyValue);
    if (row.imie.empty())
        MaskOf(set, TPersonField::imie) |= Bit(THint::EmptyValue);
    return set;
}

void TRowHints::Compute(const TPersonTable& table) {
    byId_.clear();
    hintedRows_ = 0;
    const int total = table.TotalRows();

    std::unordered_map<std::string_view, int> peselCount;
    peselCount.reserve(static_cast<std::size_t>(total));
    std::int32_t maxId = 0;
    for (int position = 1; position <= total; ++position) {
        const TPersonRecord& row = table.RowAt(position);
        maxId = std::max(maxId, row.id);
        if (!row.pesel.empty())
            ++peselCount[row.pesel];
    }

    byId_.resize(static_cast<std::size_t>(maxId));
    for (int position = 1; position <= total; ++position) {
        const TPersonRecord& row = table.RowAt(position);
        TRowHintSet set = RowOwnHints(row);
        if (!row.pesel.empty() && peselCount[row.pesel] > 1)
            MaskOf(set, TPersonField::pesel) |= Bit(THint::PeselDuplicate);
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
