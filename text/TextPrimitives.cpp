#include "text/TextPrimitives.h"

#include <algorithm>

int TextPos(std::string_view needle, std::string_view text) {
    if (needle.empty() || text.empty())
        return 0;
    const std::size_t at = text.find(needle);
    return at == std::string_view::npos ? 0 : static_cast<int>(at + 1);
}

std::string_view SubText(std::string_view text, int start, int count) {
    if (text.empty() || count <= 0)
        return {};
    const std::size_t from = start <= 1 ? 0 : static_cast<std::size_t>(start) - 1;
    if (from >= text.size())
        return {};
    return text.substr(from, static_cast<std::size_t>(count));
}

std::string_view TrimText(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// Trimming first leaves a non-blank character at both ends, and dropping spaces between them
// cannot change that, so the trim that would follow the collapse has nothing left to remove.
void NormaliseLine(std::string_view line, std::string& into) {
    const std::string_view trimmed = TrimText(line);
    into.clear();
    into.reserve(trimmed.size());
    std::size_t from = 0;
    for (std::size_t run = trimmed.find("  "); run != std::string_view::npos;
         run = trimmed.find("  ", from)) {
        into.append(trimmed.substr(from, run + 1 - from));
        from = trimmed.find_first_not_of(' ', run + 1);
    }
    into.append(trimmed.substr(from));
}

int NormalisedPosition(std::string_view line, int position) {
    const auto index = static_cast<std::size_t>(position - 1);
    const std::string_view head = line.substr(0, index);
    std::size_t start = 0;
    while (start < index && IsBlank(line[start]))
        ++start;
    // Every run of spaces keeps its first space; the library's search skips the rest quickly.
    std::size_t dropped = 0;
    for (std::size_t run = head.find("  ", start); run != std::string_view::npos;) {
        const std::size_t end = std::min(head.find_first_not_of(' ', run), head.size());
        dropped += end - run - 1;
        run = head.find("  ", end);
    }
    return static_cast<int>(index - start - dropped) + 1;
}
