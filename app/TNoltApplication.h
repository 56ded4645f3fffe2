#pragma once

#include <QApplication>
#include <QString>
#include <QTranslator>

#include <string_view>

// The application object. The window's handlers catch nothing: whatever they throw ends the
// handler, reaches notify() and is shown to the user in the error box, and the window stays as
// the failed action left it.
class TNoltApplication : public QApplication {
    Q_OBJECT

public:
    // The program's title, as the task bar and the error box show it.
    static constexpr auto Title = "NOLT-Fr";

    TNoltApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The text of the error box for a failure's message (Windows-1250, as the core writes it):
    // a full stop is added when the last character's code is above that of ".".
    static QString ErrorBoxText(std::string_view message);
    // The modal error box: error icon, OK, the application's title as caption.
    static void ShowError(const QString& text);

private:
    void SpeakPolish();

    QTranslator qtTexts_;
};
