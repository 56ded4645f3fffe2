#include "TOrderBoxLines.h"

#include "TWin1250.h"

#include <QTextDocument>

namespace {

bool IsLineBreak(QChar character) {
    const char16_t unit = character.unicode();
    // One comparison passes over everything between the vertical tab and U+2028: nearly all text.
    if (unit > u'\v' && unit < QChar::LineSeparator)
        return false;
    return unit == QChar::LineSeparator || unit == u'\v' || unit == QChar::ParagraphSeparator;
}

} // namespace

TOrderBoxLines::TOrderBoxLines(const QTextDocument& document)
    // The raw text joins the blocks with paragraph separators and keeps every character as the
    // blocks hold it; reading it in one piece costs far less than asking each block for its text.
    : text_(document.toRawText()) {
    const QChar* const first = text_.constData();
    const qsizetype size = text_.size();
    starts_.push_back(0);
    for (qsizetype i = 0; i < size; ++i)
        if (IsLineBreak(first[i]))
            starts_.push_back(static_cast<int>(i + 1));
    starts_.push_back(static_cast<int>(size + 1));
    count_ = static_cast<int>(starts_.size()) - 1;
    // The last line is empty when the text ends in a line break.
    if (starts_[starts_.size() - 2] == size)
        --count_;
}

std::vector<int> TOrderBoxLines::LineStarts() const {
    return {starts_.begin(), starts_.begin() + count_};
}

std::string TOrderBoxLines::Line(int index) const {
    if (index < 0 || index >= count_)
        return {};
    const auto line = static_cast<std::size_t>(index);
    const int start = starts_[line];
    std::string bytes;
    TWin1250::AppendEncoded(QStringView(text_).sliced(start, starts_[line + 1] - 1 - start), bytes,
                            MaxLineLength);
    return bytes;
}
