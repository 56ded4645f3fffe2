#include "orderbox/TOrderBox.h"

#include "orderbox/TOrderTextLimits.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <algorithm>
#include <exception>
#include <memory>
#include <utility>

TOrderBox::TOrderBox(QWidget* parent) : QPlainTextEdit(parent) {
    // Every change of the text, the clerk's own, an undo and a replacement alike, comes through
    // here.
    connect(document(), &QTextDocument::contentsChange, this, &TOrderBox::NoteChange);
    // The frame is always there, in the text's background colour until the box has the focus:
    // showing it then moves no line of the text.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kFocusFrameWidth);
    ShowFocusFrame(false);
}

void TOrderBox::ShowFocusFrame(bool shown) {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText,
                     colours.color(shown ? QPalette::Highlight : QPalette::Base));
    setPalette(colours);
}

void TOrderBox::focusInEvent(QFocusEvent* event) {
    ShowFocusFrame(true);
    QPlainTextEdit::focusInEvent(event);
}

void TOrderBox::focusOutEvent(QFocusEvent* event) {
    ShowFocusFrame(false);
    QPlainTextEdit::focusOutEvent(event);
}

void TOrderBox::TakeFocus() {
    setFocus(Qt::ShortcutFocusReason);
    if (!viewport()->rect().contains(cursorRect()))
        setTextCursor(cursorForPosition(QPoint(0, 0)));
}

// A line break inside a paragraph (U+000B, as a document's soft break comes) shows as a line end;
// the box's lines count it as one either way.
QString TOrderBox::WithVisibleBreaks(QString text) {
    return text.replace(QChar(u'\v'), QChar::LineSeparator);
}

std::vector<int> TOrderBox::ReplaceText(QString text) {
    TOrderTextLimits::TLimited limited = TOrderTextLimits::Apply(std::move(text));
    // Setting the text clears the box's undo, so Ctrl+Z there never undoes the replacement.
    setPlainText(WithVisibleBreaks(std::move(limited.text)));
    moveCursor(QTextCursor::Start);
    lines_.reset();
    Lines();
    return std::move(limited.cutLines);
}

const TOrderBoxLines& TOrderBox::Lines() {
    if (!lines_)
        lines_.emplace(*document());
    else if (change_)
        lines_->Update(*document(), change_->from, change_->to, change_->shift);
    change_.reset();
    return *lines_;
}

// Changes add up to one stretch that covers them all: its start is the earliest, and its end the
// latest, carried past each later change.
void TOrderBox::NoteChange(int position, int removed, int added) {
    if (!change_) {
        change_ = TChange{position, position + added, added - removed};
        return;
    }
    const int endBefore = std::max(change_->to, position + removed);
    change_->from = std::min(change_->from, position);
    change_->to = endBefore + added - removed;
    change_->shift += added - removed;
}

// Qt's own paste reads the clipboard's data even when the clipboard has no owner (nothing was
// copied since the desktop started, or the program that copied has ended), and dies of it.
bool TOrderBox::canInsertFromMimeData(const QMimeData* source) const {
    return source != nullptr && source->hasText() && !HoldsLocalFile(source);
}

bool TOrderBox::HoldsLocalFile(const QMimeData* data) {
    return data != nullptr && data->hasUrls() && !data->urls().isEmpty() &&
           data->urls().constFirst().isLocalFile();
}

// The key shown beside the entry is the window's, which acts wherever the focus is.
void TOrderBox::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    menu->addSeparator();
    QAction* open =
        menu->addAction(QStringLiteral("Otwórz rozkaz z pliku…"), this, &TOrderBox::OpenFileAsked);
    open->setShortcut(QKeySequence::Open);
    menu->exec(event->globalPos());
}

void TOrderBox::insertFromMimeData(const QMimeData* source) {
    if (!canInsertFromMimeData(source))
        return;
    // Qt's frames do not unwind: a failure goes to the window as a signal, not up from here.
    try {
        const TOrderTextLimits::TLimited limited = TOrderTextLimits::Apply(source->text());
        insertPlainText(WithVisibleBreaks(limited.text));
        if (!limited.cutLines.empty())
            emit LinesCut(TOrderTextLimits::CutLinesNote(limited.cutLines));
    } catch (const std::exception&) {
        emit InsertFailed(std::current_exception());
    }
}

void TOrderBox::LeaveKeysToWindow(QList<QKeySequence> keys) {
    windowKeys_ = std::move(keys);
}

bool TOrderBox::IsWindowKey(const QKeyEvent& event) const {
    const QKeySequence pressed(event.keyCombination());
    return !event.matches(QKeySequence::Undo) &&
           std::any_of(windowKeys_.cbegin(), windowKeys_.cend(), [&](const QKeySequence& key) {
               return key.matches(pressed) == QKeySequence::ExactMatch;
           });
}

bool TOrderBox::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        // Ctrl+Z in the box is the box's own undo even with nothing left to undo: the window's
        // Ctrl+Z, which takes back changes to the rows, never acts while the clerk is in the text.
        if (key.matches(QKeySequence::Undo)) {
            event->accept();
            return true;
        }
        // The window's key goes to the window's shortcut, whatever the box would make of it.
        if (IsWindowKey(key)) {
            event->ignore();
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

// A window's key that reaches the box all the same (its action is not there, or is disabled) does
// nothing to the text.
void TOrderBox::keyPressEvent(QKeyEvent* event) {
    if (IsWindowKey(*event)) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
