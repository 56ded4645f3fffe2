#include "export/PersonFileDateText.h"

namespace {

// Appends the value in decimal, with a "0" in front of a single digit.
void AppendTwoDigits(std::string& text, int value) {
    if (value >= 0 && value < 10)
        text += '0';
    text += std::to_string(value);
}

} // namespace

std::string PersonFileDateText(const TDate& date) {
    if (date.year < 1900)
        return "00.00.0000";
    std::string text;
    AppendTwoDigits(text, date.day);
    text += '.';
    AppendTwoDigits(text, date.month);
    text += '.';
    text += std::to_string(date.year);
    return text;
}

TDate FarFutureDate() {
    return {2999, 1, 1};
}
