#pragma once

#include "orderfile/TOrderFileRefusal.h"

#include <QDir>

// An order's file that is not there: no fault of its format (the clerk mistyped or moved it), so
// its message is the whole message, with no advice on formats.
class TOrderFileMissing : public TOrderFileRefusal {
public:
    explicit TOrderFileMissing(const QString& path)
        : TOrderFileRefusal(
              QStringLiteral("Nie ma pliku „%1”").arg(QDir::toNativeSeparators(path))) {}
};
