#pragma once

#include "export/OsKey.h"

#include <string>
#include <string_view>

// A person file's line made clear, as the main system's reader does: every byte combined with
// the key byte by exclusive-or. Written apart from the program's writer, so that a test reads the
// files back without trusting it.
inline std::string ClearLine(std::string_view line) {
    std::string clear(line);
    for (char& c : clear)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ kOsKey);
    return clear;
}
