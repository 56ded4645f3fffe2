#include "export/ScrambleLine.h"

#include "export/OsKey.h"

#include <algorithm>

void AppendScrambledLine(std::string& out, std::string_view text) {
    const std::size_t start = out.size();
    out.resize(start + text.size());
    std::transform(text.begin(), text.end(), out.data() + start, [](char c) {
        return static_cast<char>(static_cast<unsigned char>(c) ^ kOsKey);
    });
    out += "\r\n";
}
