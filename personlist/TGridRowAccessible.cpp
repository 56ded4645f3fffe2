#include "personlist/TGridRowAccessible.h"

#include "personlist/TPersonGrid.h"

#include <QHeaderView>
#include <QStringList>

bool TGridRowAccessible::isValid() const {
    return Grid() != nullptr && Row() >= 0;
}

int TGridRowAccessible::Row() const {
    return Grid()->Model()->CurrentIndex().row();
}

// The name: the row's values in the columns' order, the empty ones left out; the description:
// the row's notes.
QString TGridRowAccessible::text(QAccessible::Text t) const {
    if (!isValid())
        return {};
    if (t == QAccessible::Description)
        return Grid()->RowNoteText(Row());
    if (t != QAccessible::Name)
        return {};
    const TPersonGridModel& model = *Grid()->Model();
    const QHeaderView& header = *Grid()->Header();
    QStringList values;
    for (int column = 0; column < header.count(); ++column)
        values.append(model.data(model.index(Row(), header.logicalIndex(column))).toString());
    values.removeAll(QString());
    return values.join(QStringLiteral(", "));
}

QRect TGridRowAccessible::rect() const {
    const int line = Row() + 1 - Grid()->TopRow();
    if (!isValid() || line < 0 || line >= Grid()->VisibleLines())
        return {};
    const QWidget& viewport = *Grid()->viewport();
    return {viewport.mapToGlobal(QPoint(0, line * Grid()->RowHeight())),
            QSize(viewport.width(), Grid()->RowHeight())};
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
    state.focused = Grid()->hasFocus();
    return state;
}
