#pragma once

#include <QString>

#include <stdexcept>

// A file the order cannot be read from. The message (Windows-1250, as every failure's message)
// says why; the reader that refuses leaves nothing behind.
class TOrderFileRefusal : public std::runtime_error {
public:
    explicit TOrderFileRefusal(const QString& reason);

    const QString& Reason() const { return reason_; }

private:
    QString reason_;
};
