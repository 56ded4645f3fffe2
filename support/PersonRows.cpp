#include "support/PersonRows.h"

#include <utility>

TPersonRecord Row(std::string pesel, std::string nazwisko, std::string imie, std::string plec,
                  std::string ste, std::string nis, std::string stanowisko) {
    return {0,
            std::move(pesel),
            std::move(nazwisko),
            std::move(imie),
            std::move(plec),
            std::move(ste),
            std::move(nis),
            std::move(stanowisko)};
}

void StoreRow(TPersonTable& table, const TPersonRecord& row) {
    table.AppendRow();
    for (const TPersonField field : kTextFields)
        table.SetFieldText(field, row.Text(field));
    table.PostRow();
}

void StoreRows(TPersonTable& table, const std::vector<TPersonRecord>& rows) {
    for (const TPersonRecord& row : rows)
        StoreRow(table, row);
    table.MoveFirst();
}

TPersonTable TableOf(const std::vector<TPersonRecord>& rows) {
    TPersonTable table;
    StoreRows(table, rows);
    return table;
}

std::vector<TPersonRecord> TableRows(const TPersonTable& table) {
    std::vector<TPersonRecord> rows;
    for (int position = 1; position <= table.TotalRows(); ++position)
        rows.push_back(table.RowAt(position));
    return rows;
}

void PrintTo(const TPersonRecord& row, std::ostream* out) {
    *out << row.id << " [" << row.pesel << '|' << row.nazwisko << '|' << row.imie << '|' << row.plec
         << '|' << row.ste << '|' << row.nis << '|' << row.stanowisko << ']';
}
