#pragma once

#include "export/TClock.h"

#include <cstdint>

// The computer's local clock. The export reads it twice per record line, so the day is
// remembered for the rest of the current minute: a local day can only change at a minute's end,
// and asking the system for the local time at every line would be a third of a big export's work
// (ARCHITECTURE.md, Benchmarks).
class TSystemClock final : public TClock {
public:
    TDate Today() override;

private:
    std::int64_t minute_ = -1;
    TDate day_;
};
