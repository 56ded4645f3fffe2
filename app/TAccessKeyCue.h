#pragma once

#include <QObject>

class QWidget;

// Tells while the Alt key is held in a window, so that buttons underline their access keys only
// then and otherwise keep their captions as designed.
class TAccessKeyCue : public QObject {
    Q_OBJECT

public:
    explicit TAccessKeyCue(QWidget& window);

signals:
    void Shown(bool shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(bool shown);

    QWidget& window_;
    bool shown_ = false;
};
