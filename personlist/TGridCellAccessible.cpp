#include "personlist/TGridCellAccessible.h"

#include "personlist/TPersonGrid.h"

#include <QHeaderView>

TGridCellAccessible::TGridCellAccessible(TPersonGrid* grid, int row, int column)
    : TGridPartAccessible(grid), row_(row), column_(column) {}

bool TGridCellAccessible::isValid() const {
    return Grid() != nullptr && column_ < Grid()->Header()->count() &&
           row_ < Grid()->Model()->rowCount();
}

// A cell's name is its value; its description tells its problems and the value the import found
// when the clerk corrected it, as its tooltip does.
QString TGridCellAccessible::text(QAccessible::Text t) const {
    if ((t != QAccessible::Name && t != QAccessible::Description) || !isValid())
        return {};
    const TPersonGridModel& model = *Grid()->Model();
    const int logical = Grid()->Header()->logicalIndex(column_);
    if (t == QAccessible::Description)
        return IsTitle() ? QString() : Grid()->CellNoteText(row_, logical);
    if (IsTitle())
        return model.headerData(logical, Qt::Horizontal).toString();
    return model.data(model.index(row_, logical)).toString();
}

// In the viewport for a cell, in the header for a title; empty for a cell off the visible lines.
QRect TGridCellAccessible::ViewportRect() const {
    const QHeaderView& header = *Grid()->Header();
    const int logical = header.logicalIndex(column_);
    const int x = header.sectionViewportPosition(logical);
    if (IsTitle())
        return {x, 0, header.sectionSize(logical), header.height()};
    const QRect line = Grid()->LineRect(row_ + 1);
    if (line.isNull())
        return {};
    return {x, line.top(), header.sectionSize(logical), line.height()};
}

QRect TGridCellAccessible::rect() const {
    if (!isValid())
        return {};
    const QRect place = ViewportRect();
    if (place.isEmpty())
        return {};
    const QWidget* owner = IsTitle() ? static_cast<QWidget*>(Grid()->Header()) : Grid()->viewport();
    return {owner->mapToGlobal(place.topLeft()), place.size()};
}

QAccessible::Role TGridCellAccessible::role() const {
    return IsTitle() ? QAccessible::ColumnHeader : QAccessible::Cell;
}

QAccessible::State TGridCellAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    if (rect().isEmpty()) {
        state.invisible = true;
        state.offscreen = true;
    }
    if (IsTitle())
        return state;
    state.selectable = true;
    state.focusable = true;
    state.selected = isSelected();
    state.focused = state.selected && Grid()->hasFocus();
    return state;
}

void* TGridCellAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface && !IsTitle())
        return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

bool TGridCellAccessible::isSelected() const {
    return !IsTitle() && isValid() && Grid()->Model()->CurrentIndex().row() == row_;
}

// The titles are the table's first children, one per column.
QList<QAccessibleInterface*> TGridCellAccessible::columnHeaderCells() const {
    QAccessibleInterface* table = parent();
    return {table != nullptr ? table->child(column_) : nullptr};
}
