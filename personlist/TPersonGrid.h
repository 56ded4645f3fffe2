#pragma once

#include "personlist/TCellNote.h"
#include "personlist/TPersonGridModel.h"
#include "register/TPersonRecord.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>

#include <functional>

class QHeaderView;
class QHelpEvent;
class QMessageBox;
class QPainter;
class TGridHeader;

// The font a cell's text is drawn with, and the text's colour.
struct TCellFont {
    QFont font;
    QColor color;
};

// The person grid `RxDBGrid1`: one line per row of the person table, the current row selected as
// a whole line. It keeps no row of its own: it draws the rows on its visible lines through the
// model, their texts and their cells' notes alike, and every move of the selection is a move of the
// table's current row, which the grid then follows through the table's notifications.
//
// The Menu key and Shift+F10 open the context menu of its actions at the current row.
//
// A screen reader sees it as a table (TPersonGridAccessible), the current row as its selection.
//
// The vertical scroll bar stands for the table, not for pixels: its thumb is at the current row's
// number, its range runs over the row numbers and its page is the number of visible lines.
class TPersonGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    // The grid's OnGetCellProps event: called for every data cell drawn, with the 1-based
    // position of the row being drawn. It may change the cell's font and background.
    using TCellPropsHandler =
        std::function<void(int row, TPersonField field, TCellFont& font, QColor& background)>;
    // Runs the modal "Delete record?" box until it is answered.
    using TConfirmRunner = std::function<void(QMessageBox& box)>;
    // Deletes the current row once Ctrl+Delete was confirmed.
    using TRowDeleter = std::function<void()>;
    // Opens the current row for correction, after a double-click on its line.
    using TRowOpener = std::function<void()>;
    // Runs what a key, a click, the wheel or the scroll bar does to the table, where Qt called
    // the grid; the program's runner catches a failure there (by default it is just run).
    using TActionRunner = std::function<void(const std::function<void()>& action)>;

    explicit TPersonGrid(TDataSource& ds, QWidget* parent = nullptr);

    void SetOnGetCellProps(TCellPropsHandler handler);
    // Replaces the table's own DeleteRow as what a confirmed Ctrl+Delete does.
    void SetRowDeleter(TRowDeleter deleter);
    // What a double-click on a data line does, through the action runner; nothing by default.
    void SetRowOpener(TRowOpener opener);
    void SetActionRunner(TActionRunner runner);
    // Replaces the modal run of the confirm box, so that tests can answer it.
    void SetConfirmRunner(TConfirmRunner runner);

    // Makes the stored row at the 1-based `position` current, through the action runner as a click
    // does; for a screen reader's selection.
    void SelectRow(int position);

    // The note of a cell as its tooltip gives it (its problems, then its correction), by model row
    // from 0 and model column; empty for a cell without one. A screen reader's description.
    QString CellNoteText(int row, int column) const;
    // Every note of a row, in the columns' order, each line with its column's title:
    // "PŁEĆ: płeć niezgodna z numerem PESEL; STE: brak stopnia". The current row's description.
    QString RowNoteText(int row) const;

    TPersonGridModel* Model() const { return model_; }
    QHeaderView* Header() const;
    int TitleHeight() const;
    int RowHeight() const { return rowHeight_; }
    // The row number shown on the top line; 1 while there are no rows.
    int TopRow() const { return top_; }
    // The number of data lines that fit wholly on the grid, at least 1.
    int VisibleLines() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    TPersonTable& Table() const { return model_->Table(); }
    int CurrentRow() const;
    int RowCount() const { return model_->rowCount(); }
    int LastShownRow() const;
    // The row number on the line at `y` in the viewport; 0 below the last row.
    int RowAtY(int y) const;
    int DrawnLines() const;
    QColor Colour(QPalette::ColorRole role) const;

    void FollowTable();
    void TellCurrentRow();
    void TellRowsChanged();
    void FollowNotes(const QModelIndex& first, const QModelIndex& last);
    void RevealCurrentRow();
    void SyncScrollBar();
    void UpdateHorizontalRange();
    void PlaceHeader();

    void MoveBy(int distance);
    void JumpTo(int position);
    bool HandleKey(int key, bool ctrl);
    void ScrollBarAction(int action);
    void ScrollBarValue(int value);
    void TurnWheel(QWheelEvent* event);
    void ConfirmAndDelete();
    // The context menu of the grid's actions, below the current row's line.
    void ShowRowMenu();

    QRect CellRect(int column, int y) const;
    template <typename PaintColumn> void ForEachShownColumn(int y, PaintColumn paint) const;
    void PaintRow(QPainter& painter, int row, bool selected) const;
    void PaintRowMarks(QPainter& painter, int row) const;
    void PaintEmptyLine(QPainter& painter) const;
    void PaintFocusSign(QPainter& painter) const;
    void CellProps(int row, TPersonField field, TCellFont& font, QColor& background) const;
    void DrawNoteMarks(QPainter& painter, const QRect& cell, const TCellNote& note) const;
    void ShowCellNote(QHelpEvent* event) const;
    void DrawCell(QPainter& painter, const QRect& cell, const QColor& background,
                  const TCellFont& font, const QString& text, Qt::Alignment alignment) const;

    TPersonGridModel* model_;
    QFont font_;
    int rowHeight_;
    TGridHeader* header_;
    TCellPropsHandler onGetCellProps_;
    TConfirmRunner confirm_;
    TRowDeleter deleteRow_;
    TRowOpener openRow_;
    TActionRunner runAction_;
    int top_ = 1;
    // The current row and the row count as last followed, to keep the current row's screen line
    // when rows were removed.
    int shownCurrent_ = 0;
    int shownRows_ = 0;
    bool syncingScrollBar_ = false;
    int wheelAngle_ = 0;
};
