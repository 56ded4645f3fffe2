#include "app/TCheckLabel.h"

#include <QMouseEvent>

TCheckLabel::TCheckLabel(QString caption, QColor colour, QString toolTip, QWidget* parent)
    : QLabel(parent), caption_(std::move(caption)) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setToolTip(toolTip);
    setCursor(Qt::PointingHandCursor);
    hide();
}

void TCheckLabel::ShowCount(int count) {
    setText(caption_ + QString::number(count));
    setVisible(count > 0);
}

void TCheckLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit clicked();
}
