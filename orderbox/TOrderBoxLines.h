#pragma once

#include "import/TOrderLines.h"

#include <QStringView>

#include <cstddef>
#include <string>
#include <vector>

class QTextDocument;

// The lines of the order text box as the parser reads them, held in Windows-1250. Block ends,
// paragraph separators and the soft line breaks inside a block (U+2028, U+000B) all end a line.
// A non-breaking space stays byte 0xA0 and a tab stays a tab, which is why the document's raw
// text is read and never its plain text. After an edit only the blocks it touched are read again.
class TOrderBoxLines final : public TOrderLines {
public:
    static constexpr std::size_t MaxLineLength = 4096;

    explicit TOrderBoxLines(const QTextDocument& document);

    // The number of lines, less one when the last line is empty, so that a text ending in a line
    // break has no empty last line.
    int Count() const override;
    // Line `index` in Windows-1250, cut at MaxLineLength characters; a line outside the text
    // (such as the one before the first) is empty.
    std::string Line(int index) const override;
    // The document position where each of the Count() lines starts.
    std::vector<int> LineStarts() const;

    // The document's text changed between positions `from` and `to` (as it stands now), and the
    // text after the change moved by `shift` characters: reads the changed blocks again.
    void Update(const QTextDocument& document, int from, int to, int shift);

private:
    // Appends the lines of `text`, which starts at document position `position`, to `starts`,
    // `bytes` and `byteStarts`.
    static void ReadLines(QStringView text, int position, std::vector<int>& starts,
                          std::string& bytes, std::vector<std::size_t>& byteStarts);
    void ReadAll(const QTextDocument& document);

    // Where each line starts in the document, the empty last line of a text ending in a line break
    // included, and one past the end of the text, as if a line break ended the last line too.
    std::vector<int> starts_;
    // All lines encoded back to back, where each starts there, and the end after the last.
    std::string bytes_;
    std::vector<std::size_t> byteStarts_;
};
