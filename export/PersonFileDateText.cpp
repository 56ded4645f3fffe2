#include "PersonFileDateText.h"

namespace {

std::string TwoDigits(int value) {
    std::string text = std::to_string(value);
    if (text.size() == 1)
        text.insert(text.begin(), '0');
    return text;
}

} // namespace

std::string PersonFileDateText(const TDate& date) {
    if (date.year < 1900)
        return "00.00.0000";
    return TwoDigits(date.day) + '.' + TwoDigits(date.month) + '.' + std::to_string(date.year);
}

TDate FarFutureDate() {
    return {2999, 1, 1};
}
