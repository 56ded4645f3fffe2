#include "orderfile/TOrderTextBuilder.h"

#include "orderfile/OrderFileLimits.h"
#include "orderfile/TOrderFileRefusal.h"

void TOrderTextBuilder::Append(QStringView text) {
    if (text_.size() + text.size() > OrderFileLimits::MaxTextChars)
        throw TOrderFileRefusal(QStringLiteral("tekst dokumentu jest zbyt długi"));
    text_ += text;
}

void TOrderTextBuilder::EndParagraph() {
    if (joinNext_)
        joinNext_ = false;
    else
        Append(QLatin1Char('\n'));
}

// A cell's last paragraph ends at the tab that closes the cell, and a row's last cell at the
// row's line end. An unbalanced end (a cell outside a row) changes nothing.
void TOrderTextBuilder::EndCell() {
    Close(cellStarts_, QLatin1Char('\n'), QLatin1Char('\t'));
}

void TOrderTextBuilder::EndRow() {
    Close(rowStarts_, QLatin1Char('\t'), QLatin1Char('\n'));
}

void TOrderTextBuilder::DropRow() {
    if (rowStarts_.empty())
        return;
    text_.truncate(rowStarts_.back());
    rowStarts_.pop_back();
}

// Ends the innermost open cell or row: its own last `inner` ending gives way to `end`.
void TOrderTextBuilder::Close(std::vector<qsizetype>& starts, QChar inner, QChar end) {
    if (starts.empty())
        return;
    if (text_.size() > starts.back() && text_.back() == inner)
        text_.chop(1);
    starts.pop_back();
    Append(end);
}
