#pragma once

#include <string>
#include <string_view>

// The scrambled form of a clear line: every byte combined with the key byte kOsKey by
// exclusive-or. Applied to a scrambled line it gives the clear line back.
std::string ScrambleLine(std::string_view text);

// Appends the scrambled form of `text` and then a clear carriage return and line feed.
void AppendScrambledLine(std::string& out, std::string_view text);
