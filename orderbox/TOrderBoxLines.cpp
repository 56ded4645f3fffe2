#include "orderbox/TOrderBoxLines.h"

#include "ui/TWin1250.h"

#include <QString>
#include <QTextBlock>
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

// Replaces elements [first, last) of `values` by `replacement`, and moves those after by `shift`.
template <typename Value, typename Shift>
void Splice(std::vector<Value>& values, std::size_t first, std::size_t last,
            const std::vector<Value>& replacement, Shift shift) {
    for (std::size_t i = last; i < values.size(); ++i)
        values[i] = static_cast<Value>(static_cast<Shift>(values[i]) + shift);
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(first);
    values.erase(at, values.begin() + static_cast<std::ptrdiff_t>(last));
    values.insert(values.begin() + static_cast<std::ptrdiff_t>(first), replacement.begin(),
                  replacement.end());
}

} // namespace

TOrderBoxLines::TOrderBoxLines(const QTextDocument& document) {
    ReadAll(document);
}

void TOrderBoxLines::ReadAll(const QTextDocument& document) {
    // The raw text joins the blocks with paragraph separators and keeps every character as the
    // blocks hold it; reading it in one piece costs far less than asking each block for its text.
    // It is dropped once its lines are encoded.
    const QString text = document.toRawText();
    starts_.clear();
    bytes_.clear();
    byteStarts_.clear();
    bytes_.reserve(static_cast<std::size_t>(text.size()));
    ReadLines(text, 0, starts_, bytes_, byteStarts_);
    starts_.push_back(static_cast<int>(text.size()) + 1);
    byteStarts_.push_back(bytes_.size());
}

void TOrderBoxLines::ReadLines(QStringView text, int position, std::vector<int>& starts,
                               std::string& bytes, std::vector<std::size_t>& byteStarts) {
    const char16_t* const first = text.utf16();
    const char16_t* const end = first + text.size();
    for (const char16_t* line = first;; ++line) {
        const char16_t* const lineEnd = NextLineBreak(line, end);
        starts.push_back(position + static_cast<int>(line - first));
        byteStarts.push_back(bytes.size());
        TWin1250::AppendEncoded(QStringView(line, lineEnd), bytes, MaxLineLength);
        if (lineEnd == end)
            return;
        line = lineEnd;
    }
}

void TOrderBoxLines::Update(const QTextDocument& document, int from, int to, int shift) {
    // Block by block costs more per character than the whole text at once.
    if (to - from > document.characterCount() / 4) {
        ReadAll(document);
        return;
    }
    const QTextBlock first = document.findBlock(from);
    QTextBlock last = document.findBlock(to);
    if (!last.isValid())
        last = document.lastBlock();
    // The changed blocks, where they stand now and where their lines stood before the change.
    const int start = first.position();
    const int end = last.position() + last.length();
    const auto oldFirst = std::lower_bound(starts_.begin(), starts_.end(), start);
    const auto oldLast = std::lower_bound(oldFirst, starts_.end(), end - shift);
    // A change reported beyond the text, or that does not fit the lines held, must not leave
    // wrong lines: the text is then read whole.
    if (!first.isValid() || oldFirst == starts_.end() || *oldFirst != start ||
        oldLast == starts_.end() || *oldLast != end - shift) {
        ReadAll(document);
        return;
    }

    QString text;
    for (QTextBlock block = first;; block = block.next()) {
        text += block.text();
        if (block == last)
            break;
        text += QChar::ParagraphSeparator;
    }
    std::vector<int> starts;
    std::string bytes;
    std::vector<std::size_t> byteStarts;
    ReadLines(text, start, starts, bytes, byteStarts);

    const auto firstLine = static_cast<std::size_t>(oldFirst - starts_.begin());
    const auto lastLine = static_cast<std::size_t>(oldLast - starts_.begin());
    const std::size_t byteFrom = byteStarts_[firstLine];
    const std::size_t oldBytes = byteStarts_[lastLine] - byteFrom;
    for (std::size_t& byteStart : byteStarts)
        byteStart += byteFrom;
    Splice(starts_, firstLine, lastLine, starts, shift);
    Splice(byteStarts_, firstLine, lastLine, byteStarts,
           static_cast<std::ptrdiff_t>(bytes.size()) - static_cast<std::ptrdiff_t>(oldBytes));
    bytes_.replace(byteFrom, oldBytes, bytes);
}

int TOrderBoxLines::Count() const {
    const auto lines = static_cast<int>(starts_.size()) - 1;
    // The last line is empty when the text ends in a line break.
    return starts_[starts_.size() - 2] == starts_.back() - 1 ? lines - 1 : lines;
}

std::vector<int> TOrderBoxLines::LineStarts() const {
    return {starts_.begin(), starts_.begin() + Count()};
}

std::string TOrderBoxLines::Line(int index) const {
    if (index < 0 || index >= Count())
        return {};
    const auto line = static_cast<std::size_t>(index);
    return bytes_.substr(byteStarts_[line], byteStarts_[line + 1] - byteStarts_[line]);
}
