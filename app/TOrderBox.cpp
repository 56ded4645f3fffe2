#include "TOrderBox.h"

#include "TOrderBoxLines.h"

#include <QKeyEvent>

TOrderBox::TOrderBox(QWidget* parent) : QPlainTextEdit(parent) {
    // Every change of the text, the clerk's own and a replacement alike, comes through here.
    connect(document(), &QTextDocument::contentsChanged, this, [this] { lines_.reset(); });
}

TOrderBox::~TOrderBox() = default;

void TOrderBox::ReplaceText(const QString& text) {
    // Setting the text clears the box's undo, so Ctrl+Z there never undoes the replacement.
    setPlainText(text);
    moveCursor(QTextCursor::Start);
    Lines();
}

std::shared_ptr<const TOrderBoxLines> TOrderBox::Lines() {
    if (!lines_)
        lines_ = std::make_shared<const TOrderBoxLines>(*document());
    return lines_;
}

bool TOrderBox::event(QEvent* event) {
    // Left unaccepted, the override lets the window's own Ctrl+Z shortcut have the key.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo) &&
        !document()->isUndoAvailable()) {
        event->ignore();
        return true;
    }
    return QPlainTextEdit::event(event);
}
