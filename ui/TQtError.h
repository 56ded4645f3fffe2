#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// A failure of the Qt side, its message as the QString it was written in, from where it arises
// to the error box: a file name outside Windows-1250 stays as it is. The core's failures carry
// Windows-1250 bytes instead, decoded once when they are shown.
class TQtError : public std::exception {
public:
    explicit TQtError(const QString& message) : message_(message), utf8_(message.toUtf8()) {}

    const QString& Message() const { return message_; }
    // The message in UTF-8, for whoever knows only std::exception.
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};
