#pragma once

#include <QString>
#include <QStringView>

#include <cstddef>
#include <string>
#include <string_view>

// The one place where the Qt side's text meets the core's bytes. Texts are Windows-1250, one
// character one byte both ways: a character that Windows-1250 lacks (a surrogate pair included)
// becomes one "?", so positions and widths in characters survive the conversion.
class TWin1250 {
public:
    static std::string Encode(QStringView text);
    // Appends the encoding of at most `limit` characters of `text` to `out`.
    static void AppendEncoded(QStringView text, std::string& out, std::size_t limit);
    static QString Decode(std::string_view bytes);
};
