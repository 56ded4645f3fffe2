#pragma once

#include "ScrambleLine.h"
#include "TPersonTable.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The clear lines of a person file's bytes: split at every line end, each scrambled again.
// Bytes after the last line end come last, marked.
inline std::vector<std::string> ClearLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(ScrambleLine(std::string_view(bytes).substr(start, end - start)));
    if (start < bytes.size())
        lines.push_back("(no line end) " + bytes.substr(start));
    return lines;
}

inline std::set<std::string> Listing(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A table that holds `rows` in their order, the first one current.
inline TPersonTable TableOf(const std::vector<TPersonRecord>& rows) {
    TPersonTable table;
    for (const TPersonRecord& row : rows) {
        table.AppendRow();
        for (auto field :
             {TPersonField::pesel, TPersonField::nazwisko, TPersonField::imie, TPersonField::plec,
              TPersonField::ste, TPersonField::nis, TPersonField::stanowisko})
            table.SetFieldText(FieldName(field), row.Text(field));
        table.PostRow();
    }
    table.MoveFirst();
    return table;
}
