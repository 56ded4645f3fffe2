#pragma once

#include <string>
#include <string_view>

// The clear lines that open every person file: "LO", the number of column names, and the
// header line, whose every column name ends in a tab. The record lines follow them
// (TRecordLineBuilder).

inline constexpr std::string_view kPersonFileFirstLine = "LO";

// The number of column names in the header line, as text.
std::string ColumnCountLine();

std::string HeaderLine();
