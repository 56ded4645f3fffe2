#include "TPicture.h"

#include <QPainter>

TPicture::TPicture(const QString& resource, QWidget* parent)
    : QWidget(parent), renderer_(resource) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    renderer_.render(&painter, rect());
}
