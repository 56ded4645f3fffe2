#pragma once

#include "TPersonRecord.h"
#include "TPersonTable.h"

#include <QString>

#include <ostream>
#include <vector>

void PrintTo(const TPersonRecord& row, std::ostream* out);
void PrintTo(const QString& text, std::ostream* out);

// Every stored row of the table, from the first.
std::vector<TPersonRecord> TableRows(const TPersonTable& table);
