#pragma once

#include <QString>

#include <stdexcept>

// A file the order cannot be read from. The message (Windows-1250, as every failure's message)
// says why; the reader that refuses leaves nothing behind.
class TOrderFileRefusal : public std::runtime_error {
public:
    explicit TOrderFileRefusal(const QString& reason);

    const QString& Reason() const { return reason_; }

    // The reasons several readers give.
    static QString Damaged() { return QStringLiteral("plik jest uszkodzony"); }
    static QString Encrypted() { return QStringLiteral("dokument jest zaszyfrowany hasłem"); }

private:
    QString reason_;
};
