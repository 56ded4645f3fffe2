#pragma once

#include "personlist/TCellFont.h"
#include "personlist/TGridPainter.h"
#include "personlist/TPersonGridModel.h"
#include "register/TPersonRecord.h"

#include <QAbstractScrollArea>
#include <QRect>

#include <exception>

class QHeaderView;
class QHelpEvent;
class TGridHeader;

// The person grid `RxDBGrid1`: one line per row of the person table, the current row selected as
// a whole line. It keeps no row of its own: it draws the rows on its visible lines through the
// model, their texts and their cells' notes alike, and every move of the selection is a move of the
// table's current row, which the grid then follows through the table's notifications. It
// scrolls, moves and asks; TGridPainter draws its lines, and its owner hears it through signals.
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
    explicit TPersonGrid(TDataSource& ds, QWidget* parent = nullptr);

    // Makes the stored row at the 1-based `position` current, as a click does (a failure goes out
    // as ActionFailed); for a screen reader's selection.
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
    int RowHeight() const;
    // The row number shown on the top line; 1 while there are no rows.
    int TopRow() const { return top_; }
    // The number of data lines that fit wholly on the grid, at least 1.
    int VisibleLines() const;
    // The viewport's line of the 1-based `row`, the viewport's width; a null rectangle when the
    // row is not on a line that fits wholly.
    QRect LineRect(int row) const;

signals:
    // The grid's OnGetCellProps event: emitted for every data cell drawn, with the 1-based
    // position of the row being drawn; a receiver connected directly may change the cell's font
    // and background.
    void GetCellProps(int row, TPersonField field, TCellFont& font, QColor& background);
    // The clerk answered "Delete record?" after Ctrl+Delete with Yes. The grid deletes nothing
    // itself: the owner deletes the current row as its other commands do, so that it can be undone.
    void DeleteConfirmed();
    // A double-click on a data line, which the grid has made current: the owner opens the row.
    void RowOpenRequested();
    // What a key, a click, the wheel or the scroll bar did to the table failed; the table stays as
    // the failure left it, and its owner shows `failure` as it shows any failed action.
    void ActionFailed(std::exception_ptr failure);

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

    void FollowTable();
    void TellCurrentRow();
    void TellRowsChanged();
    void FollowNotes(const QModelIndex& first, const QModelIndex& last);
    void RevealCurrentRow();
    void SyncScrollBar();
    void UpdateHorizontalRange();
    void PlaceHeader();

    // Runs what an input does to the table; a failure there is emitted as ActionFailed, since
    // Qt's frames, which called the grid, do not unwind.
    template <typename Action> void RunAction(Action action);
    void MoveBy(int distance);
    void JumpTo(int position);
    bool HandleKey(int key, bool ctrl);
    void ScrollBarAction(int action);
    void ScrollBarValue(int value);
    void TurnWheel(QWheelEvent* event);
    void ConfirmAndDelete();
    // The context menu of the grid's actions, below the current row's line.
    void ShowRowMenu();
    void ShowCellNote(QHelpEvent* event) const;

    TPersonGridModel* model_;
    TGridHeader* header_;
    TGridPainter painter_;
    int top_ = 1;
    // The current row and the row count as last followed, to keep the current row's screen line
    // when rows were removed.
    int shownCurrent_ = 0;
    int shownRows_ = 0;
    bool syncingScrollBar_ = false;
    int wheelAngle_ = 0;
};
