#pragma once

#include <QLabel>

// A line beside the record counter that counts what the clerk should look at ("Pominięte
// osoby: 2"), hidden while there is nothing; a click on it goes to the next one.
class TCheckLabel : public QLabel {
    Q_OBJECT

public:
    TCheckLabel(QString caption, QColor colour, QString toolTip, QWidget* parent = nullptr);

    // Shows "caption N", or hides the label for 0. Whether a new count came to show: an unchanged
    // count changes nothing, so a screen reader hears of it only when it changes.
    bool ShowCount(int count);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString caption_;
};
