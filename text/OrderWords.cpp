#include "text/OrderWords.h"

#include "text/Win1250Letters.h"

#include <algorithm>

namespace {

// The index of the first byte at or after `at` that is (`blank` true) or is not a blank.
std::size_t Skip(std::string_view text, std::size_t at, bool blank) {
    while (at < text.size() && IsWordBlank(text[at]) == blank)
        ++at;
    return at;
}

// "stanowisko" and "służbowe" in Windows-1250 small letters.
constexpr std::string_view kPositionWord = "stanowisko";
constexpr std::string_view kOfficialWord = "s\xB3u\xBF"
                                           "bowe";

bool SameWordAnyCase(std::string_view word, std::string_view small) {
    return word.size() == small.size() &&
           std::equal(word.begin(), word.end(), small.begin(),
                      [](char c, char s) { return LowerLetter(c) == s; });
}

// The word that starts at `at` (a non-blank), up to the next blank.
std::string_view WordAt(std::string_view text, std::size_t at) {
    return text.substr(at, Skip(text, at, false) - at);
}

} // namespace

void SplitWords(std::string_view text, std::vector<std::string_view>& words) {
    words.clear();
    for (std::size_t at = Skip(text, 0, true); at < text.size();) {
        const std::size_t end = Skip(text, at, false);
        words.push_back(text.substr(at, end - at));
        at = Skip(text, end, true);
    }
}

// Word by word rather than byte by byte: a string grows faster by runs.
void AppendJoinedWords(std::string_view text, std::string& into) {
    const std::size_t initial = into.size();
    for (std::size_t at = Skip(text, 0, true); at < text.size();) {
        const std::size_t end = Skip(text, at, false);
        if (into.size() > initial)
            into.push_back(' ');
        into.append(text.substr(at, end - at));
        at = Skip(text, end, true);
    }
}

std::size_t AfterLastSeparator(std::string_view text) {
    for (std::size_t at = text.size(); at-- > 0;) {
        const TOrderCharKind kind = OrderCharKind(text[at]);
        if (kind == TOrderCharKind::Colon ||
            (kind == TOrderCharKind::Dash && (at == 0 || IsWordBlank(text[at - 1]))))
            return at + 1;
    }
    return std::string_view::npos;
}

std::size_t LastPositionWord(std::string_view text) {
    std::size_t last = std::string_view::npos;
    for (std::size_t at = Skip(text, 0, true); at < text.size();) {
        const std::string_view word = WordAt(text, at);
        if (SameWordAnyCase(word.ends_with(':') ? word.substr(0, word.size() - 1) : word,
                            kPositionWord))
            last = at;
        at = Skip(text, at + word.size(), true);
    }
    return last;
}

std::size_t AfterPositionWords(std::string_view text) {
    const std::size_t word = LastPositionWord(text);
    if (word == std::string_view::npos)
        return word;
    std::size_t at = Skip(text, word + WordAt(text, word).size(), true);
    if (at < text.size() && SameWordAnyCase(WordAt(text, at), kOfficialWord))
        at = Skip(text, at + kOfficialWord.size(), true);
    return at < text.size() ? at : std::string_view::npos;
}

bool OpensBeforeSeparator(std::string_view text) {
    return AfterLastSeparator(text) != std::string_view::npos ||
           AfterPositionWords(text) != std::string_view::npos;
}
