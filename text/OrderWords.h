#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Words and separators of an order line, as the clerk sees them rather than as bytes.

// What a byte can be to the word and separator rules. Looked up in a table: the import asks it of
// every byte of the name zone, the position and the rank line.
enum class TOrderCharKind : unsigned char { Other, Blank, Colon, Dash };

namespace OrderWordsDetail {

constexpr std::array<TOrderCharKind, 256> MakeKinds() {
    std::array<TOrderCharKind, 256> kinds{};
    for (const unsigned char c : {' ', '\t', '\xA0'})
        kinds[c] = TOrderCharKind::Blank;
    kinds[':'] = TOrderCharKind::Colon;
    // Hyphen-minus, en dash and em dash.
    for (const unsigned char c : {'-', '\x96', '\x97'})
        kinds[c] = TOrderCharKind::Dash;
    return kinds;
}

inline constexpr std::array<TOrderCharKind, 256> kKinds = MakeKinds();

} // namespace OrderWordsDetail

inline TOrderCharKind OrderCharKind(char c) {
    return OrderWordsDetail::kKinds[static_cast<unsigned char>(c)];
}

// A blank between words: a space, a tab or a non-breaking space.
inline bool IsWordBlank(char c) {
    return OrderCharKind(c) == TOrderCharKind::Blank;
}

// Calls `visit` with each maximal run of non-blank characters of `text`, in order, until it
// returns true; returns whether it did. Nothing is stored, so a walk that stops early costs little.
template <typename Visit> bool AnyWord(std::string_view text, Visit visit) {
    for (std::size_t at = 0; at < text.size();) {
        while (at < text.size() && IsWordBlank(text[at]))
            ++at;
        const std::size_t start = at;
        while (at < text.size() && !IsWordBlank(text[at]))
            ++at;
        if (at > start && visit(text.substr(start, at - start)))
            return true;
    }
    return false;
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

// Where the text of a position written without a separator ("na stanowisko kierowca",
// "kieruję do PKW na stanowisko służbowe dowódca drużyny") begins: the index of the first word
// after the last whole word "stanowisko" (any case), one word "służbowe" right after it left out;
// npos when the text holds no such word or nothing follows it.
std::size_t AfterPositionWords(std::string_view text);

// The index where the last whole word "stanowisko" (any case, a colon after it allowed) of `text`
// begins, npos without one.
std::size_t LastPositionWord(std::string_view text);

// Whether a position may begin in `text`, which stands before a separator: `text` holds a
// separator itself, or the word "stanowisko" with more words after it. The separator after it
// may then be one inside the position's own name.
bool OpensBeforeSeparator(std::string_view text);
