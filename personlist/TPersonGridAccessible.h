#pragma once

#include <QAccessibleWidget>
#include <QHash>

class TPersonGrid;

// What a screen reader sees of the person grid: a table of the rows with the column titles as
// its column headers and the current row as its one selected row. Its children are the titles
// first, then the cells row by row, then the current row's own object (TGridRowAccessible), which
// the focus names; they are made when first asked for and kept until the rows change.
class TPersonGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TPersonGridAccessible(TPersonGrid* grid);
    ~TPersonGridAccessible() override;

    // The accessibility factory: the interface for a person grid, none for anything else. The
    // program installs it (QAccessible::installFactory) before it makes a grid.
    static QAccessibleInterface* Create(const QString& className, QObject* object);

    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    // The title of a column (row -1) or a cell, made once and kept until the rows change.
    QAccessibleInterface* Cell(int row, int column) const;
    TPersonGrid* Grid() const;
    int CellCount() const;
    QAccessibleInterface* CurrentRowObject() const;
    int CurrentRow() const;
    void Forget();

    mutable QHash<int, QAccessible::Id> children_;
};
