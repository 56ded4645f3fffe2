#include "personlist/TGridRowAccessible.h"

#include "personlist/TPersonGrid.h"

#include <QHeaderView>
#include <QStringList>

bool TGridRowAccessible::isValid() const {
    return grid_ != nullptr && Row() >= 0;
}

int TGridRowAccessible::Row() const {
    return grid_->Model()->CurrentIndex().row();
}

QAccessibleInterface* TGridRowAccessible::parent() const {
    return QAccessible::queryAccessibleInterface(grid_);
}

// The name: the row's values in the columns' order, the empty ones left out; the description:
// the row's notes.
QString TGridRowAccessible::text(QAccessible::Text t) const {
    if (!isValid())
        return {};
    if (t == QAccessible::Description)
        return grid_->RowNoteText(Row());
    if (t != QAccessible::Name)
        return {};
    const TPersonGridModel& model = *grid_->Model();
    const QHeaderView& header = *grid_->Header();
    QStringList values;
    for (int column = 0; column < header.count(); ++column)
        values.append(model.data(model.index(Row(), header.logicalIndex(column))).toString());
    values.removeAll(QString());
    return values.join(QStringLiteral(", "));
}

QRect TGridRowAccessible::rect() const {
    const int line = Row() + 1 - grid_->TopRow();
    if (!isValid() || line < 0 || line >= grid_->VisibleLines())
        return {};
    const QWidget& viewport = *grid_->viewport();
    return {viewport.mapToGlobal(QPoint(0, line * grid_->RowHeight())),
            QSize(viewport.width(), grid_->RowHeight())};
}

QAccessible::State TGridRowAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.selected = true;
    state.focusable = true;
    state.focused = grid_->hasFocus();
    return state;
}
