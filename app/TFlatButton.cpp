#include "app/TFlatButton.h"

#include <QPainter>
#include <QShortcutEvent>
#include <QStyleOption>
#include <qdrawutil.h>

namespace {

constexpr int kPressedLookMs = 100;

} // namespace

TFlatButton::TFlatButton(const QString& caption, int captionLeft, QWidget* parent)
    : QAbstractButton(parent), captionLeft_(captionLeft) {
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    pressedLook_.setSingleShot(true);
    pressedLook_.setInterval(kPressedLookMs);
    connect(&pressedLook_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void TFlatButton::Press() {
    click();
    pressedLook_.start();
    update();
}

// Qt's own access key waits for an animated click, so that keys pressed meanwhile would act
// first, and a second press during the animation would be lost.
bool TFlatButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        const auto* key = static_cast<QShortcutEvent*>(event);
        if (!key->isAmbiguous() && key->key() == shortcut()) {
            Press();
            return true;
        }
    }
    return QAbstractButton::event(event);
}

void TFlatButton::ShowAccessKey(bool shown) {
    accessKeyShown_ = shown;
    update();
}

void TFlatButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool sunken = isDown() || pressedLook_.isActive();
    if (sunken || underMouse())
        qDrawShadePanel(&painter, rect(), palette(), sunken, 1);
    const int shift = sunken ? 1 : 0;
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect().adjusted(captionLeft_ + shift, shift, shift, shift),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine |
                         (accessKeyShown_ ? Qt::TextShowMnemonic : Qt::TextHideMnemonic),
                     text());
}
