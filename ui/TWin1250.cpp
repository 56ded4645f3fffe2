#include "ui/TWin1250.h"

#include <algorithm>
#include <array>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// The code page's upper half, bytes 0x80 to 0xFF; the lower half is ASCII. The five bytes the
// code page leaves undefined stand for the C1 control of the same value, as on Windows, so every
// byte survives a round trip. The table is fixed here rather than asked of the system: a Qt
// built without ICU has no windows-1250 decoder. QStringEncoder is not used for the way back
// either: it writes the control character SUB (0x1A) for an unmappable character and drops a
// lone high surrogate at the end of a text, where the core needs one "?".
constexpr std::array<char16_t, 128> kUpperHalf{
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

class TCodeTable {
public:
    TCodeTable() {
        for (int byte = 0; byte < 256; ++byte) {
            const char16_t unit =
                byte < 0x80 ? static_cast<char16_t>(byte) : kUpperHalf[byte - 0x80];
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

// Writes eight units as eight bytes when all of them are ASCII, which is most of an order.
bool EncodeAsciiBlock(const char16_t* units, char* bytes) {
#ifdef __SSE2__
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
    const __m128i aboveAscii = _mm_and_si128(block, _mm_set1_epi16(static_cast<short>(0xFF80)));
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(aboveAscii, _mm_setzero_si128())) != 0xFFFF)
        return false;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(bytes), _mm_packus_epi16(block, block));
    return true;
#else
    static_cast<void>(units);
    static_cast<void>(bytes);
    return false;
#endif
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
        if (end - unit >= 8 && last - byte >= 8 && EncodeAsciiBlock(unit, byte)) {
            unit += 7; // and the loop's step makes eight
            byte += 8;
            continue;
        }
        // Orders are nearly all ASCII, which is its own byte: no table lookup.
        if (*unit < 0x80) {
            *byte++ = static_cast<char>(*unit);
        } else if (QChar::isHighSurrogate(*unit) && unit + 1 != end &&
                   QChar::isLowSurrogate(unit[1])) {
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
