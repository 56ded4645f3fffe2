#pragma once

#include "import/TImportObserver.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTextBlock>
#include <QTextEdit>

#include <vector>

class QPlainTextEdit;

// Marks lines of the order text box without touching its text: the lines that fed the current
// row (its person line stronger), and the person lines the import skipped. It knows where the
// lines stood when the order was imported; once the text changes it forgets them and marks
// nothing until the next import.
class TOrderHighlighter : public QObject {
    Q_OBJECT

public:
    static const QColor RowLineColour;
    static const QColor PersonLineColour;
    static const QColor SkippedLineColour;

    explicit TOrderHighlighter(QPlainTextEdit& box);

    // After an import: the document positions where its lines start (TOrderBoxLines::LineStarts)
    // and the person lines it skipped.
    void Follow(std::vector<int> lineStarts, const std::vector<int>& skippedLines);
    // Whether the box still holds the text of the last import.
    bool Following() const { return !lineStarts_.empty(); }
    int SkippedCount() const { return static_cast<int>(skipped_.size()); }
    // The text of imported lines `first` to `last` as the box holds them; none when the box no
    // longer holds the imported text. Read from the lines' own blocks, not the whole document.
    QStringList LinesText(int first, int last) const;

    // Highlights the lines of one row and scrolls its person line into view; a row without
    // lines (all -1) only clears the former highlight.
    void ShowRow(const TRowSources& row);
    // Scrolls the box to the next skipped person line after the one shown last, going round;
    // the line shown, or -1 for none.
    int ShowNextSkipped();
    // Marks nothing until the next import, as when the text changed.
    void Forget();

signals:
    // The box no longer holds the imported text.
    void Forgotten();

private:
    bool HasLine(int line) const;
    QTextBlock BlockOf(int line) const;
    QTextEdit::ExtraSelection LineSelection(int line, const QTextCharFormat& format) const;
    static QTextCharFormat LineFormat(const QColor& colour);
    void Apply();
    void FollowScrolling(int top);
    int LinesInSight() const;
    void Reveal(int line);

    QPlainTextEdit& box_;
    std::vector<int> lineStarts_;
    std::vector<int> skipped_;
    int shownSkipped_ = -1;
    // The lines within which the skipped persons carry marks now.
    int markedFrom_ = 0;
    int markedTo_ = -1;
    QList<QTextEdit::ExtraSelection> rowMarks_;
};
