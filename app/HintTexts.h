#pragma once

#include "TRowHints.h"

#include <QString>

// The tooltip of a cell with problems: one line in Polish for each, in the order of THint; empty
// for a cell without any.
QString HintNote(TPersonField field, THintMask mask);
