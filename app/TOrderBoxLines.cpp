#include "TOrderBoxLines.h"

#include "TWin1250.h"

#include <QTextDocument>

namespace {

bool IsLineBreak(QChar character) {
    const char16_t unit = character.unicode();
    return unit == QChar::LineSeparator || unit == u'\v' || unit == QChar::ParagraphSeparator;
}

} // namespace

TOrderBoxLines::TOrderBoxLines(const QTextDocument& document) {
    // The raw text joins the blocks with paragraph separators and keeps every character as the
    // blocks hold it; reading it in one piece costs far less than asking each block for its text.
    const QString text = document.toRawText();
    const QStringView view(text);
    bytes_.reserve(static_cast<std::size_t>(view.size()));
    qsizetype start = 0;
    for (qsizetype i = 0; i < view.size(); ++i) {
        if (IsLineBreak(view[i])) {
            AddLine(view.sliced(start, i - start), start);
            start = i + 1;
        }
    }
    AddLine(view.sliced(start), start);
    count_ = static_cast<int>(lines_.size());
    if (lines_.back().length == 0)
        --count_;
}

void TOrderBoxLines::AddLine(QStringView text, qsizetype start) {
    const std::size_t offset = bytes_.size();
    TWin1250::AppendEncoded(text, bytes_, MaxLineLength);
    lines_.push_back({offset, bytes_.size() - offset, static_cast<int>(start)});
}

std::vector<int> TOrderBoxLines::LineStarts() const {
    std::vector<int> starts;
    starts.reserve(static_cast<std::size_t>(count_));
    for (int index = 0; index < count_; ++index)
        starts.push_back(lines_[static_cast<std::size_t>(index)].start);
    return starts;
}

std::string TOrderBoxLines::Line(int index) const {
    if (index < 0 || index >= count_)
        return {};
    const TSpan& span = lines_[static_cast<std::size_t>(index)];
    return bytes_.substr(span.offset, span.length);
}
