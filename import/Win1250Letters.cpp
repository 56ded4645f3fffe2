#include "Win1250Letters.h"

#include <array>
#include <string_view>

namespace {

// The letters above 0x7F, by case; 0xA1 (caron) is a modifier letter without case.
constexpr std::string_view kUpperHigh = "\x8A\x8C\x8D\x8E\x8F\xA3\xA5\xAA\xAF\xBC";
constexpr std::string_view kLowerHigh = "\x9A\x9C\x9D\x9E\x9F\xB3\xB5\xB9\xBA\xBE\xBF\xDF";

constexpr std::array<TLetterCase, 256> MakeTable() {
    std::array<TLetterCase, 256> table{};
    for (int c = 'A'; c <= 'Z'; ++c)
        table[c] = TLetterCase::Upper;
    for (int c = 'a'; c <= 'z'; ++c)
        table[c] = TLetterCase::Lower;
    for (const char c : kUpperHigh)
        table[static_cast<unsigned char>(c)] = TLetterCase::Upper;
    for (const char c : kLowerHigh)
        table[static_cast<unsigned char>(c)] = TLetterCase::Lower;
    // 0xC0-0xDE are capitals and 0xE0-0xFE small letters, but for the signs × and ÷.
    for (int c = 0xC0; c <= 0xDE; ++c)
        table[c] = c == 0xD7 ? TLetterCase::NotALetter : TLetterCase::Upper;
    for (int c = 0xE0; c <= 0xFE; ++c)
        table[c] = c == 0xF7 ? TLetterCase::NotALetter : TLetterCase::Lower;
    table[0xA1] = TLetterCase::Caseless;
    return table;
}

constexpr std::array<TLetterCase, 256> kCases = MakeTable();

} // namespace

TLetterCase LetterCase(char c) {
    return kCases[static_cast<unsigned char>(c)];
}
