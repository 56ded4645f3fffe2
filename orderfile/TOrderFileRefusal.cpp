#include "TOrderFileRefusal.h"

#include "TWin1250.h"

TOrderFileRefusal::TOrderFileRefusal(const QString& reason)
    : std::runtime_error(TWin1250::Encode(reason)), reason_(reason) {}
