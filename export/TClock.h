#pragma once

#include "export/TDate.h"

// Where the export reads the day it writes; tests put a clock of their own in its place.
class TClock {
public:
    virtual ~TClock() = default;
    // The current local day.
    virtual TDate Today() = 0;
};
