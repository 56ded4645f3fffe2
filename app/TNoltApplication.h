#pragma once

#include <QApplication>
#include <QString>
#include <QTranslator>

#include <exception>

// The application object, titled "NOLT-Fr", and the error box in which a failed action ends
// (see Guarded.h); the window stays as the failed action left it.
class TNoltApplication : public QApplication {
    Q_OBJECT

public:
    // The program's title, as the task bar and the error box show it.
    static constexpr auto Title = "NOLT-Fr";

    TNoltApplication(int& argc, char** argv);

    // The text of the error box for a failure's message: a full stop is added when the last
    // character's code is above that of ".".
    static QString ErrorBoxText(const QString& message);
    // The modal error box: error icon, OK, the application's title as caption.
    static void ShowError(const QString& text);
    // The error box for a failure: the Qt side's (TQtError) as its message stands, any other's
    // decoded from the core's Windows-1250.
    static void ShowFailure(const std::exception& failure);

private:
    void SpeakPolish();

    QTranslator qtTexts_;
};
