#include "TFlatButton.h"

#include <QPainter>
#include <QStyleOption>
#include <qdrawutil.h>

TFlatButton::TFlatButton(const QString& caption, int captionLeft, QWidget* parent)
    : QAbstractButton(parent), captionLeft_(captionLeft) {
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void TFlatButton::ShowAccessKey(bool shown) {
    accessKeyShown_ = shown;
    update();
}

void TFlatButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool sunken = isDown();
    if (sunken || underMouse())
        qDrawShadePanel(&painter, rect(), palette(), sunken, 1);
    const int shift = sunken ? 1 : 0;
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect().adjusted(captionLeft_ + shift, shift, shift, shift),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine |
                         (accessKeyShown_ ? Qt::TextShowMnemonic : Qt::TextHideMnemonic),
                     text());
}
