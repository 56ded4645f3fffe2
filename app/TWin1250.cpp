#include "TWin1250.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace {

// Both directions come from the system's windows-1250 decoder. QStringEncoder is not used for
// the way back: it writes the control character SUB (0x1A) for an unmappable character and
// drops a lone high surrogate at the end of a text, where the core needs one "?".
class TCodeTable {
public:
    TCodeTable() {
        QByteArray allBytes(256, Qt::Uninitialized);
        for (int byte = 0; byte < 256; ++byte)
            allBytes[byte] = static_cast<char>(byte);
        const QString characters = QStringDecoder("windows-1250").decode(allBytes);
        if (characters.size() != 256)
            qFatal("The windows-1250 code page is not available to Qt");
        for (int byte = 0; byte < 256; ++byte) {
            const char16_t unit = characters[byte].unicode();
            toUnicode_[byte] = unit;
            fromUnicode_[unit] = static_cast<unsigned char>(byte);
        }
    }

    char16_t ToUnicode(unsigned char byte) const { return toUnicode_[byte]; }

    // Only U+0000 maps to byte 0, so 0 marks an unmappable character above it.
    char FromUnicode(char16_t unit) const {
        const unsigned char byte = fromUnicode_[unit];
        return byte != 0 || unit == 0 ? static_cast<char>(byte) : '?';
    }

private:
    std::array<char16_t, 256> toUnicode_{};
    std::array<unsigned char, 0x10000> fromUnicode_{};
};

const TCodeTable& CodeTable() {
    static const TCodeTable table;
    return table;
}

} // namespace

std::string TWin1250::Encode(QStringView text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    AppendEncoded(text, bytes, static_cast<std::size_t>(text.size()));
    return bytes;
}

void TWin1250::AppendEncoded(QStringView text, std::string& out, std::size_t limit) {
    const TCodeTable& table = CodeTable();
    const std::size_t start = out.size();
    out.resize(start + std::min(limit, static_cast<std::size_t>(text.size())));
    char* const first = out.data() + start;
    char* byte = first;
    char* const last = out.data() + out.size();
    const char16_t* unit = text.utf16();
    const char16_t* const end = unit + text.size();
    for (; unit != end && byte != last; ++unit) {
        if (QChar::isHighSurrogate(*unit) && unit + 1 != end && QChar::isLowSurrogate(unit[1])) {
            *byte++ = '?';
            ++unit;
        } else {
            *byte++ = table.FromUnicode(*unit);
        }
    }
    out.resize(start + static_cast<std::size_t>(byte - first));
}

QString TWin1250::Decode(std::string_view bytes) {
    const TCodeTable& table = CodeTable();
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* character = text.data();
    for (const char byte : bytes)
        *character++ = QChar(table.ToUnicode(static_cast<unsigned char>(byte)));
    return text;
}
