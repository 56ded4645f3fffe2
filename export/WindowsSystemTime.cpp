#include "export/SystemTime.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

std::int64_t CurrentMinute() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t ticks = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 600'000'000); // 100 ns ticks
}

TDate LocalDay() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}
