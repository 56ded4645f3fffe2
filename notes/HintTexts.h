#pragma once

#include "check/TRowHints.h"
#include "import/TImportObserver.h"
#include "register/TPersonTable.h"

#include <QString>

#include <vector>

// The tooltip of a cell with problems: one line in Polish for each, in the order of THint; empty
// for a cell without any.
QString HintNote(TPersonField field, THintMask mask);

// "Ten sam numer PESEL ma inna osoba na liście: KOWALSKI Jan, wiersz 5", naming the first other
// row of `table` with the PESEL of `row`; empty for none.
QString PeselDuplicateNote(const TPersonTable& table, const TPersonRecord& row);

// Why a person line gave no row, in a few words ("brak „kieruję” w bloku osoby").
QString SkipReasonText(TSkipReason reason);

// The tooltip of "Pominięte osoby": how many person lines gave no row for each reason, and how
// to find them.
QString SkippedNote(const std::vector<TSkipReason>& reasons);
