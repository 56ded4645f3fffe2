#include "personlist/TPersonGridAccessible.h"

#include "personlist/TGridCellAccessible.h"
#include "personlist/TGridRowAccessible.h"
#include "personlist/TPersonGrid.h"

#include <QHeaderView>

TPersonGridAccessible::TPersonGridAccessible(TPersonGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table) {}

TPersonGridAccessible::~TPersonGridAccessible() {
    Forget();
}

QAccessibleInterface* TPersonGridAccessible::Create(const QString&, QObject* object) {
    auto* grid = qobject_cast<TPersonGrid*>(object);
    return grid != nullptr ? new TPersonGridAccessible(grid) : nullptr;
}

TPersonGrid* TPersonGridAccessible::Grid() const {
    return static_cast<TPersonGrid*>(widget());
}

int TPersonGridAccessible::CurrentRow() const {
    return Grid()->Model()->CurrentIndex().row();
}

void* TPersonGridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int TPersonGridAccessible::columnCount() const {
    return Grid()->Header()->count();
}

int TPersonGridAccessible::rowCount() const {
    return Grid()->Model()->rowCount();
}

int TPersonGridAccessible::CellCount() const {
    return (rowCount() + 1) * columnCount();
}

int TPersonGridAccessible::childCount() const {
    return CellCount() + 1;
}

QAccessibleInterface* TPersonGridAccessible::CurrentRowObject() const {
    const int index = CellCount();
    if (const auto known = children_.constFind(index); known != children_.cend())
        return QAccessible::accessibleInterface(*known);
    auto* row = new TGridRowAccessible(Grid());
    children_.insert(index, QAccessible::registerAccessibleInterface(row));
    return row;
}

QAccessibleInterface* TPersonGridAccessible::Cell(int row, int column) const {
    if (column < 0 || column >= columnCount() || row < -1 || row >= rowCount())
        return nullptr;
    const int index = (row + 1) * columnCount() + column;
    if (const auto known = children_.constFind(index); known != children_.cend())
        return QAccessible::accessibleInterface(*known);
    auto* cell = new TGridCellAccessible(Grid(), row, column);
    children_.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

QAccessibleInterface* TPersonGridAccessible::child(int index) const {
    const int columns = columnCount();
    if (index == CellCount())
        return CurrentRowObject();
    return columns == 0 ? nullptr : Cell(index / columns - 1, index % columns);
}

int TPersonGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (child == nullptr || child->parent() != this)
        return -1;
    if (child->role() == QAccessible::Row)
        return CellCount();
    const QAccessibleTableCellInterface* cell =
        const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (cell != nullptr)
        return (cell->rowIndex() + 1) * columnCount() + cell->columnIndex();
    // A column title: the first row of children.
    for (int column = 0; column < columnCount(); ++column)
        if (Cell(-1, column) == child)
            return column;
    return -1;
}

QAccessibleInterface* TPersonGridAccessible::childAt(int x, int y) const {
    const TPersonGrid& grid = *Grid();
    const QHeaderView& header = *grid.Header();
    const QPoint inHeader = header.mapFromGlobal(QPoint(x, y));
    const int logical = header.logicalIndexAt(inHeader.x());
    if (logical < 0)
        return nullptr;
    const int column = header.visualIndex(logical);
    if (header.rect().contains(inHeader))
        return Cell(-1, column);
    const QPoint inView = grid.viewport()->mapFromGlobal(QPoint(x, y));
    if (!grid.viewport()->rect().contains(inView))
        return nullptr;
    return Cell(grid.TopRow() - 1 + inView.y() / grid.RowHeight(), column);
}

QAccessibleInterface* TPersonGridAccessible::focusChild() const {
    return Grid()->hasFocus() && CurrentRow() >= 0 ? CurrentRowObject() : nullptr;
}

QAccessibleInterface* TPersonGridAccessible::cellAt(int row, int column) const {
    return row < 0 ? nullptr : Cell(row, column);
}

int TPersonGridAccessible::selectedCellCount() const {
    return selectedRowCount() * columnCount();
}

QList<QAccessibleInterface*> TPersonGridAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    for (const int row : selectedRows())
        for (int column = 0; column < columnCount(); ++column)
            cells.append(Cell(row, column));
    return cells;
}

QString TPersonGridAccessible::columnDescription(int column) const {
    const QAccessibleInterface* title = Cell(-1, column);
    return title != nullptr ? title->text(QAccessible::Name) : QString();
}

int TPersonGridAccessible::selectedRowCount() const {
    return CurrentRow() < 0 ? 0 : 1;
}

QList<int> TPersonGridAccessible::selectedRows() const {
    const int row = CurrentRow();
    return row < 0 ? QList<int>() : QList<int>{row};
}

bool TPersonGridAccessible::isRowSelected(int row) const {
    return row >= 0 && row == CurrentRow();
}

// Selecting a row makes it the table's current row, as a click on it does.
bool TPersonGridAccessible::selectRow(int row) {
    if (row < 0 || row >= rowCount())
        return false;
    Grid()->SelectRow(row + 1);
    return true;
}

void TPersonGridAccessible::modelChange(QAccessibleTableModelChangeEvent*) {
    Forget();
}

void TPersonGridAccessible::Forget() {
    for (const QAccessible::Id id : std::as_const(children_))
        QAccessible::deleteAccessibleInterface(id);
    children_.clear();
}
