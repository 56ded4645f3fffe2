#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The last save of an import's rows: the file's name (in the file layer's narrow encoding), the
// persons it holds, and its size and time of last change as the save left them, which tell
// whether the file is still what was saved.
struct TSavedFile {
    std::string name;
    int persons = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0; // milliseconds since 1970-01-01 UTC
};

// What the record of an import tells beside its rows: where the order came from and when it was
// read, its title, the text of each person line that gave no row, and the last save. Texts are
// Windows-1250.
struct TImportFacts {
    std::string orderFile; // the order's own file (file layer's encoding); empty: the clipboard
    std::int64_t importedAt = 0; // seconds since 1970-01-01 UTC
    std::string title;
    std::vector<std::string> skippedTexts; // in the order of TImportTrace::SkippedLines
    std::optional<TSavedFile> lastSave;
};
