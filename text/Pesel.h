#pragma once

#include <cstddef>
#include <string_view>

// The rules of a PESEL number, for the import that reads one and the hints that judge it.

inline constexpr std::size_t kPeselLength = 11;

// What a PESEL number's own rules say about it.
struct TPeselVerdict {
    bool elevenDigits = false; // exactly 11 digits; the other checks need it
    bool checkDigitOk = false;
    bool dateOk = false; // the month's century offset is known and the birth date exists
    char sex = '\0';     // PeselSex of the number; '\0' without 11 digits
};

TPeselVerdict CheckPesel(std::string_view pesel);
// The first of the checks alone, for a reader that needs only the form.
bool IsElevenDigits(std::string_view pesel);
// The sex the tenth digit of an 11-digit number tells: 'M' for an odd one, 'K' for an even one.
char PeselSex(std::string_view pesel);
