#pragma once

#include "personlist/TGridPartAccessible.h"

// What a screen reader sees of one cell of the person grid, or of one column title (row -1).
// Columns count in the order the clerk sees them, rows from 0. The cell reads the grid anew
// whenever asked; the grid's accessible table drops it when the rows change.
class TGridCellAccessible : public TGridPartAccessible, public QAccessibleTableCellInterface {
public:
    TGridCellAccessible(TPersonGrid* grid, int row, int column);

    bool isValid() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    bool IsTitle() const { return row_ < 0; }
    QRect ViewportRect() const;

    int row_;
    int column_;
};
