#pragma once

#include <QString>

#include <vector>

// The bounds that keep the order box quick, applied to every text that enters it (a paste, a
// drop, an order's file). A line longer than any the import reads is kept only up to
// MaxLineLength characters, far beyond what the import reads of it; a text of more lines than
// any order has is refused whole.
class TOrderTextLimits {
public:
    static constexpr int MaxLineLength = 10'000;
    static constexpr int MaxLines = 2'000'000;

    // `text` within the bounds, and the numbers (from 1) of the lines that were cut. Lines end as
    // the import ends them: at a line feed, a carriage return (with its line feed), a paragraph
    // or line separator and U+000B. Throws TQtError, before anything is copied, for a
    // text of more than MaxLines lines.
    struct TLimited {
        QString text;
        std::vector<int> cutLines;
    };
    static TLimited Apply(QString text);

    // The note that names the cut lines, or an empty text for none.
    static QString CutLinesNote(const std::vector<int>& cutLines);
};
