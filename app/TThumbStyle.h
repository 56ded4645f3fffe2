#pragma once

#include <QProxyStyle>

// The desktop's own style for scroll bars, with a thumb dark enough to stand out from its
// groove on the window's light greys.
class TThumbStyle : public QProxyStyle {
    Q_OBJECT

public:
    explicit TThumbStyle(QObject* owner);

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
};
