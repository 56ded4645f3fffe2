#pragma once

#include "personlist/TGridPartAccessible.h"

// What a screen reader is told of the grid's current row when it lands on it: one object whose
// name gives the row's values and whose description gives each problem and correction with its
// column's title ("PŁEĆ: płeć niezgodna z numerem PESEL; STE: brak stopnia"). It is the table's
// last child, after the cells, which keep their own descriptions for a reader's cell-by-cell keys.
// It reads the current row anew whenever asked, so it never stands for a row that went.
class TGridRowAccessible : public TGridPartAccessible {
public:
    explicit TGridRowAccessible(TPersonGrid* grid) : TGridPartAccessible(grid) {}

    bool isValid() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Row; }
    QAccessible::State state() const override;

private:
    int Row() const;
};
