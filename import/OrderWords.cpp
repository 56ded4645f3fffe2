#include "OrderWords.h"

namespace {

bool IsDash(char c) {
    return c == '-' || c == '\x96' || c == '\x97';
}

} // namespace

void SplitWords(std::string_view text, std::vector<std::string_view>& words) {
    words.clear();
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsWordBlank(text[at]))
            ++at;
        const std::size_t start = at;
        while (at < text.size() && !IsWordBlank(text[at]))
            ++at;
        if (at > start)
            words.push_back(text.substr(start, at - start));
    }
}

void AppendJoinedWords(std::string_view text, std::string& into) {
    bool gap = false;
    bool first = true;
    for (const char c : text) {
        if (IsWordBlank(c)) {
            gap = !first;
            continue;
        }
        if (gap)
            into.push_back(' ');
        gap = false;
        first = false;
        into.push_back(c);
    }
}

std::size_t AfterLastSeparator(std::string_view text) {
    for (std::size_t at = text.size(); at-- > 0;) {
        const char c = text[at];
        if (c == ':' || (IsDash(c) && (at == 0 || IsWordBlank(text[at - 1]))))
            return at + 1;
    }
    return std::string_view::npos;
}
