#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// The text of a document as a word processor's plain-text copy gives it: every paragraph one
// line, and a table cell by cell, the cells of a row separated by a tab and each row one line
// (a cell's own paragraphs, but its last, end a line inside it). Tables may nest.
class TOrderTextBuilder {
public:
    void Append(QStringView text);
    void Append(QChar character) { Append(QStringView(&character, 1)); }
    // Ends the current paragraph; a paragraph whose end was deleted runs on into the next.
    void EndParagraph();
    void JoinNextParagraph() { joinNext_ = true; }

    void StartRow() { rowStarts_.push_back(text_.size()); }
    void StartCell() { cellStarts_.push_back(text_.size()); }
    void EndCell();
    void EndRow();
    // Ends the row leaving it out (a row deleted, with the changes accepted).
    void DropRow();

    QString Take() { return std::move(text_); }

private:
    // Removes `ending` from the end of the text when it follows `start`.
    void Close(std::vector<qsizetype>& starts, QChar inner, QChar end);

    QString text_;
    std::vector<qsizetype> rowStarts_;
    std::vector<qsizetype> cellStarts_;
    bool joinNext_ = false;
};
