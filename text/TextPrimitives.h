#pragma once

#include <string>
#include <string_view>

// Text helpers over single-byte Windows-1250 text. Positions count from 1; 0 means "none".

// The position of the first occurrence of `needle` in `text`, comparing bytes exactly;
// 0 when it does not occur or when either is empty.
int TextPos(std::string_view needle, std::string_view text);

// At most `count` characters of `text` from position `start`, stopping at the end of the text.
// Empty for an empty text, a count of 0 or less, or a start beyond the last character. A start of
// 0 or less counts as 1 without reducing the count.
std::string_view SubText(std::string_view text, int start, int count);

// `text` without its leading and trailing characters of code 0x20 or less. Characters of code
// 0x80 and above (the non-breaking space 0xA0 among them) stay.
std::string_view TrimText(std::string_view text);

// The 1-based position of a 0-based index.
inline int PositionOf(std::size_t index) {
    return static_cast<int>(index) + 1;
}

// Whether `c` is one of the characters TrimText removes.
inline bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// The order line as the parser searches it: trimmed, with every run of spaces (0x20 only, not
// tabs or non-breaking spaces) made one space. Written into `into`, whose storage is reused, so
// that normalising line after line allocates only when a line is longer than all before it.
void NormaliseLine(std::string_view line, std::string& into);

// Where the character at `position` of `line` (1-based, a non-space) stands once the line is
// normalised, so that a marker found in the line as it came need not be searched for again.
int NormalisedPosition(std::string_view line, int position);
