#include "app/TPicture.h"

#include <QPainter>

TPicture::TPicture(const QString& resource, QWidget* parent) : QWidget(parent), picture_(resource) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    picture_.paint(&painter, rect());
}
