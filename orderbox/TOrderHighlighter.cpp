#include "orderbox/TOrderHighlighter.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

const QColor TOrderHighlighter::RowLineColour(0xD6, 0xE6, 0xFF);
const QColor TOrderHighlighter::PersonLineColour(0x9D, 0xC3, 0xFF);
const QColor TOrderHighlighter::SkippedLineColour(0xFF, 0xB8, 0x8C);

TOrderHighlighter::TOrderHighlighter(QPlainTextEdit& box) : QObject(&box), box_(box) {
    // Any edit or paste moves the lines away from where the import saw them.
    connect(box.document(), &QTextDocument::contentsChanged, this, &TOrderHighlighter::Forget);
    connect(box.verticalScrollBar(), &QAbstractSlider::valueChanged, this,
            &TOrderHighlighter::FollowScrolling);
}

void TOrderHighlighter::Follow(std::vector<int> lineStarts, const std::vector<int>& skippedLines) {
    lineStarts_ = std::move(lineStarts);
    skipped_.clear();
    std::copy_if(skippedLines.begin(), skippedLines.end(), std::back_inserter(skipped_),
                 [this](int line) { return HasLine(line); });
    shownSkipped_ = -1;
    rowMarks_.clear();
    Apply();
}

void TOrderHighlighter::Forget() {
    if (!Following())
        return;
    lineStarts_.clear();
    skipped_.clear();
    rowMarks_.clear();
    Apply();
    emit Forgotten();
}

bool TOrderHighlighter::HasLine(int line) const {
    return line >= 0 && line < static_cast<int>(lineStarts_.size());
}

QTextBlock TOrderHighlighter::BlockOf(int line) const {
    return box_.document()->findBlock(lineStarts_[static_cast<std::size_t>(line)]);
}

QStringList TOrderHighlighter::LinesText(int first, int last) const {
    QStringList lines;
    if (!HasLine(first))
        return lines;
    for (int line = first; line <= last && HasLine(line); ++line) {
        const QTextBlock block = BlockOf(line);
        const int start = lineStarts_[static_cast<std::size_t>(line)];
        // A soft line break inside the block ends the line one character before the next start.
        const int blockEnd = block.position() + block.length() - 1;
        const int end =
            HasLine(line + 1)
                ? std::min(blockEnd, lineStarts_[static_cast<std::size_t>(line) + 1] - 1)
                : blockEnd;
        lines.append(block.text().mid(start - block.position(), end - start));
    }
    return lines;
}

// The whole width of the line's screen line, also past its last character: a full-width
// selection colours the screen line of its cursor, which therefore selects nothing. A cursor
// made at a block's start is far cheaper than one moved there, which measures the line.
QTextEdit::ExtraSelection TOrderHighlighter::LineSelection(int line,
                                                           const QTextCharFormat& format) const {
    const int position = lineStarts_[static_cast<std::size_t>(line)];
    const QTextBlock block = BlockOf(line);
    QTextCursor cursor(block);
    if (block.position() != position)
        cursor.setPosition(position);
    return {cursor, format};
}

QTextCharFormat TOrderHighlighter::LineFormat(const QColor& colour) {
    QTextCharFormat format;
    format.setBackground(colour);
    format.setProperty(QTextFormat::FullWidthSelection, true);
    return format;
}

void TOrderHighlighter::ShowRow(const TRowSources& row) {
    rowMarks_.clear();
    if (Following()) {
        const QTextCharFormat format = LineFormat(RowLineColour);
        for (const int line : {row.directed, row.nis, row.rank, row.legalBasis, row.blockEnd})
            if (HasLine(line) && line != row.person)
                rowMarks_.append(LineSelection(line, format));
        // Last, so that it is drawn over a skipped mark of the same line.
        if (HasLine(row.person))
            rowMarks_.append(LineSelection(row.person, LineFormat(PersonLineColour)));
    }
    Apply();
    if (Following() && HasLine(row.person))
        Reveal(row.person);
}

int TOrderHighlighter::ShowNextSkipped() {
    if (skipped_.empty())
        return -1;
    shownSkipped_ = (shownSkipped_ + 1) % static_cast<int>(skipped_.size());
    const int line = skipped_[static_cast<std::size_t>(shownSkipped_)];
    Reveal(line);
    return line;
}

// Only the skipped persons within a screen above and below the box's sight get a mark: an order
// may skip thousands, and every mark costs each time the marks change.
void TOrderHighlighter::Apply() {
    const int top = box_.verticalScrollBar()->value();
    const int sight = LinesInSight();
    markedFrom_ = top - sight;
    markedTo_ = top + 2 * sight;
    QList<QTextEdit::ExtraSelection> marks;
    const QTextCharFormat format = LineFormat(SkippedLineColour);
    for (auto line = std::lower_bound(skipped_.begin(), skipped_.end(), markedFrom_);
         line != skipped_.end() && *line <= markedTo_; ++line)
        marks.append(LineSelection(*line, format));
    box_.setExtraSelections(marks + rowMarks_);
}

// The box's screen lines are the order's lines, one each, since the box does not wrap.
void TOrderHighlighter::FollowScrolling(int top) {
    if (!skipped_.empty() && (top < markedFrom_ || top + LinesInSight() > markedTo_))
        Apply();
}

int TOrderHighlighter::LinesInSight() const {
    return std::max(1, box_.viewport()->height() / box_.fontMetrics().lineSpacing());
}

// Scrolls only when the line is out of sight, and then brings it to the middle, so that the
// lines of its block below it are in sight too. The box's text cursor stays where it is. The
// vertical bar counts screen lines; pixel places are known only for the lines in sight.
void TOrderHighlighter::Reveal(int line) {
    const int position = lineStarts_[static_cast<std::size_t>(line)];
    const QTextBlock block = BlockOf(line);
    const QTextLayout* layout = block.layout();
    const QTextLine inBlock =
        layout ? layout->lineForTextPosition(position - block.position()) : QTextLine();
    const int screenLine = block.firstLineNumber() + (inBlock.isValid() ? inBlock.lineNumber() : 0);
    QScrollBar& bar = *box_.verticalScrollBar();
    const int linesInSight = LinesInSight();
    if (screenLine < bar.value() || screenLine >= bar.value() + linesInSight)
        bar.setValue(screenLine - linesInSight / 2);
    box_.horizontalScrollBar()->setValue(0);
}
