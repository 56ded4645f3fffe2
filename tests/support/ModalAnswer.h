#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

// The dialog in front: the modal one, or else a dialog the window runs without blocking (see
// TTypeAhead); null when none is open.
inline QWidget* FrontDialog() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<QDialog*>(top) != nullptr && top->isVisible())
            return top;
    return nullptr;
}

// Answers the next modal dialog of type Dialog: once the program under test shows it (inside its
// own event loop), `answer` is called with it. Watches from a zero timer, so nothing blocks and
// nothing sleeps; Answered() tells whether the dialog came.
template <typename Dialog> class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(Dialog&)> answer) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
        timer_.start(0);
    }

    bool Answered() const { return answered_; }

private:
    void Look() {
        auto* dialog = qobject_cast<Dialog*>(FrontDialog());
        if (dialog == nullptr || !dialog->isVisible())
            return;
        timer_.stop();
        answered_ = true;
        answer_(*dialog);
    }

    std::function<void(Dialog&)> answer_;
    QTimer timer_;
    bool answered_ = false;
};
