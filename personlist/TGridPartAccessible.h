#pragma once

#include <QAccessibleInterface>

class TPersonGrid;

// What a cell, a column title and the current row's object share for a screen reader: a part of
// the person grid with no children and no object of its own, read from the grid anew whenever
// asked. Its parent is whatever accessible table the program made for the grid, so a part needs
// nothing of the table's class.
class TGridPartAccessible : public QAccessibleInterface {
public:
    explicit TGridPartAccessible(TPersonGrid* grid) : grid_(grid) {}

    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    TPersonGrid* Grid() const { return grid_; }

private:
    TPersonGrid* grid_;
};
