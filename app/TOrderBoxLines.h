#pragma once

#include "TOrderLines.h"

#include <QStringView>

#include <cstddef>
#include <string>
#include <vector>

class QTextDocument;

// The lines of the order text box as the parser reads them, taken once from the document so
// that reading a line is cheap. Block ends, paragraph separators and the soft line breaks inside
// a block (U+2028, U+000B) all end a line. A non-breaking space stays byte 0xA0 and a tab stays a
// tab, which is why the document's raw text is read and never its plain text.
class TOrderBoxLines final : public TOrderLines {
public:
    static constexpr std::size_t MaxLineLength = 4096;

    explicit TOrderBoxLines(const QTextDocument& document);

    // The number of lines, less one when the last line is empty, so that a text ending in a line
    // break has no empty last line.
    int Count() const override { return count_; }
    // Line `index` in Windows-1250, cut at MaxLineLength characters; a line outside the text
    // (such as the one before the first) is empty.
    std::string Line(int index) const override;
    // The document position where each of the Count() lines starts.
    std::vector<int> LineStarts() const;

private:
    void AddLine(QStringView text, qsizetype start);

    struct TSpan {
        std::size_t offset;
        std::size_t length;
        int start; // in the document
    };
    std::string bytes_;
    std::vector<TSpan> lines_;
    int count_ = 0;
};
