#pragma once

#include <QIcon>
#include <QWidget>

// A picture of the window's artwork, drawn from its PNG resource (and its double-size companion
// on a dense screen) at the widget's size. It takes no mouse input, so that a button lying over
// it gets the whole click.
class TPicture : public QWidget {
    Q_OBJECT

public:
    TPicture(const QString& resource, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon picture_;
};
