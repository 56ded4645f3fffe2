#include "text/OrderWords.h"

namespace {

// The index of the first byte at or after `at` that is (`blank` true) or is not a blank.
std::size_t Skip(std::string_view text, std::size_t at, bool blank) {
    while (at < text.size() && IsWordBlank(text[at]) == blank)
        ++at;
    return at;
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
