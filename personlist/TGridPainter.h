#pragma once

#include "personlist/TCellFont.h"
#include "register/TPersonRecord.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

#include <functional>

class QHeaderView;
class QPainter;
class TPersonGridModel;
struct TCellNote;

// Draws the person grid's lines from its model: each cell's fill, column line and text, the
// selected line, the focus frame and the cells' note marks. It keeps nothing of the rows between
// paints; the grid says for each paint which row its top line shows, and the model gives the rest.
class TGridPainter {
public:
    // Called for every data cell drawn, with the 1-based position of the row being drawn; it may
    // change the cell's font and background.
    using TCellProps =
        std::function<void(int row, TPersonField field, TCellFont& font, QColor& background)>;

    // What the grid looks like at a paint: the row on its top line, the viewport's area, the
    // columns' scroll in pixels, whether it has the keyboard focus, and its colours.
    struct TView {
        int top;
        QRect area;
        int scrolled;
        bool focused;
        QPalette palette;
    };

    // The lines are as high as the text of `font` and a little more.
    TGridPainter(const TPersonGridModel& model, const QHeaderView& header, const QFont& font,
                 TCellProps cellProps);

    // The colour of the line after each column, the titles' as well.
    static QColor LineColour();
    int RowHeight() const { return rowHeight_; }

    void Paint(QPainter& painter, const TView& view) const;
    // The cell of a model column on the line whose top is at `y` in the viewport.
    QRect CellRect(int column, int y) const;
    // The number of lines that cover an area of that height, the last one perhaps in part.
    int DrawnLines(int height) const;

private:
    template <typename PaintColumn>
    void ForEachShownColumn(const QRect& area, int y, PaintColumn paint) const;
    void PaintRow(QPainter& painter, const TView& view, int row, bool selected) const;
    void PaintRowMarks(QPainter& painter, const TView& view, int row) const;
    void PaintEmptyLine(QPainter& painter, const TView& view) const;
    void PaintFocusSign(QPainter& painter, const TView& view) const;
    void DrawCell(QPainter& painter, const QRect& cell, const QColor& background,
                  const TCellFont& font, const QString& text, Qt::Alignment alignment) const;
    static void DrawNoteMarks(QPainter& painter, const QRect& cell, const TCellNote& note);

    const TPersonGridModel& model_;
    const QHeaderView& header_;
    QFont font_;
    int rowHeight_;
    TCellProps cellProps_;
};
