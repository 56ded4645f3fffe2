#include "ScrambleLine.h"

#include "OsKey.h"

namespace {

void AppendScrambled(std::string& out, std::string_view text) {
    const std::size_t start = out.size();
    out.resize(start + text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        out[start + i] = static_cast<char>(static_cast<unsigned char>(text[i]) ^ kOsKey);
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
