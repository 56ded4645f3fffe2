#include "personlist/TGridCellAccessible.h"

#include "personlist/TPersonGrid.h"
#include "personlist/TPersonGridAccessible.h"

#include <QHeaderView>

TGridCellAccessible::TGridCellAccessible(TPersonGrid* grid, int row, int column)
    : grid_(grid), row_(row), column_(column) {}

bool TGridCellAccessible::isValid() const {
    return grid_ != nullptr && column_ < grid_->Header()->count() &&
           row_ < grid_->Model()->rowCount();
}

QAccessibleInterface* TGridCellAccessible::parent() const {
    return QAccessible::queryAccessibleInterface(grid_);
}

// A cell's name is its value; its description tells its problems and the value the import found
// when the clerk corrected it, as its tooltip does.
QString TGridCellAccessible::text(QAccessible::Text t) const {
    if ((t != QAccessible::Name && t != QAccessible::Description) || !isValid())
        return {};
    const TPersonGridModel& model = *grid_->Model();
    const int logical = grid_->Header()->logicalIndex(column_);
    if (t == QAccessible::Description)
        return IsTitle() ? QString() : grid_->CellNoteText(row_, logical);
    if (IsTitle())
        return model.headerData(logical, Qt::Horizontal).toString();
    return model.data(model.index(row_, logical)).toString();
}

// In the viewport for a cell, in the header for a title; empty for a cell off the visible lines.
QRect TGridCellAccessible::ViewportRect() const {
    const QHeaderView& header = *grid_->Header();
    const int logical = header.logicalIndex(column_);
    const int x = header.sectionViewportPosition(logical);
    if (IsTitle())
        return {x, 0, header.sectionSize(logical), header.height()};
    const int line = row_ + 1 - grid_->TopRow();
    if (line < 0 || line >= grid_->VisibleLines())
        return {};
    return {x, line * grid_->RowHeight(), header.sectionSize(logical), grid_->RowHeight()};
}

QRect TGridCellAccessible::rect() const {
    if (!isValid())
        return {};
    const QRect place = ViewportRect();
    if (place.isEmpty())
        return {};
    const QWidget* owner = IsTitle() ? static_cast<QWidget*>(grid_->Header()) : grid_->viewport();
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
    state.focused = state.selected && grid_->hasFocus();
    return state;
}

void* TGridCellAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface && !IsTitle())
        return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

bool TGridCellAccessible::isSelected() const {
    return !IsTitle() && isValid() && grid_->Model()->CurrentIndex().row() == row_;
}

QList<QAccessibleInterface*> TGridCellAccessible::columnHeaderCells() const {
    auto* table = static_cast<TPersonGridAccessible*>(parent());
    return {table->Cell(-1, column_)};
}
