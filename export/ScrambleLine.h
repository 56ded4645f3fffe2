#pragma once

#include <string>
#include <string_view>

// Appends the scrambled form of `text` (every byte combined with the key byte kOsKey by
// exclusive-or) and then a clear carriage return and line feed.
void AppendScrambledLine(std::string& out, std::string_view text);
