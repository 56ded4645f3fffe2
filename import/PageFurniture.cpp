#include "import/PageFurniture.h"

#include "text/OrderWords.h"
#include "text/TextPrimitives.h"

#include <algorithm>
#include <array>

namespace {

bool IsNumber(std::string_view word) {
    return !word.empty() && word.size() <= 4 &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsDash(std::string_view word) {
    return word.size() == 1 && OrderCharKind(word[0]) == TOrderCharKind::Dash;
}

bool IsPageWord(std::string_view word) {
    return word == "Strona" || word == "strona" || word == "Str." || word == "str.";
}

// "3/7"
bool IsNumberOfPages(std::string_view word) {
    const std::size_t slash = word.find('/');
    return slash != std::string_view::npos && IsNumber(word.substr(0, slash)) &&
           IsNumber(word.substr(slash + 1));
}

bool IsPageNumber(std::string_view text) {
    std::array<std::string_view, 5> words{};
    std::size_t count = 0;
    // More words than any page number has stop the walk.
    if (AnyWord(text, [&](std::string_view word) {
            if (count == words.size())
                return true;
            words[count++] = word;
            return false;
        }))
        return false;
    switch (count) {
    case 1:
        return IsNumber(words[0]) || IsNumberOfPages(words[0]);
    case 2:
        return IsPageWord(words[0]) && IsNumber(words[1]);
    case 3:
        return IsDash(words[0]) && IsNumber(words[1]) && IsDash(words[2]);
    case 4:
        return IsPageWord(words[0]) && IsNumber(words[1]) && words[2] == "z" && IsNumber(words[3]);
    default:
        return false;
    }
}

} // namespace

bool IsPageFurnitureText(std::string_view line, std::string_view title) {
    const std::string_view text = TrimText(line);
    if (text.empty())
        return false;
    if (text.size() <= kLongestPageNumber && IsPageNumber(text))
        return true;
    return !title.empty() && text == title;
}
