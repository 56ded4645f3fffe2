#include "app/TThumbStyle.h"

#include "ui/DesignValues.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionSlider>

TThumbStyle::TThumbStyle(QObject* owner)
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
    setParent(owner);
}

void TThumbStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control != CC_ScrollBar || !option->state.testFlag(State_Enabled))
        return;
    const QRect thumb = subControlRect(control, option, SC_ScrollBarSlider, widget);
    if (thumb.isEmpty())
        return;
    const bool pressed = option->activeSubControls.testFlag(SC_ScrollBarSlider) &&
                         option->state.testFlag(State_Sunken);
    painter->fillRect(thumb.adjusted(2, 2, -2, -2),
                      QColor::fromRgb(pressed ? Design::kPressedThumbGrey : Design::kThumbGrey));
}
