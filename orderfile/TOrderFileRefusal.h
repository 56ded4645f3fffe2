#pragma once

#include "ui/TQtError.h"

#include <QString>

// A file the order cannot be read from. The message says why; the reader that refuses leaves
// nothing behind.
class TOrderFileRefusal : public TQtError {
public:
    using TQtError::TQtError;

    const QString& Reason() const { return Message(); }

    // The reasons several readers give.
    static QString Damaged() { return QStringLiteral("plik jest uszkodzony"); }
    static QString Encrypted() { return QStringLiteral("dokument jest zaszyfrowany hasłem"); }
};
