#include "PersonListHandlers.h"

#include "DesignValues.h"

void SetRowBackground(const TPersonTable& table, QColor& background) {
    background =
        QColor::fromRgb(table.RowNumber() % 2 == 1 ? Design::kOddRowGrey : Design::kEvenRowGrey);
}

void DeleteCurrentPerson(const TPersonTable& table, const std::function<void()>& deleteRow) {
    if (table.FieldNumber("id") != 0)
        deleteRow();
}
