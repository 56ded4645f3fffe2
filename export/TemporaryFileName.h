#pragma once

#include <string>
#include <string_view>

// A name for a new temporary file in `folder` ("" for the current folder, otherwise ending in
// the system's separator), random enough that two exports never pick the same.
std::string TemporaryFileName(std::string_view folder);

// Whether a file name (without folder) is one that TemporaryFileName gives.
bool IsTemporaryFileName(std::string_view fileName);
