#include "personlist/TPersonGrid.h"

#include "personlist/TGridColumn.h"
#include "personlist/TGridHeader.h"
#include "ui/DesignValues.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStringList>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <exception>

namespace {

constexpr int kWheelNotch = 120;

} // namespace

TPersonGrid::TPersonGrid(TDataSource& ds, QWidget* parent)
    : QAbstractScrollArea(parent), model_(new TPersonGridModel(ds, this)),
      header_(new TGridHeader(Design::TextFont(), TGridPainter::LineColour(), this)),
      painter_(*model_, *header_, Design::TextFont(),
               [this](int row, TPersonField field, TCellFont& font, QColor& background) {
                   emit GetCellProps(row, field, font, background);
               }) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setFont(Design::TextFont());
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);

    header_->setModel(model_);
    for (int column = 0; column < kGridColumnCount; ++column)
        header_->resizeSection(column, GridColumn(column).width);
    setViewportMargins(0, header_->TitleHeight(), 0, 0);
    connect(header_, &QHeaderView::sectionResized, this, [this] {
        UpdateHorizontalRange();
        viewport()->update();
    });
    connect(header_, &QHeaderView::sectionMoved, viewport(), qOverload<>(&QWidget::update));

    // Without tracking the value changes only when a dragged thumb is released, which is when
    // the grid moves the table.
    QScrollBar* bar = verticalScrollBar();
    bar->setTracking(false);
    bar->installEventFilter(this);
    connect(bar, &QAbstractSlider::actionTriggered, this,
            [this](int action) { RunAction([&] { ScrollBarAction(action); }); });
    connect(bar, &QAbstractSlider::valueChanged, this,
            [this](int value) { RunAction([&] { ScrollBarValue(value); }); });

    // A screen reader forgets the former cells before it hears of the current row: a focus event
    // never names a cell that the reset then takes away.
    connect(model_, &QAbstractItemModel::modelReset, this, &TPersonGrid::TellRowsChanged);
    connect(model_, &QAbstractItemModel::modelReset, this, &TPersonGrid::FollowTable);
    connect(model_, &TPersonGridModel::CurrentRowMoved, this, &TPersonGrid::FollowTable);
    connect(model_, &QAbstractItemModel::dataChanged, this, &TPersonGrid::FollowNotes);
    connect(header_, &QHeaderView::sectionMoved, this, &TPersonGrid::TellRowsChanged);
    FollowTable();
}

QHeaderView* TPersonGrid::Header() const {
    return header_;
}

int TPersonGrid::TitleHeight() const {
    return header_->TitleHeight();
}

int TPersonGrid::RowHeight() const {
    return painter_.RowHeight();
}

int TPersonGrid::VisibleLines() const {
    return std::max(1, viewport()->height() / RowHeight());
}

QRect TPersonGrid::LineRect(int row) const {
    const int line = row - top_;
    if (line < 0 || line >= VisibleLines())
        return {};
    return {0, line * RowHeight(), viewport()->width(), RowHeight()};
}

int TPersonGrid::DrawnLines() const {
    return painter_.DrawnLines(viewport()->height());
}

int TPersonGrid::CurrentRow() const {
    return model_->CurrentIndex().row() + 1;
}

int TPersonGrid::RowAtY(int y) const {
    const int row = top_ + y / RowHeight();
    return row <= RowCount() ? row : 0;
}

int TPersonGrid::LastShownRow() const {
    return std::min(top_ + VisibleLines() - 1, RowCount());
}

// After rows were removed the new current row takes the screen line of the old one, as far as
// there are rows above it; any other change scrolls only as far as needed to show the current row.
void TPersonGrid::FollowTable() {
    const int current = CurrentRow();
    if (current == 0) {
        top_ = 1;
    } else if (RowCount() < shownRows_) {
        const int line = std::clamp(shownCurrent_ - top_, 0, VisibleLines() - 1);
        top_ = std::max(1, current - line);
    } else {
        RevealCurrentRow();
    }
    shownCurrent_ = current;
    shownRows_ = RowCount();
    SyncScrollBar();
    viewport()->update();
    TellCurrentRow();
}

// Screen readers follow the current row as the table's selection, and as the focus while the
// grid has it: the focus names the row's own object, which tells every problem of the row.
void TPersonGrid::TellCurrentRow() {
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent selection(this, QAccessible::Selection);
    QAccessible::updateAccessibility(&selection);
    const int current = CurrentRow();
    if (current == 0 || !hasFocus())
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    // The children are the titles, then the cells row by row, then the current row.
    focus.setChild((RowCount() + 1) * header_->count());
    QAccessible::updateAccessibility(&focus);
}

// The cells a screen reader knows stand for other rows or columns now.
void TPersonGrid::TellRowsChanged() {
    if (!QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
}

// Repaints the lines of the changed rows that are on the grid.
void TPersonGrid::FollowNotes(const QModelIndex& first, const QModelIndex& last) {
    const int top = std::max(first.row() + 1, top_);
    const int bottom = std::min(last.row() + 1, top_ + DrawnLines() - 1);
    if (top <= bottom)
        viewport()->update(0, (top - top_) * RowHeight(), viewport()->width(),
                           (bottom - top + 1) * RowHeight());
}

void TPersonGrid::RevealCurrentRow() {
    const int current = CurrentRow();
    if (current == 0)
        return;
    const int lines = VisibleLines();
    if (current < top_)
        top_ = current;
    else if (current > top_ + lines - 1)
        top_ = current - lines + 1;
}

void TPersonGrid::SyncScrollBar() {
    QScrollBar* bar = verticalScrollBar();
    if (bar->isSliderDown())
        return;
    const QScopedValueRollback syncing(syncingScrollBar_, true);
    // The thumb runs over the row numbers 1 to the row count, a page being the visible lines;
    // so the bar shows itself once there are two rows.
    bar->setRange(1, std::max(1, RowCount()));
    bar->setPageStep(VisibleLines());
    bar->setSingleStep(1);
    bar->setValue(std::max(1, CurrentRow()));
}

void TPersonGrid::UpdateHorizontalRange() {
    QScrollBar* bar = horizontalScrollBar();
    const int width = viewport()->width();
    bar->setRange(0, std::max(0, header_->length() - width));
    bar->setPageStep(width);
    bar->setSingleStep(RowHeight());
}

void TPersonGrid::PlaceHeader() {
    const QRect area = viewport()->geometry();
    const int height = header_->TitleHeight();
    header_->setGeometry(area.left(), area.top() - height, area.width(), height);
}

void TPersonGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    PlaceHeader();
    UpdateHorizontalRange();
    RevealCurrentRow();
    SyncScrollBar();
}

void TPersonGrid::scrollContentsBy(int dx, int) {
    if (dx == 0)
        return;
    header_->setOffset(horizontalScrollBar()->value());
    viewport()->update();
}

template <typename Action> void TPersonGrid::RunAction(Action action) {
    try {
        action();
    } catch (const std::exception&) {
        emit ActionFailed(std::current_exception());
    }
}

void TPersonGrid::MoveBy(int distance) {
    Table().MoveRows(distance);
}

void TPersonGrid::SelectRow(int position) {
    RunAction([&] { Table().MoveTo(position); });
}

// A position from the scroll bar: at or before the first row is the first row, at or after the
// row count the last.
void TPersonGrid::JumpTo(int position) {
    TPersonTable& table = Table();
    if (position <= 1)
        table.MoveFirst();
    else if (position >= table.TotalRows())
        table.MoveLast();
    else
        table.MoveTo(position);
}

void TPersonGrid::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier) {
        ShowRowMenu();
        return;
    }
    // Left and Right move rows; with Alt they show the columns that do not fit.
    if (modifiers == Qt::AltModifier &&
        (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        QScrollBar& bar = *horizontalScrollBar();
        bar.setValue(bar.value() + (event->key() == Qt::Key_Left ? -1 : 1) * bar.pageStep() / 2);
        return;
    }
    const bool plain = modifiers == Qt::NoModifier;
    const bool ctrl = modifiers == Qt::ControlModifier;
    bool handled = true; // a key that failed was the grid's all the same
    RunAction([&] { handled = (plain || ctrl) && HandleKey(event->key(), ctrl); });
    event->setAccepted(handled);
}

// The keys that move or delete; every other key leaves the table alone.
bool TPersonGrid::HandleKey(int key, bool ctrl) {
    const int current = CurrentRow();
    switch (key) {
    case Qt::Key_Up:
        MoveBy(ctrl ? top_ - current : -1);
        return true;
    case Qt::Key_Down:
        MoveBy(ctrl ? LastShownRow() - current : 1);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (ctrl)
            return false;
        MoveBy(key == Qt::Key_Left ? -1 : 1);
        return true;
    case Qt::Key_PageUp:
        MoveBy(ctrl ? top_ - current : -VisibleLines());
        return true;
    case Qt::Key_PageDown:
        MoveBy(ctrl ? LastShownRow() - current : VisibleLines());
        return true;
    case Qt::Key_Home:
        Table().MoveFirst();
        return true;
    case Qt::Key_End:
        Table().MoveLast();
        return true;
    case Qt::Key_Delete:
        if (!ctrl)
            return false;
        ConfirmAndDelete();
        return true;
    default:
        return false;
    }
}

void TPersonGrid::ConfirmAndDelete() {
    TPersonTable& table = Table();
    if (!table.IsOpen() || table.TotalRows() == 0)
        return;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"),
                    QStringLiteral("Delete record?"), QMessageBox::NoButton, this);
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    if (box.clickedButton() == yes)
        emit DeleteConfirmed();
}

// The press itself gives the grid the keyboard focus, by its focus policy. The right button
// selects the line too, since the context menu's actions act on the current row.
// The desktop opens a keyboard's context menu at the middle of the widget; the grid's actions
// concern the current row, so the menu opens there.
bool TPersonGrid::event(QEvent* event) {
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        ShowRowMenu();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void TPersonGrid::ShowRowMenu() {
    if (actions().isEmpty())
        return;
    const int line = std::clamp(CurrentRow() - top_ + 1, 1, VisibleLines());
    QMenu::exec(actions(), viewport()->mapToGlobal(QPoint(RowHeight(), line * RowHeight())),
                nullptr, this);
}

void TPersonGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return;
    const int row = RowAtY(static_cast<int>(event->position().y()));
    if (row != 0)
        RunAction([&] { MoveBy(row - CurrentRow()); });
}

// The second press of a double-click comes as this event: it selects the line as a press does,
// then opens its row.
void TPersonGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton && RowAtY(static_cast<int>(event->position().y())) != 0)
        emit RowOpenRequested();
}

// A sideways wheel, or the wheel with Shift, shows the columns that do not fit, three steps a
// notch; the wheel alone moves rows.
void TPersonGrid::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    if (delta.x() == 0 && event->modifiers() != Qt::ShiftModifier) {
        TurnWheel(event);
        return;
    }
    event->accept();
    QScrollBar& bar = *horizontalScrollBar();
    bar.setValue(bar.value() -
                 (delta.x() != 0 ? delta.x() : delta.y()) * 3 * bar.singleStep() / kWheelNotch);
}

// The wheel moves the selection only while the grid has the keyboard focus, one row a notch;
// a fine-grained wheel adds up its steps to whole notches.
void TPersonGrid::TurnWheel(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    event->accept();
    wheelAngle_ += event->angleDelta().y();
    const int notches = wheelAngle_ / kWheelNotch;
    wheelAngle_ -= notches * kWheelNotch;
    if (notches != 0)
        RunAction([&] { MoveBy(-notches); });
}

// The scroll bar's own wheel handling would move its thumb away from the table.
bool TPersonGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
        TurnWheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void TPersonGrid::ScrollBarAction(int action) {
    const int current = CurrentRow();
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        MoveBy(top_ - 1 - current);
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        MoveBy(LastShownRow() + 1 - current);
        break;
    case QAbstractSlider::SliderPageStepSub:
        MoveBy(-VisibleLines());
        break;
    case QAbstractSlider::SliderPageStepAdd:
        MoveBy(VisibleLines());
        break;
    case QAbstractSlider::SliderToMinimum:
        Table().MoveFirst();
        break;
    case QAbstractSlider::SliderToMaximum:
        Table().MoveLast();
        break;
    default:
        return;
    }
    // A move that went nowhere sends no notification; the thumb goes back to the current row.
    SyncScrollBar();
}

// A released thumb, or the bar's "scroll here", puts the value at a row number.
void TPersonGrid::ScrollBarValue(int value) {
    if (!syncingScrollBar_ && value != CurrentRow())
        JumpTo(value);
}

void TPersonGrid::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter_.Paint(
        painter, {top_, viewport()->rect(), horizontalScrollBar()->value(), hasFocus(), palette()});
}

void TPersonGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    TellCurrentRow();
}

void TPersonGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

QString TPersonGrid::CellNoteText(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= kGridColumnCount)
        return {};
    return model_->index(row, column).data(Qt::ToolTipRole).toString();
}

QString TPersonGrid::RowNoteText(int row) const {
    QStringList parts;
    for (int column = 0; column < header_->count(); ++column) {
        const int logical = header_->logicalIndex(column);
        const QString title = model_->headerData(logical, Qt::Horizontal).toString();
        for (QString line :
             CellNoteText(row, logical).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            // "Płeć niezgodna…" reads on after the title as "płeć niezgodna…"; "PESEL…" stays.
            if (line.size() > 1 && line.at(1).isLower())
                line[0] = line.at(0).toLower();
            parts.append(title + QStringLiteral(": ") + line);
        }
    }
    return parts.join(QStringLiteral("; "));
}

bool TPersonGrid::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QAbstractScrollArea::viewportEvent(event);
    ShowCellNote(static_cast<QHelpEvent*>(event));
    return true;
}

void TPersonGrid::ShowCellNote(QHelpEvent* event) const {
    const int row = RowAtY(event->pos().y());
    const int column = header_->logicalIndexAt(event->pos().x());
    QString note;
    if (row > 0 && column >= 0)
        note = model_->index(row - 1, column).data(Qt::ToolTipRole).toString();
    if (note.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(event->globalPos(), note, viewport(),
                       painter_.CellRect(column, (row - top_) * RowHeight()));
}
