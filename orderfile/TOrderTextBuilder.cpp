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
    if (cellStarts_.empty())
        return;
    ChopAfter(cellStarts_, QLatin1Char('\n'));
    cellStarts_.pop_back();
    Append(QLatin1Char('\t'));
}

void TOrderTextBuilder::EndRow() {
    if (rowStarts_.empty())
        return;
    ChopAfter(rowStarts_, QLatin1Char('\t'));
    rowStarts_.pop_back();
    Append(QLatin1Char('\n'));
}

void TOrderTextBuilder::DropRow() {
    if (rowStarts_.empty())
        return;
    text_.truncate(rowStarts_.back());
    rowStarts_.pop_back();
}

void TOrderTextBuilder::ChopAfter(const std::vector<qsizetype>& starts, QChar ending) {
    if (text_.size() > starts.back() && text_.back() == ending)
        text_.chop(1);
}
