#include "TGridColumn.h"

#include <array>

const TGridColumnLayout& GridColumn(int column) {
    static const std::array<TGridColumnLayout, kGridColumnCount> layouts{{
        {TPersonField::pesel, QStringLiteral("PESEL"), Qt::AlignHCenter, 110},
        {TPersonField::nazwisko, QStringLiteral("NAZWISKO"), Qt::AlignLeft, 186},
        {TPersonField::imie, QStringLiteral("IMIĘ"), Qt::AlignLeft, 182},
        {TPersonField::plec, QStringLiteral("PŁEĆ"), Qt::AlignHCenter, 47},
        {TPersonField::ste, QStringLiteral("STE"), Qt::AlignLeft, 131},
        {TPersonField::stanowisko, QStringLiteral("STANOWISKO"), Qt::AlignLeft, 241},
        {TPersonField::nis, QStringLiteral("NIS"), Qt::AlignHCenter, 151},
    }};
    return layouts.at(static_cast<std::size_t>(column));
}
