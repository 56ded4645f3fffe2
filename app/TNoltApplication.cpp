#include "app/TNoltApplication.h"

#include "ui/TWin1250.h"

#include <QLocale>
#include <QMessageBox>

TNoltApplication::TNoltApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // No display name: the platform would append it to every window title, dialogs included.
    setDesktopFileName(QStringLiteral("nolt_f_r"));
    SpeakPolish();
}

// Qt's own texts (the dialogs' labels and buttons) in Polish, whatever the system's language,
// from the translation built into the program; the window's own texts are written in the code.
void TNoltApplication::SpeakPolish() {
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    QLocale::setDefault(polish);
    if (qtTexts_.load(polish, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QStringLiteral(":/translations")))
        installTranslator(&qtTexts_);
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
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(Title), text, QMessageBox::Ok,
                    activeWindow());
    box.setObjectName("ErrorBox");
    box.exec();
}
