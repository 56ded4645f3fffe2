#include "export/TSystemClock.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

TDate LocalDayNow() {
    const std::time_t now = std::time(nullptr);
    const std::tm local = *std::localtime(&now);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// Read between two readings of the C library's clock, to hold across midnight too.
TEST(PersonFileText, SystemClockTellsTheLocalDay) {
    TSystemClock clock;
    const TDate before = LocalDayNow();
    const TDate first = clock.Today();
    const TDate second = clock.Today();
    const TDate after = LocalDayNow();
    EXPECT_TRUE(first == before || first == after);
    EXPECT_TRUE(second == first || second == after);
}

} // namespace
