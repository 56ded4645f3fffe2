#include "app/TNoltApplication.h"

#include "ui/TQtError.h"
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
    const auto* qtError = dynamic_cast<const TQtError*>(&failure);
    ShowError(ErrorBoxText(qtError ? qtError->Message() : TWin1250::Decode(failure.what())));
}

QString TNoltApplication::ErrorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void TNoltApplication::ShowError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(Title), text, QMessageBox::Ok,
                    activeWindow());
    box.setObjectName("ErrorBox");
    box.exec();
}
