#pragma once

#include <QSvgRenderer>
#include <QWidget>

// A picture of the window's artwork, drawn from its SVG resource at the widget's size. It takes
// no mouse input, so that a button lying over it gets the whole click.
class TPicture : public QWidget {
    Q_OBJECT

public:
    TPicture(const QString& resource, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer renderer_;
};
