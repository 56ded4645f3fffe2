#include "export/TSystemClock.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <ctime>
#endif

namespace {

std::int64_t CurrentMinute() {
#ifdef _WIN32
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t ticks = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 600'000'000); // 100 ns ticks
#else
    const std::time_t now = std::time(nullptr);
    return now >= 0 ? now / 60 : (now - 59) / 60;
#endif
}

TDate LocalDay() {
#ifdef _WIN32
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
#else
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
#endif
}

} // namespace

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
