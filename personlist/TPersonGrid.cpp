#include "personlist/TPersonGrid.h"

#include "personlist/TGridColumn.h"
#include "personlist/TGridHeader.h"
#include "ui/DesignValues.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QFontMetrics>
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
constexpr int kWheelNotch = 120;

// A column line, one pixel wide at 96 pixels per inch; filled rather than drawn as a line, so
// that at any scaling it meets the cells' fills without a gap.
void DrawColumnLine(QPainter& painter, const QRect& cell, const QColor& colour) {
    painter.fillRect(QRect(cell.right(), cell.top(), 1, cell.height()), colour);
}

} // namespace

TPersonGrid::TPersonGrid(TDataSource& ds, QWidget* parent)
    : QAbstractScrollArea(parent), model_(new TPersonGridModel(ds, this)),
      font_(Design::TextFont()), rowHeight_(QFontMetrics(font_).height() + 3),
      header_(new TGridHeader(font_, kLineColour, this)),
      confirm_([](QMessageBox& box) { box.exec(); }), deleteRow_([this] { Table().DeleteRow(); }),
      runAction_([](const std::function<void()>& action) { action(); }) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setFont(font_);
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
            [this](int action) { runAction_([&] { ScrollBarAction(action); }); });
    connect(bar, &QAbstractSlider::valueChanged, this,
            [this](int value) { runAction_([&] { ScrollBarValue(value); }); });

    // A screen reader forgets the former cells before it hears of the current row: a focus event
    // never names a cell that the reset then takes away.
    connect(model_, &QAbstractItemModel::modelReset, this, &TPersonGrid::TellRowsChanged);
    connect(model_, &QAbstractItemModel::modelReset, this, &TPersonGrid::FollowTable);
    connect(model_, &TPersonGridModel::CurrentRowMoved, this, &TPersonGrid::FollowTable);
    connect(model_, &QAbstractItemModel::dataChanged, this, &TPersonGrid::FollowNotes);
    connect(header_, &QHeaderView::sectionMoved, this, &TPersonGrid::TellRowsChanged);
    FollowTable();
}

void TPersonGrid::SetOnGetCellProps(TCellPropsHandler handler) {
    onGetCellProps_ = std::move(handler);
    viewport()->update();
}

void TPersonGrid::SetConfirmRunner(TConfirmRunner runner) {
    confirm_ = std::move(runner);
}

void TPersonGrid::SetRowDeleter(TRowDeleter deleter) {
    deleteRow_ = std::move(deleter);
}

void TPersonGrid::SetRowOpener(TRowOpener opener) {
    openRow_ = std::move(opener);
}

void TPersonGrid::SetActionRunner(TActionRunner runner) {
    runAction_ = std::move(runner);
}

QHeaderView* TPersonGrid::Header() const {
    return header_;
}

int TPersonGrid::TitleHeight() const {
    return header_->TitleHeight();
}

int TPersonGrid::VisibleLines() const {
    return std::max(1, viewport()->height() / rowHeight_);
}

int TPersonGrid::DrawnLines() const {
    return std::max(1, (viewport()->height() + rowHeight_ - 1) / rowHeight_);
}

int TPersonGrid::CurrentRow() const {
    return model_->CurrentIndex().row() + 1;
}

int TPersonGrid::RowAtY(int y) const {
    const int row = top_ + y / rowHeight_;
    return row <= RowCount() ? row : 0;
}

int TPersonGrid::LastShownRow() const {
    return std::min(top_ + VisibleLines() - 1, RowCount());
}

// The desktop's active colours, so that the selection looks the same with or without the focus.
QColor TPersonGrid::Colour(QPalette::ColorRole role) const {
    return palette().color(QPalette::Active, role);
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
        viewport()->update(0, (top - top_) * rowHeight_, viewport()->width(),
                           (bottom - top + 1) * rowHeight_);
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
    bar->setSingleStep(rowHeight_);
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

void TPersonGrid::MoveBy(int distance) {
    Table().MoveRows(distance);
}

// A position from the scroll bar: at or before the first row is the first row, at or after the
// row count the last.
void TPersonGrid::SelectRow(int position) {
    runAction_([&] { Table().MoveTo(position); });
}

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
    runAction_([&] { handled = (plain || ctrl) && HandleKey(event->key(), ctrl); });
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
    confirm_(box);
    if (box.clickedButton() == yes)
        deleteRow_();
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
    QMenu::exec(actions(), viewport()->mapToGlobal(QPoint(rowHeight_, line * rowHeight_)), nullptr,
                this);
}

void TPersonGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return;
    const int row = RowAtY(static_cast<int>(event->position().y()));
    if (row != 0)
        runAction_([&] { MoveBy(row - CurrentRow()); });
}

// The second press of a double-click comes as this event: it selects the line as a press does,
// then opens its row.
void TPersonGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton && RowAtY(static_cast<int>(event->position().y())) != 0 &&
        openRow_)
        runAction_(openRow_);
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
        runAction_([&] { MoveBy(-notches); });
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

// The cell of a model column on the line whose top is at `y` in the viewport.
QRect TPersonGrid::CellRect(int column, int y) const {
    return {header_->sectionViewportPosition(column), y, header_->sectionSize(column), rowHeight_};
}

template <typename PaintColumn>
void TPersonGrid::ForEachShownColumn(int y, PaintColumn paint) const {
    const QRect area = viewport()->rect();
    for (int visual = 0; visual < header_->count(); ++visual) {
        const int column = header_->logicalIndex(visual);
        if (header_->isSectionHidden(column))
            continue;
        const QRect cell = CellRect(column, y);
        if (cell.intersects(area))
            paint(column, cell);
    }
}

void TPersonGrid::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    if (RowCount() == 0) {
        PaintEmptyLine(painter);
    } else {
        const int current = CurrentRow();
        const int last = std::min(RowCount(), top_ + DrawnLines() - 1);
        for (int row = top_; row <= last; ++row)
            PaintRow(painter, row, row == current);
        if (hasFocus())
            PaintFocusSign(painter);
        // The marks lie over the focus frame, which would otherwise cut through them.
        for (int row = top_; row <= last; ++row)
            PaintRowMarks(painter, row);
        return;
    }
    if (hasFocus())
        PaintFocusSign(painter);
}

// A dotted frame round the inside of the selected line, in the selected text's colour, so that the
// line keeps its colours and the clerk still sees where the keys go.
void TPersonGrid::PaintFocusSign(QPainter& painter) const {
    const int line = RowCount() == 0 ? 0 : CurrentRow() - top_;
    if (line < 0 || line >= DrawnLines())
        return;
    const int left = -horizontalScrollBar()->value();
    const QRect frame(left, line * rowHeight_, header_->length(), rowHeight_);
    painter.setPen(QPen(Colour(QPalette::HighlightedText), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(0, 0, -2, -1));
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

void TPersonGrid::PaintEmptyLine(QPainter& painter) const {
    const TCellFont font{font_, Colour(QPalette::HighlightedText)};
    ForEachShownColumn(0, [&](int, const QRect& cell) {
        DrawCell(painter, cell, Colour(QPalette::Highlight), font, QString(), Qt::AlignLeft);
    });
}

void TPersonGrid::PaintRow(QPainter& painter, int row, bool selected) const {
    ForEachShownColumn((row - top_) * rowHeight_, [&](int column, const QRect& cell) {
        const QModelIndex index = model_->index(row - 1, column);
        const TPersonField field = GridColumn(column).field;
        TCellFont font{font_, Colour(QPalette::Text)};
        QColor background = Colour(QPalette::Base);
        if (selected) {
            // The selected line keeps the selection colours whatever the handler sets.
            font.color = Colour(QPalette::HighlightedText);
            background = Colour(QPalette::Highlight);
            const QColor textColour = font.color;
            QColor scratch = background;
            CellProps(row, field, font, scratch);
            font.color = textColour;
        } else {
            CellProps(row, field, font, background);
        }
        DrawCell(painter, cell, background, font, model_->data(index).toString(),
                 Qt::Alignment(model_->data(index, Qt::TextAlignmentRole).toInt()));
    });
}

void TPersonGrid::PaintRowMarks(QPainter& painter, int row) const {
    ForEachShownColumn((row - top_) * rowHeight_, [&](int column, const QRect& cell) {
        const QVariant note = model_->index(row - 1, column).data(TPersonGridModel::NoteRole);
        if (note.isValid())
            DrawNoteMarks(painter, cell, note.value<TCellNote>());
    });
}

// The problems' triangle in the top right corner, the correction's in the top left. A white
// edge along the triangle's long side sets it off from every row colour, the selection's too.
void TPersonGrid::DrawNoteMarks(QPainter& painter, const QRect& cell, const TCellNote& note) const {
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
    const int row = top_ + event->pos().y() / rowHeight_;
    const int column = header_->logicalIndexAt(event->pos().x());
    QString note;
    if (row <= RowCount() && column >= 0)
        note = model_->index(row - 1, column).data(Qt::ToolTipRole).toString();
    if (note.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(event->globalPos(), note, viewport(),
                       CellRect(column, (row - top_) * rowHeight_));
}

void TPersonGrid::CellProps(int row, TPersonField field, TCellFont& font,
                            QColor& background) const {
    if (onGetCellProps_)
        onGetCellProps_(row, field, font, background);
}

void TPersonGrid::DrawCell(QPainter& painter, const QRect& cell, const QColor& background,
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
