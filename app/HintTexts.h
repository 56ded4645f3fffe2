#pragma once

#include "check/TRowHints.h"
#include "import/TImportObserver.h"

#include <QString>

#include <vector>

// The tooltip of a cell with problems: one line in Polish for each, in the order of THint; empty
// for a cell without any.
QString HintNote(TPersonField field, THintMask mask);

// Why a person line gave no row, in a few words ("brak „kieruję” w bloku osoby").
QString SkipReasonText(TSkipReason reason);

// The tooltip of "Pominięte osoby": how many person lines gave no row for each reason, and how
// to find them.
QString SkippedNote(const std::vector<TSkipReason>& reasons);
