#pragma once

#include <QColor>
#include <QFont>

// The font a cell's text is drawn with, and the text's colour.
struct TCellFont {
    QFont font;
    QColor color;
};
