#pragma once

#include "TClock.h"
#include "TPersonRecord.h"

#include <string>
#include <string_view>

// The clear lines of a person file: "LO", the number of column names, the header line, then
// one record line per person. Every entry of the header and record lines ends in a tab.

inline constexpr std::string_view kPersonFileFirstLine = "LO";

// The number of column names in the header line, as text.
std::string ColumnCountLine();

std::string HeaderLine();

// Appends the record line of `row` to `line`. The day of the export is read from `clock` for
// column 10 and read again for column 12. A control character inside a field is written as a
// space, so that the line keeps its 17 entries and holds no line end.
void AppendRecordLine(std::string& line, const TPersonRecord& row, TClock& clock);
