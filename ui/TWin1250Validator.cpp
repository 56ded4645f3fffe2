#include "ui/TWin1250Validator.h"

#include "ui/TWin1250.h"

#include <algorithm>

namespace {

// A NUL ends a value on its way to the file, and a line end would split its record line.
bool HoldsNulOrLineEnd(const QString& input) {
    return std::any_of(input.begin(), input.end(), [](QChar character) {
        return character == QChar::Null || character == QLatin1Char('\r') ||
               character == QLatin1Char('\n');
    });
}

} // namespace

// Only a text that Windows-1250 holds comes back unchanged from its bytes.
QValidator::State TWin1250Validator::validate(QString& input, int&) const {
    return !HoldsNulOrLineEnd(input) && TWin1250::Decode(TWin1250::Encode(input)) == input
               ? Acceptable
               : Invalid;
}
