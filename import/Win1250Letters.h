#pragma once

// Letters of Windows-1250: a byte is a letter when its character is one in Unicode (the Polish
// ones among them), and its case is that character's case.
enum class TLetterCase : unsigned char { NotALetter, Upper, Lower, Caseless };

TLetterCase LetterCase(char c);

inline bool IsLetter(char c) {
    return LetterCase(c) != TLetterCase::NotALetter;
}
inline bool IsLowerLetter(char c) {
    return LetterCase(c) == TLetterCase::Lower;
}
inline bool IsUpperLetter(char c) {
    return LetterCase(c) == TLetterCase::Upper;
}
