#include "export/TSystemClock.h"

#include "export/SystemTime.h"

// The minute is read before the day, so that a day read just after a minute's end is kept only
// for a minute that has already passed.
TDate TSystemClock::Today() {
    const std::int64_t minute = CurrentMinute();
    if (minute != minute_) {
        day_ = LocalDay();
        minute_ = minute;
    }
    return day_;
}
