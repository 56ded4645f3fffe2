#include "TOrderBox.h"

#include <QKeyEvent>

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
