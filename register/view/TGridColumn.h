#pragma once

#include "TPersonRecord.h"

#include <QString>
#include <Qt>

// The grid's columns, left to right as first laid out; `id` has no column and `stanowisko`
// comes before `nis`. `Count` ends the list.
enum class TGridColumn { pesel, nazwisko, imie, plec, ste, stanowisko, nis, Count };

constexpr int kGridColumnCount = static_cast<int>(TGridColumn::Count);

// How a column is first laid out; the user may resize and move columns afterwards.
struct TGridColumnLayout {
    TPersonField field;
    QString title;
    Qt::Alignment cellAlignment; // titles are always centred
    int width;                   // pixels at 96 pixels per inch
};

// The layout of a column given by its model column number, 0 to kGridColumnCount - 1.
const TGridColumnLayout& GridColumn(int column);
