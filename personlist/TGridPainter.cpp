#include "personlist/TGridPainter.h"

#include "personlist/TCellNote.h"
#include "personlist/TGridColumn.h"
#include "personlist/TPersonGridModel.h"
#include "ui/DesignValues.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace {

const QColor kLineColour = QColor::fromRgb(Design::kColumnLineGrey);
const QColor kNoteColour = QColor::fromRgb(Design::kNoteRed);
const QColor kCheckedNoteColour = QColor::fromRgb(Design::kCheckedNoteGrey);
const QColor kCorrectionColour = QColor::fromRgb(Design::kCorrectionBlue);
// The side of the triangle that marks a cell with a note.
constexpr int kNoteMark = 7;
// Text in a left-aligned cell starts 2 px in; every text's top is 2 px below the cell's top.
constexpr int kTextLeft = 2;
constexpr int kTextTop = 2;

// A column line, one pixel wide at 96 pixels per inch; filled rather than drawn as a line, so
// that at any scaling it meets the cells' fills without a gap.
void DrawColumnLine(QPainter& painter, const QRect& cell, const QColor& colour) {
    painter.fillRect(QRect(cell.right(), cell.top(), 1, cell.height()), colour);
}

// The desktop's active colours, so that the selection looks the same with or without the focus.
QColor Colour(const TGridPainter::TView& view, QPalette::ColorRole role) {
    return view.palette.color(QPalette::Active, role);
}

} // namespace

TGridPainter::TGridPainter(const TPersonGridModel& model, const QHeaderView& header,
                           const QFont& font, TCellProps cellProps)
    : model_(model), header_(header), font_(font), rowHeight_(QFontMetrics(font).height() + 3),
      cellProps_(std::move(cellProps)) {}

QColor TGridPainter::LineColour() {
    return kLineColour;
}

int TGridPainter::DrawnLines(int height) const {
    return std::max(1, (height + rowHeight_ - 1) / rowHeight_);
}

QRect TGridPainter::CellRect(int column, int y) const {
    return {header_.sectionViewportPosition(column), y, header_.sectionSize(column), rowHeight_};
}

template <typename PaintColumn>
void TGridPainter::ForEachShownColumn(const QRect& area, int y, PaintColumn paint) const {
    for (int visual = 0; visual < header_.count(); ++visual) {
        const int column = header_.logicalIndex(visual);
        if (header_.isSectionHidden(column))
            continue;
        const QRect cell = CellRect(column, y);
        if (cell.intersects(area))
            paint(column, cell);
    }
}

void TGridPainter::Paint(QPainter& painter, const TView& view) const {
    const int rows = model_.rowCount();
    if (rows == 0) {
        PaintEmptyLine(painter, view);
        if (view.focused)
            PaintFocusSign(painter, view);
        return;
    }
    const int current = model_.CurrentIndex().row() + 1;
    const int last = std::min(rows, view.top + DrawnLines(view.area.height()) - 1);
    for (int row = view.top; row <= last; ++row)
        PaintRow(painter, view, row, row == current);
    if (view.focused)
        PaintFocusSign(painter, view);
    // The marks lie over the focus frame, which would otherwise cut through them.
    for (int row = view.top; row <= last; ++row)
        PaintRowMarks(painter, view, row);
}

// A dotted frame round the inside of the selected line, in the selected text's colour, so that the
// line keeps its colours and the clerk still sees where the keys go.
void TGridPainter::PaintFocusSign(QPainter& painter, const TView& view) const {
    const int line = model_.rowCount() == 0 ? 0 : model_.CurrentIndex().row() + 1 - view.top;
    if (line < 0 || line >= DrawnLines(view.area.height()))
        return;
    const QRect frame(-view.scrolled, line * rowHeight_, header_.length(), rowHeight_);
    painter.setPen(QPen(Colour(view, QPalette::HighlightedText), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(0, 0, -2, -1));
}

void TGridPainter::PaintEmptyLine(QPainter& painter, const TView& view) const {
    const TCellFont font{font_, Colour(view, QPalette::HighlightedText)};
    ForEachShownColumn(view.area, 0, [&](int, const QRect& cell) {
        DrawCell(painter, cell, Colour(view, QPalette::Highlight), font, QString(), Qt::AlignLeft);
    });
}

void TGridPainter::PaintRow(QPainter& painter, const TView& view, int row, bool selected) const {
    ForEachShownColumn(
        view.area, (row - view.top) * rowHeight_, [&](int column, const QRect& cell) {
            const QModelIndex index = model_.index(row - 1, column);
            const TPersonField field = GridColumn(column).field;
            TCellFont font{font_, Colour(view, QPalette::Text)};
            QColor background = Colour(view, QPalette::Base);
            if (selected) {
                // The selected line keeps the selection colours whatever the handler sets.
                font.color = Colour(view, QPalette::HighlightedText);
                background = Colour(view, QPalette::Highlight);
                const QColor textColour = font.color;
                QColor scratch = background;
                cellProps_(row, field, font, scratch);
                font.color = textColour;
            } else {
                cellProps_(row, field, font, background);
            }
            DrawCell(painter, cell, background, font, model_.data(index).toString(),
                     Qt::Alignment(model_.data(index, Qt::TextAlignmentRole).toInt()));
        });
}

void TGridPainter::PaintRowMarks(QPainter& painter, const TView& view, int row) const {
    ForEachShownColumn(
        view.area, (row - view.top) * rowHeight_, [&](int column, const QRect& cell) {
            const QVariant note = model_.index(row - 1, column).data(TPersonGridModel::NoteRole);
            if (note.isValid())
                DrawNoteMarks(painter, cell, note.value<TCellNote>());
        });
}

// The problems' triangle in the top right corner, the correction's in the top left. A white
// edge along the triangle's long side sets it off from every row colour, the selection's too.
void TGridPainter::DrawNoteMarks(QPainter& painter, const QRect& cell, const TCellNote& note) {
    const auto mark = [&painter](QPoint corner, int across, const QColor& colour) {
        const int down = across > 0 ? 1 : -1;
        const QPoint edge[] = {corner, corner + QPoint(across + down, 0),
                               corner + QPoint(0, kNoteMark + 1)};
        const QPoint triangle[] = {corner, corner + QPoint(across, 0),
                                   corner + QPoint(0, kNoteMark)};
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPolygon(edge, 3);
        painter.setBrush(colour);
        painter.drawPolygon(triangle, 3);
        painter.setBrush(Qt::NoBrush);
    };
    if (!note.problems.isEmpty())
        mark(cell.topRight() - QPoint(1, 0), -kNoteMark,
             note.checked ? kCheckedNoteColour : kNoteColour);
    if (!note.correction.isEmpty())
        mark(cell.topLeft(), kNoteMark, kCorrectionColour);
}

void TGridPainter::DrawCell(QPainter& painter, const QRect& cell, const QColor& background,
                            const TCellFont& font, const QString& text,
                            Qt::Alignment alignment) const {
    painter.fillRect(cell.adjusted(0, 0, -1, 0), background);
    DrawColumnLine(painter, cell, kLineColour);
    if (text.isEmpty())
        return;
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    const int left = horizontal == Qt::AlignLeft ? kTextLeft : 0;
    painter.setFont(font.font);
    painter.setPen(font.color);
    painter.drawText(cell.adjusted(left, kTextTop, -1, 0),
                     static_cast<int>(horizontal | Qt::AlignTop | Qt::TextSingleLine), text);
}
