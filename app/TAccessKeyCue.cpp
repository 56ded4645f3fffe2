#include "app/TAccessKeyCue.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

TAccessKeyCue::TAccessKeyCue(QWidget& window) : QObject(&window), window_(window) {
    // Key events go to the focus widget, which may be any control of the window.
    qApp->installEventFilter(this);
}

bool TAccessKeyCue::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || widget->window() != &window_)
            break;
        const auto* key = static_cast<QKeyEvent*>(event);
        // Whether a key press of Alt itself carries the Alt modifier differs between platforms.
        if (key->key() == Qt::Key_Alt)
            Show(event->type() == QEvent::KeyPress);
        else
            Show(key->modifiers().testFlag(Qt::AltModifier));
        break;
    }
    case QEvent::WindowDeactivate:
        // The release of an Alt+Tab goes to another window.
        if (watched == &window_)
            Show(false);
        break;
    default:
        break;
    }
    return false;
}

void TAccessKeyCue::Show(bool shown) {
    if (shown == shown_)
        return;
    shown_ = shown;
    emit Shown(shown);
}
