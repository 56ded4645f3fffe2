#pragma once

#include <QMetaType>
#include <QString>

// What the grid shows of a cell beyond its text; each part is a line or lines of its tooltip.
struct TCellNote {
    // The cell's problems, marked by a red corner at its top right; grey once they were checked.
    QString problems;
    bool checked = false;
    // The clerk changed the value: what it was, marked by a blue corner at the top left.
    QString correction;

    bool Empty() const { return problems.isEmpty() && correction.isEmpty(); }
    QString Tooltip() const;
};

Q_DECLARE_METATYPE(TCellNote)
