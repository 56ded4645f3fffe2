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

bool TCheckLabel::ShowCount(int count) {
    const QString text = caption_ + QString::number(count);
    const bool shown = count > 0;
    if (text == this->text() && shown == isVisibleTo(parentWidget()))
        return false;
    setText(text);
    setVisible(shown);
    return shown;
}

void TCheckLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit clicked();
}
