#include "dialogs/TTypeAhead.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

int TTypeAhead::Exec(QDialog& dialog) {
    TTypeAhead typeAhead(dialog);
    QEventLoop loop;
    const QMetaObject::Connection quit =
        QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog.setWindowModality(Qt::NonModal);
    dialog.show();
    // Asked for the keyboard at once, also where no window manager gives it to a new window.
    dialog.activateWindow();
    if (dialog.isVisible())
        loop.exec(QEventLoop::DialogExec);
    QObject::disconnect(quit);
    return dialog.result();
}

TTypeAhead::TTypeAhead(QDialog& dialog)
    : dialog_(dialog),
      blocked_(dialog.parentWidget() != nullptr ? dialog.parentWidget()->window() : nullptr) {
    qApp->installEventFilter(this);
}

// Keys still held when the dialog closed before taking them all belong to the window again.
TTypeAhead::~TTypeAhead() {
    qApp->removeEventFilter(this);
    for (std::unique_ptr<QKeyEvent>& key : held_)
        if (blocked_ != nullptr && blocked_->focusWidget() != nullptr)
            QCoreApplication::postEvent(blocked_->focusWidget(), key.release());
}

bool TTypeAhead::InBlockedWindow(QObject* object) const {
    if (blocked_ == nullptr)
        return false;
    if (object->isWidgetType())
        return static_cast<QWidget*>(object)->window() == blocked_;
    return object == blocked_->windowHandle();
}

bool TTypeAhead::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &dialog_ && event->type() == QEvent::WindowActivate && !shown_) {
        shown_ = true;
        HandHeldKeys();
        return false;
    }
    if (!InBlockedWindow(watched))
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Taken by the window, the key is no shortcut of it.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // A key reaches the window's QWindow first, or (sent to a control) the control alone.
        if (!shown_)
            held_.push_back(std::unique_ptr<QKeyEvent>(static_cast<QKeyEvent*>(event)->clone()));
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Shortcut:
        return true;
    default:
        return false;
    }
}

// Each key goes where the dialog's focus is when its turn comes; a key that closes the dialog
// leaves the rest to the window.
void TTypeAhead::HandHeldKeys() {
    const QPointer<QDialog> dialog(&dialog_);
    std::vector<std::unique_ptr<QKeyEvent>> keys = std::move(held_);
    held_.clear();
    auto key = keys.begin();
    for (; key != keys.end() && dialog && dialog->isVisible(); ++key) {
        QWidget* target = dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog.data();
        QCoreApplication::sendEvent(target, key->get());
    }
    held_.assign(std::make_move_iterator(key), std::make_move_iterator(keys.end()));
}
