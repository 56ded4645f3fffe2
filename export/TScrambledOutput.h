#pragma once

#include "export/TFileLayer.h"

#include <string>
#include <string_view>

// Scrambled lines on their way into a file, gathered into large writes.
class TScrambledOutput {
public:
    explicit TScrambledOutput(TOpenFile& file);

    // Adds the scrambled line and its clear line end; writes when enough has gathered.
    void WriteScrambledLine(std::string_view text);
    // Writes whatever has gathered.
    void WriteOut();

private:
    TOpenFile& file_;
    std::string pending_;
};
