#include "HintTexts.h"

#include <QStringList>

namespace {

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
        return field == TPersonField::imie ? QStringLiteral("Brak imienia")
                                           : QStringLiteral("Brak nazwiska");
    case THint::Tab:
        return QStringLiteral("Wartość zawiera znak tabulacji");
    case THint::NonBreakingSpace:
        return QStringLiteral("Wartość zawiera twardą spację");
    case THint::QuestionMark:
        return QStringLiteral("Znak „?” może zastępować znak spoza strony kodowej Windows-1250");
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
