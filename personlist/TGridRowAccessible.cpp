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
    const QRect line = isValid() ? Grid()->LineRect(Row() + 1) : QRect();
    if (line.isNull())
        return {};
    return {Grid()->viewport()->mapToGlobal(line.topLeft()), line.size()};
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
