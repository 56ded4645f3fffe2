#pragma once

#include "export/TClock.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

// A clock for tests: tells `first` at the first reading, then the `later` days one per reading,
// and keeps telling the last one, so that an export can run on a chosen day or across midnight.
class FixedClock final : public TClock {
public:
    explicit FixedClock(TDate first, std::vector<TDate> later = {}) : days_(std::move(later)) {
        days_.insert(days_.begin(), first);
    }

    TDate Today() override { return days_[std::min(readings_++, days_.size() - 1)]; }

    std::size_t Readings() const { return readings_; }

private:
    std::vector<TDate> days_;
    std::size_t readings_ = 0;
};
