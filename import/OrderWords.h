#pragma once

#include <string>
#include <string_view>
#include <vector>

// Words and separators of an order line, as the clerk sees them rather than as bytes.

// A blank between words: a space, a tab or a non-breaking space.
inline bool IsWordBlank(char c) {
    return c == ' ' || c == '\t' || c == '\xA0';
}

// The maximal runs of non-blank characters of `text`, in order, into `words` (emptied first).
void SplitWords(std::string_view text, std::vector<std::string_view>& words);

// Appends the words of `text` to `into`, joined by one space: runs of blanks become one space,
// none at either end.
void AppendJoinedWords(std::string_view text, std::string& into);

// The index right after the last separator of `text`, or npos without one. A separator is a
// colon, or a dash (hyphen-minus, en dash 0x96, em dash 0x97) that opens the text or follows a
// blank; a dash inside a word ("kierowca-operator") is none.
std::size_t AfterLastSeparator(std::string_view text);
