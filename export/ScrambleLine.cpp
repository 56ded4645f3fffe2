#include "ScrambleLine.h"

#include "OsKey.h"

#include <algorithm>

namespace {

void AppendScrambled(std::string& out, std::string_view text) {
    const std::size_t start = out.size();
    out.resize(start + text.size());
    std::transform(text.begin(), text.end(), out.data() + start, [](char c) {
        return static_cast<char>(static_cast<unsigned char>(c) ^ kOsKey);
    });
}

} // namespace

std::string ScrambleLine(std::string_view text) {
    std::string scrambled;
    AppendScrambled(scrambled, text);
    return scrambled;
}

void AppendScrambledLine(std::string& out, std::string_view text) {
    AppendScrambled(out, text);
    out += "\r\n";
}
