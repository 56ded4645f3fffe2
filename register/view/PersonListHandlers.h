#pragma once

#include "TPersonTable.h"

#include <QColor>

#include <functional>

// What the window's handlers for the person list do, so that the window only forwards to them.

// RxDBGrid1GetCellProps: the background of a cell by the number `row` of the row being drawn,
// light grey for odd and darker grey for even rows. The colour belongs to the row's number, not to
// its screen line, so scrolling keeps every row's colour and a deletion recolours the rows below.
void SetRowBackground(int row, QColor& background);

// SpeedButton3Click ("USUŃ OSOBĘ"): deletes the current row through `deleteRow` without a
// question. An id of 0 means that the table has no row, and then nothing happens.
void DeleteCurrentPerson(const TPersonTable& table, const std::function<void()>& deleteRow);
