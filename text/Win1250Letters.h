#pragma once

#include <array>
#include <string_view>
#include <utility>

// Letters of Windows-1250: a byte is a letter when its character is one in Unicode (the Polish
// ones among them), and its case is that character's case.
enum class TLetterCase : unsigned char { NotALetter, Upper, Lower, Caseless };

namespace Win1250Detail {

// The letters above 0x7F outside the two runs 0xC0-0xDE and 0xE0-0xFE, by case.
inline constexpr std::string_view kUpperHigh = "\x8A\x8C\x8D\x8E\x8F\xA3\xA5\xAA\xAF\xBC";
inline constexpr std::string_view kLowerHigh = "\x9A\x9C\x9D\x9E\x9F\xB3\xB5\xB9\xBA\xBE\xBF\xDF";

constexpr std::array<TLetterCase, 256> MakeCases() {
    std::array<TLetterCase, 256> cases{};
    for (int c = 'A'; c <= 'Z'; ++c)
        cases[c] = TLetterCase::Upper;
    for (int c = 'a'; c <= 'z'; ++c)
        cases[c] = TLetterCase::Lower;
    for (const char c : kUpperHigh)
        cases[static_cast<unsigned char>(c)] = TLetterCase::Upper;
    for (const char c : kLowerHigh)
        cases[static_cast<unsigned char>(c)] = TLetterCase::Lower;
    // Capitals and small letters but for the signs × (0xD7) and ÷ (0xF7).
    for (int c = 0xC0; c <= 0xDE; ++c)
        cases[c] = c == 0xD7 ? TLetterCase::NotALetter : TLetterCase::Upper;
    for (int c = 0xE0; c <= 0xFE; ++c)
        cases[c] = c == 0xF7 ? TLetterCase::NotALetter : TLetterCase::Lower;
    cases[0xA1] = TLetterCase::Caseless; // the caron, a modifier letter
    return cases;
}

inline constexpr std::array<TLetterCase, 256> kCases = MakeCases();

// Each capital's small letter; the letters outside the runs pair up one by one.
constexpr std::array<char, 256> MakeLower() {
    std::array<char, 256> lower{};
    for (int c = 0; c < 256; ++c)
        lower[c] = static_cast<char>(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        lower[c] = static_cast<char>(c + 0x20);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7)
            lower[c] = static_cast<char>(c + 0x20);
    for (const int c : {0x8A, 0x8C, 0x8D, 0x8E, 0x8F})
        lower[c] = static_cast<char>(c + 0x10);
    for (const auto& [capital, small] :
         {std::pair{0xA3, 0xB3}, std::pair{0xA5, 0xB9}, std::pair{0xAA, 0xBA},
          std::pair{0xAF, 0xBF}, std::pair{0xBC, 0xBE}})
        lower[capital] = static_cast<char>(small);
    return lower;
}

inline constexpr std::array<char, 256> kLower = MakeLower();

} // namespace Win1250Detail

// Inline, since the name rules and the hints ask it of every character of a word.
inline TLetterCase LetterCase(char c) {
    return Win1250Detail::kCases[static_cast<unsigned char>(c)];
}
inline bool IsLetter(char c) {
    return LetterCase(c) != TLetterCase::NotALetter;
}
inline bool IsLowerLetter(char c) {
    return LetterCase(c) == TLetterCase::Lower;
}
inline bool IsUpperLetter(char c) {
    return LetterCase(c) == TLetterCase::Upper;
}

// The small letter of a capital; any other byte as it is.
inline char LowerLetter(char c) {
    return Win1250Detail::kLower[static_cast<unsigned char>(c)];
}
