#include "HintTexts.h"

#include <QStringList>

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

QString HintText(TPersonField field, THint hint) {
    switch (hint) {
    case THint::PeselNotElevenDigits:
        return QStringLiteral("PESEL nie składa się z 11 cyfr");
    case THint::PeselCheckDigit:
        return QStringLiteral("Błędna cyfra kontrolna numeru PESEL");
    case THint::PeselBirthDate:
        return QStringLiteral("Numer PESEL zawiera niemożliwą datę urodzenia");
    case THint::PeselSexMismatch:
        return QStringLiteral("Płeć niezgodna z numerem PESEL");
    case THint::PeselDuplicate:
        return QStringLiteral("Ten sam numer PESEL ma inna osoba na liście");
    case THint::EmptyValue:
        return EmptyText(field);
    case THint::Tab:
        return QStringLiteral("Wartość zawiera znak tabulacji");
    case THint::NonBreakingSpace:
        return QStringLiteral("Wartość zawiera twardą spację");
    case THint::QuestionMark:
        return QStringLiteral("Znak „?” może zastępować znak spoza strony kodowej Windows-1250");
    case THint::SurnameNotInCapitals:
        return QStringLiteral("Nazwisko z małą literą lub kropką na końcu – czy to nie stopień?");
    case THint::FirstNameOtherWords:
        return QStringLiteral("Imię zawiera wyraz wielkimi literami, cyfrę lub skrót z kropką");
    case THint::RankOtherText:
        return QStringLiteral("Stopień zawiera cyfrę, wielką literę, „/” lub „:”");
    case THint::PositionOrderWords:
        return QStringLiteral("Stanowisko zaczyna się od słów rozkazu „na stanowisko”");
    case THint::FullWidth:
        return QStringLiteral("Wartość wypełnia całe pole – mogła zostać ucięta");
    case THint::NamesByPlace:
        return QStringLiteral("Żaden wyraz nie jest pisany wielkimi literami – nazwisko i imię "
                              "odczytane z kolejności wyrazów, sprawdź oba");
    case THint::SexByDefault:
        return QStringLiteral(
            "Brak „S.” lub „C.” i 11-cyfrowego numeru PESEL – płeć przyjęta jako „K”");
    case THint::RankLastWord:
        return QStringLiteral(
            "Stopień odczytany z wiersza bez dwukropka ani myślnika – sprawdź, czy jest pełny");
    case THint::PositionLastOfSeparators:
        return QStringLiteral(
            "Stanowisko odczytane po ostatnim z kilku myślników lub dwukropków – sprawdź, "
            "czy jest pełne");
    }
    return {};
}

} // namespace

QString HintNote(TPersonField field, THintMask mask) {
    QStringList lines;
    for (const THint hint : kAllHints)
        if (mask & static_cast<THintMask>(hint))
            lines.append(HintText(field, hint));
    return lines.join(QLatin1Char('\n'));
}
