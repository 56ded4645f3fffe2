#include "PersonListHandlers.h"

void SetRowBackground(const TPersonTable& table, QColor& background) {
    background = table.RowNumber() % 2 == 1 ? QColor(0xC0, 0xC0, 0xC0) : QColor(0xA2, 0xA2, 0xA2);
}

void DeleteCurrentPerson(const TPersonTable& table, const std::function<void()>& deleteRow) {
    if (table.FieldNumber("id") != 0)
        deleteRow();
}
