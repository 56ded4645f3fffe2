#pragma once

#include "export/TDate.h"

#include <cstdint>

// The system's clock as the export needs it; each system has its own implementation.
// The minutes since the system's epoch, in universal time: they change only at a minute's end.
std::int64_t CurrentMinute();
// The local calendar day.
TDate LocalDay();
