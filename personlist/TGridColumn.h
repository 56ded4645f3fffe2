#pragma once

#include "register/TPersonRecord.h"

#include <QString>
#include <Qt>

#include <array>
#include <tuple>

// How a column is first laid out; the user may resize and move columns afterwards.
struct TGridColumnLayout {
    TPersonField field;
    QString title;
    Qt::Alignment cellAlignment; // titles are always centred
    int width;                   // pixels at 96 pixels per inch
};

// The grid's columns, left to right as first laid out; `id` has no column and `stanowisko`
// comes before `nis`. A model column number is an index into this list.
inline const auto kGridColumns = std::to_array<TGridColumnLayout>({
    {TPersonField::pesel, QStringLiteral("PESEL"), Qt::AlignHCenter, 110},
    {TPersonField::nazwisko, QStringLiteral("NAZWISKO"), Qt::AlignLeft, 186},
    {TPersonField::imie, QStringLiteral("IMIĘ"), Qt::AlignLeft, 182},
    {TPersonField::plec, QStringLiteral("PŁEĆ"), Qt::AlignHCenter, 47},
    {TPersonField::ste, QStringLiteral("STE"), Qt::AlignLeft, 131},
    {TPersonField::stanowisko, QStringLiteral("STANOWISKO"), Qt::AlignLeft, 241},
    {TPersonField::nis, QStringLiteral("NIS"), Qt::AlignHCenter, 151},
});

constexpr int kGridColumnCount = static_cast<int>(std::tuple_size_v<decltype(kGridColumns)>);

// The layout of a column given by its model column number, 0 to kGridColumnCount - 1.
inline const TGridColumnLayout& GridColumn(int column) {
    return kGridColumns.at(static_cast<std::size_t>(column));
}
