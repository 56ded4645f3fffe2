#include "notes/HintTexts.h"

#include "ui/TWin1250.h"

#include <QStringList>

#include <algorithm>
#include <iterator>

namespace {

QString EmptyText(TPersonField field) {
    switch (field) {
    case TPersonField::imie:
        return QStringLiteral("Brak imienia");
    case TPersonField::ste:
        return QStringLiteral("Brak stopnia");
    case TPersonField::stanowisko:
        return QStringLiteral("Brak stanowiska");
    default:
        return QStringLiteral("Brak nazwiska");
    }
}

struct THintText {
    THint hint;
    const char16_t* text;
};

// One line for each hint, in the enum's order.
constexpr THintText kHintTexts[] = {
    {THint::PeselNotElevenDigits, u"PESEL nie składa się z 11 cyfr"},
    {THint::PeselCheckDigit, u"Błędna cyfra kontrolna numeru PESEL"},
    {THint::PeselBirthDate, u"Numer PESEL zawiera niemożliwą datę urodzenia"},
    {THint::PeselSexMismatch, u"Płeć niezgodna z numerem PESEL"},
    {THint::PeselDuplicate, u"Ten sam numer PESEL ma inna osoba na liście"},
    {THint::EmptyValue, nullptr}, // named after the field: EmptyText
    {THint::Tab, u"Wartość zawiera znak tabulacji"},
    {THint::NonBreakingSpace, u"Wartość zawiera twardą spację"},
    {THint::QuestionMark, u"Znak „?” może zastępować znak spoza strony kodowej Windows-1250"},
    {THint::SurnameNotInCapitals,
     u"Nazwisko z małą literą lub kropką na końcu – czy to nie stopień?"},
    {THint::FirstNameOtherWords, u"Imię zawiera wyraz wielkimi literami, cyfrę lub skrót z kropką"},
    {THint::RankOtherText, u"Stopień zawiera cyfrę, wielką literę, „/” lub „:”"},
    {THint::PositionOrderWords, u"Stanowisko zaczyna się od słów rozkazu „na stanowisko”"},
    {THint::FullWidth, u"Wartość wypełnia całe pole – mogła zostać ucięta"},
    {THint::NamesByPlace, u"Żaden wyraz nie jest pisany wielkimi literami – nazwisko i imię "
                          u"odczytane z kolejności wyrazów, sprawdź oba"},
    {THint::SexByDefault,
     u"Brak „S.” lub „C.” i 11-cyfrowego numeru PESEL – płeć przyjęta jako „K”"},
    {THint::RankLastWord,
     u"Stopień odczytany z wiersza bez dwukropka ani myślnika – sprawdź, czy jest pełny"},
    {THint::PositionLastOfSeparators, u"Stanowisko odczytane po ostatnim z kilku myślników lub "
                                      u"dwukropków – sprawdź, czy jest pełne"},
    {THint::PositionJoinedLines, u"Stanowisko złożone z kilku wierszy bez myślnika ani dwukropka "
                                 u"– sprawdź, gdzie się zaczyna"},
    {THint::NamesMaybeSwapped, u"Imię odczytane sprzed nazwiska, a nazwisko stoi w innych "
                               u"wierszach jako imię – sprawdź, czy nie są zamienione"},
};

constexpr bool InHintOrder() {
    if (std::size(kHintTexts) != kHintCount)
        return false;
    for (std::size_t i = 0; i < kHintCount; ++i)
        if (kHintTexts[i].hint != kAllHints[i])
            return false;
    return true;
}
static_assert(InHintOrder(), "kHintTexts holds one line for each hint, in THint's order");

QString HintText(TPersonField field, THint hint) {
    const char16_t* text = kHintTexts[static_cast<std::size_t>(hint)].text;
    return text ? QString::fromUtf16(text) : EmptyText(field);
}

} // namespace

QString HintNote(TPersonField field, THintMask mask) {
    QStringList lines;
    for (const THint hint : kAllHints)
        if (mask & HintBit(hint))
            lines.append(HintText(field, hint));
    return lines.join(QLatin1Char('\n'));
}

QString SkipReasonText(TSkipReason reason) {
    switch (reason) {
    case TSkipReason::NoDirected:
        return QStringLiteral("brak „kieruję” w bloku osoby");
    case TSkipReason::NoBlockEnd:
        return QStringLiteral("brak „UZASADNIENIE:” przed następną osobą lub końcem rozkazu");
    default:
        return QStringLiteral("brak numeru po „PESEL:”");
    }
}

QString SkippedNote(const std::vector<TSkipReason>& reasons) {
    QStringList lines{QStringLiteral("Osoby z wierszem „PESEL:”, z których nie powstał wiersz:")};
    for (const TSkipReason reason :
         {TSkipReason::NoDirected, TSkipReason::NoBlockEnd, TSkipReason::NoPesel})
        if (const auto count = std::count(reasons.begin(), reasons.end(), reason); count > 0)
            lines.append(QStringLiteral("– %1: %2").arg(SkipReasonText(reason)).arg(count));
    lines.append(QStringLiteral(
        "Kliknij lub naciśnij Alt+P, aby pokazać w treści rozkazu następną z nich."));
    return lines.join(QLatin1Char('\n'));
}

QString PeselDuplicateNote(const TPersonTable& table, const TPersonRecord& row) {
    const int twin = TRowHints::PeselTwinOf(table, row);
    if (twin == 0)
        return {};
    const TPersonRecord& other = table.RowAt(twin);
    return QStringLiteral("%1: %2 %3, wiersz %4")
        .arg(HintText(TPersonField::pesel, THint::PeselDuplicate), TWin1250::Decode(other.nazwisko),
             TWin1250::Decode(other.imie))
        .arg(twin);
}
