#include "TNoltApplication.h"

#include "TWin1250.h"

#include <QMessageBox>

TNoltApplication::TNoltApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationDisplayName(Title);
    setDesktopFileName("nolt_f_r");
}

void TNoltApplication::ShowFailure(const std::exception& failure) {
    ShowError(ErrorBoxText(failure.what()));
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
