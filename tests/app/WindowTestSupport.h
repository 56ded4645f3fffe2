#pragma once

#include "TPersonRecord.h"
#include "TPersonTable.h"

#include <ostream>
#include <string>
#include <vector>

class QString;
class QTextDocument;
class Tfnolt_f_r;

void PrintTo(const TPersonRecord& row, std::ostream* out);
void PrintTo(const QString& text, std::ostream* out);

// Every stored row of the table, from the first.
std::vector<TPersonRecord> TableRows(const TPersonTable& table);

// The lines the order text box hands to the parser, from the first to the last counted one.
std::vector<std::string> BoxLines(const QTextDocument& document);

// Clicks the window's button of that object name as the mouse would.
void ClickButton(Tfnolt_f_r& window, const char* name);

// Puts `text` on the clipboard and clicks "WKLEJ ROZKAZ".
void PasteIntoWindow(Tfnolt_f_r& window, const QString& text);
