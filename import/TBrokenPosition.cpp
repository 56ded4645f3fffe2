#include "import/TBrokenPosition.h"

#include "import/OrderMarkers.h"
#include "import/PageFurniture.h"
#include "import/TOrderLines.h"
#include "text/OrderWords.h"

namespace {

// Appends the words of `text` to `into`, one space between them and the words already there.
void AppendWords(std::string_view text, std::string& into) {
    const std::size_t words = into.size();
    AppendJoinedWords(text, into);
    if (words > 0 && into.size() > words)
        into.insert(words, 1, ' ');
}

// "na stanowisko ...", "stanowisko ...", "- ...": a line where the order's text of a position
// begins.
bool OpensPosition(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t\xA0");
    if (start == std::string_view::npos)
        return false;
    line.remove_prefix(start);
    return line.starts_with("na stanowisko") || line.starts_with("stanowisko") ||
           OrderCharKind(line.front()) == TOrderCharKind::Dash;
}

// Where the word "stanowisko" stands after "kieruję" on a line, npos where it does not.
std::size_t PositionWordAfterDirected(std::string_view line) {
    const std::size_t word = LastPositionWord(line);
    return word != std::string_view::npos && word > line.find(OrderMarker::Directed)
               ? word
               : std::string_view::npos;
}

} // namespace

bool TBrokenPosition::Load(const TOrderLines& lines, std::string_view title, int titleIndex) {
    count_ = 0;
    if (held_ == 0 || held_ - (directedFirst_ ? 1 : 0) > kMostLines)
        return false;
    for (int index = first_; index <= last_; ++index) {
        std::string line = lines.Line(index);
        if (index == first_ && directedFirst_) {
            const std::size_t word = PositionWordAfterDirected(line);
            if (word == std::string::npos)
                continue;
            line.erase(0, word);
        }
        if (index == titleIndex || !IsPageFurniture(line, title))
            lines_[count_++] = std::move(line);
    }
    return true;
}

TBrokenPosition::TJoin TBrokenPosition::Join(std::string_view onNisLine, bool anchored,
                                             std::string& position, bool& severalSeparators) const {
    if (count_ == 0 || OpensPosition(onNisLine))
        return TJoin::None;
    // The line the position starts on: the last with a separator or that opens a position, else
    // the first held.
    std::size_t first = count_;
    std::size_t start = std::string_view::npos;
    bool opens = false;
    while (first > 0 && start == std::string_view::npos && !opens) {
        --first;
        start = AfterLastSeparator(lines_[first]);
        opens = OpensPosition(lines_[first]);
    }
    if (anchored && !opens)
        return TJoin::None;
    position.clear();
    const std::string_view opening = lines_[first];
    severalSeparators =
        start != std::string_view::npos && OpensBeforeSeparator(opening.substr(0, start - 1));
    AppendWords(start == std::string_view::npos ? opening : opening.substr(start), position);
    for (std::size_t line = first + 1; line < count_; ++line)
        AppendWords(lines_[line], position);
    AppendWords(onNisLine, position);
    if (start != std::string_view::npos)
        return TJoin::FromSeparator;
    // "na stanowisko" opens the position as a separator would.
    if (const std::size_t words = AfterPositionWords(position); words != std::string_view::npos) {
        position.erase(0, words);
        return TJoin::FromSeparator;
    }
    return TJoin::Whole;
}

bool TBrokenPosition::HoldsSeparator(bool anchored) const {
    for (std::size_t line = 0; line < count_; ++line)
        if (OpensBeforeSeparator(lines_[line]) && (!anchored || OpensPosition(lines_[line])))
            return true;
    return false;
}
