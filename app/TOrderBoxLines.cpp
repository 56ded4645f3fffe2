#include "TOrderBoxLines.h"

#include "TWin1250.h"

#include <QString>
#include <QTextDocument>

#include <algorithm>
#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

bool IsLineBreak(char16_t unit) {
    return unit == QChar::LineSeparator || unit == u'\v' || unit == QChar::ParagraphSeparator;
}

// The first line break at or after `from`, or `end`. Lines run to some forty characters, so the
// scan takes eight at a time where the processor allows.
const char16_t* NextLineBreak(const char16_t* from, const char16_t* end) {
#ifdef __SSE2__
    const __m128i verticalTab = _mm_set1_epi16(u'\v');
    const __m128i lineSeparator = _mm_set1_epi16(static_cast<short>(QChar::LineSeparator));
    // U+2028 and U+2029 differ in the lowest bit only.
    const __m128i allButLowest = _mm_set1_epi16(static_cast<short>(~1));
    for (; end - from >= 8; from += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        const __m128i breaks =
            _mm_or_si128(_mm_cmpeq_epi16(units, verticalTab),
                         _mm_cmpeq_epi16(_mm_and_si128(units, allButLowest), lineSeparator));
        if (const auto bits = static_cast<unsigned>(_mm_movemask_epi8(breaks)))
            return from + std::countr_zero(bits) / 2;
    }
#endif
    return std::find_if(from, end, IsLineBreak);
}

} // namespace

TOrderBoxLines::TOrderBoxLines(const QTextDocument& document) {
    // The raw text joins the blocks with paragraph separators and keeps every character as the
    // blocks hold it; reading it in one piece costs far less than asking each block for its text.
    // It is dropped once its lines are encoded.
    const QString text = document.toRawText();
    const char16_t* const first = QStringView(text).utf16();
    const char16_t* const end = first + text.size();
    starts_.push_back(0);
    for (const char16_t* at = NextLineBreak(first, end); at != end; at = NextLineBreak(at + 1, end))
        starts_.push_back(static_cast<int>(at - first + 1));
    const auto size = static_cast<int>(text.size());
    starts_.push_back(size + 1);
    count_ = static_cast<int>(starts_.size()) - 1;
    // The last line is empty when the text ends in a line break.
    if (starts_[starts_.size() - 2] == size)
        --count_;

    bytes_.reserve(static_cast<std::size_t>(size));
    byteStarts_.reserve(static_cast<std::size_t>(count_) + 1);
    for (std::size_t line = 0; line < static_cast<std::size_t>(count_); ++line) {
        byteStarts_.push_back(bytes_.size());
        const int start = starts_[line];
        TWin1250::AppendEncoded(QStringView(text).sliced(start, starts_[line + 1] - 1 - start),
                                bytes_, MaxLineLength);
    }
    byteStarts_.push_back(bytes_.size());
}

std::vector<int> TOrderBoxLines::LineStarts() const {
    return {starts_.begin(), starts_.begin() + count_};
}

std::string TOrderBoxLines::Line(int index) const {
    if (index < 0 || index >= count_)
        return {};
    const auto line = static_cast<std::size_t>(index);
    return bytes_.substr(byteStarts_[line], byteStarts_[line + 1] - byteStarts_[line]);
}
