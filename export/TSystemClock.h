#pragma once

#include "TClock.h"

#include <cstdint>

// The computer's local clock. The export reads it twice per record line, so the day is
// remembered for the rest of the current minute: a local day can only change at a minute's end.
class TSystemClock final : public TClock {
public:
    TDate Today() override;

private:
    std::int64_t minute_ = -1;
    TDate day_;
};
