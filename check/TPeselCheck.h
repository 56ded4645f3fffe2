#pragma once

#include <optional>
#include <string_view>

// What a PESEL number's own rules say about it.
struct TPeselVerdict {
    bool elevenDigits = false; // exactly 11 digits; the other checks need it
    bool checkDigitOk = false;
    bool dateOk = false; // the month's century offset is known and the birth date exists
    char sex = '\0';     // 'K' for an even tenth digit, 'M' for an odd one; '\0' without digits

    bool Valid() const { return elevenDigits && checkDigitOk && dateOk; }
};

TPeselVerdict CheckPesel(std::string_view pesel);
// The first of the checks alone, for a reader that needs only the form.
bool IsElevenDigits(std::string_view pesel);
