#include "WindowTestSupport.h"

void PrintTo(const TPersonRecord& row, std::ostream* out) {
    *out << row.id << " [" << row.pesel << '|' << row.nazwisko << '|' << row.imie << '|' << row.plec
         << '|' << row.ste << '|' << row.nis << '|' << row.stanowisko << ']';
}

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

std::vector<TPersonRecord> TableRows(const TPersonTable& table) {
    std::vector<TPersonRecord> rows;
    for (int position = 1; position <= table.TotalRows(); ++position)
        rows.push_back(table.RowAt(position));
    return rows;
}
