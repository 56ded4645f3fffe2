#pragma once

// A calendar day without a time of day.
struct TDate {
    int year = 0;
    int month = 0; // 1 to 12
    int day = 0;   // 1 to 31

    bool operator==(const TDate&) const = default;
};
