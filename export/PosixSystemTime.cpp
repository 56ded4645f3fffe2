#include "export/SystemTime.h"

#include <ctime>

std::int64_t CurrentMinute() {
    const std::time_t now = std::time(nullptr);
    return now >= 0 ? now / 60 : (now - 59) / 60;
}

TDate LocalDay() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}
