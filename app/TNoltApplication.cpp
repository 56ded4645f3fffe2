#include "TNoltApplication.h"

#include "TWin1250.h"

#include <QMessageBox>

#include <exception>

TNoltApplication::TNoltApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationDisplayName(Title);
    setDesktopFileName("nolt_f_r");
}

bool TNoltApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        ShowError(ErrorBoxText(failure.what()));
        return true;
    }
}

QString TNoltApplication::ErrorBoxText(std::string_view message) {
    QString text = TWin1250::Decode(message);
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        text += QLatin1Char('.');
    return text;
}

void TNoltApplication::ShowError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, applicationDisplayName(), text, QMessageBox::Ok,
                    activeWindow());
    box.setObjectName("ErrorBox");
    box.exec();
}
