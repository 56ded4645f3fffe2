#pragma once

#include "register/TPersonRecord.h"
#include "register/TPersonTable.h"

#include <ostream>
#include <string>
#include <vector>

// A row as the parser or a clerk would give it: its texts, and id 0 until a table stores it.
TPersonRecord Row(std::string pesel, std::string nazwisko, std::string imie = "",
                  std::string plec = "", std::string ste = "", std::string nis = "",
                  std::string stanowisko = "");

// Appends a row with every text of `row` and posts it.
void StoreRow(TPersonTable& table, const TPersonRecord& row);

// Stores `rows` in their order and makes the first one current, as an import does.
void StoreRows(TPersonTable& table, const std::vector<TPersonRecord>& rows);

// A new table that holds `rows` in their order, the first one current.
TPersonTable TableOf(const std::vector<TPersonRecord>& rows);

// Every stored row of the table, from the first.
std::vector<TPersonRecord> TableRows(const TPersonTable& table);

// GoogleTest prints a row that differs field by field.
void PrintTo(const TPersonRecord& row, std::ostream* out);
