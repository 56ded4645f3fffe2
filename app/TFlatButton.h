#pragma once

#include <QAbstractButton>
#include <QTimer>

// A flat button without a glyph of its own: transparent, so that the picture lying under it
// shows through, with its caption drawn `captionLeft` pixels from its left edge. It shows a raised
// edge while the mouse is over it and a sunken one while pressed, and never takes the focus.
// A caption's "&" marks its access key (Alt and the letter), underlined only on request.
class TFlatButton : public QAbstractButton {
    Q_OBJECT

public:
    TFlatButton(const QString& caption, int captionLeft, QWidget* parent);

    void ShowAccessKey(bool shown);
    // The button's action for a key: clicked at once, so that the keys pressed after it act
    // after it; the button looks pressed for a moment afterwards.
    void Press();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int captionLeft_;
    bool accessKeyShown_ = false;
    QTimer pressedLook_;
};
