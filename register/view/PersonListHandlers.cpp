#include "PersonListHandlers.h"

#include "DesignValues.h"

void SetRowBackground(int row, QColor& background) {
    background = QColor::fromRgb(row % 2 == 1 ? Design::kOddRowGrey : Design::kEvenRowGrey);
}

void DeleteCurrentPerson(const TPersonTable& table, const std::function<void()>& deleteRow) {
    if (table.FieldNumber("id") != 0)
        deleteRow();
}
