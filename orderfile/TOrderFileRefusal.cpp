#include "orderfile/TOrderFileRefusal.h"

#include "ui/TWin1250.h"

TOrderFileRefusal::TOrderFileRefusal(const QString& reason)
    : std::runtime_error(TWin1250::Encode(reason)), reason_(reason) {}
