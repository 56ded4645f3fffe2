#include "TWin1250Validator.h"

#include "TWin1250.h"

// Only a text that Windows-1250 holds comes back unchanged from its bytes.
QValidator::State TWin1250Validator::validate(QString& input, int&) const {
    return TWin1250::Decode(TWin1250::Encode(input)) == input ? Acceptable : Invalid;
}
