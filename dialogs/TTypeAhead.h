#pragma once

#include <QObject>

#include <memory>
#include <vector>

class QDialog;
class QKeyEvent;
class QWidget;

// Runs a dialog that a key opened so that the keys typed after that key reach the dialog, in the
// order typed. A modal dialog blocks its window the moment it is shown, but the system gives it
// the keyboard only a little later (the window manager's round trip on X11): the keys typed in
// between are addressed to the blocked window, and Qt drops them. Here the dialog is shown
// without blocking; until it is active, the keys that reach the window are held, and the moment
// it is, they are handed to it. For as long as the dialog is open nothing else in the window
// takes input: no key, shortcut, click, wheel or drop, as under a modal dialog. On Windows, where
// the system itself gives the keys typed ahead to the dialog, the dialog runs modal as it is
// (TWindowsTypeAhead.cpp, built there in place of TTypeAhead.cpp).
class TTypeAhead : public QObject {
public:
    // Shows `dialog` over its parent's window and returns its result, as QDialog::exec does.
    static int Exec(QDialog& dialog);

    ~TTypeAhead() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TTypeAhead(QDialog& dialog);
    bool InBlockedWindow(QObject* object) const;
    void HandHeldKeys();

    QDialog& dialog_;
    QWidget* blocked_; // the window under the dialog
    std::vector<std::unique_ptr<QKeyEvent>> held_;
    bool shown_ = false; // the dialog has had the keyboard
};
