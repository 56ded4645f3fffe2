#pragma once

#include "app/TOrderBoxLines.h"

#include <QPlainTextEdit>

#include <optional>
#include <vector>

// The order text box `mrozkaz`. Ctrl+Z in it undoes only the clerk's own edits: while it has
// none to undo, the key is left to the window (which brings back deleted rows). A file dropped
// on it is left to the window too, which opens it as the order; so does its context menu's
// "Otwórz rozkaz z pliku…".
class TOrderBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TOrderBox(QWidget* parent = nullptr);

    // Replaces the whole text, with no undo, and reads its lines at once: a text set here is
    // nearly always imported next. The given text is let go before the reading, which holds a
    // copy of the whole text for a while: a big order is then held twice, not three times.
    // The text enters within TOrderTextLimits: returns the numbers of the lines it cut, and
    // throws, with the box unchanged, for a text of too many lines.
    std::vector<int> ReplaceText(QString text);
    // The box's lines as the parser reads them. The text is read whole once; after that only
    // the blocks that the clerk's edits touched are read again.
    const TOrderBoxLines& Lines();

    // Whether `data` (dropped or pasted) names a file of this machine rather than holding text.
    static bool HoldsLocalFile(const QMimeData* data);

signals:
    void OpenFileAsked();
    // A paste or a drop into the box had lines cut; `note` names them.
    void LinesCut(const QString& note);

protected:
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The clerk's own paste into the box (Ctrl+V, Shift+Insert, the context menu) and a drop of
    // text: a clipboard without text leaves the box as it is, and a file is not text. The text
    // enters within TOrderTextLimits, as a replacement does.
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Where the text changed since its lines were last read, as it stands now, and how far the
    // text after the change moved.
    struct TChange {
        int from;
        int to;
        int shift;
    };

    void NoteChange(int position, int removed, int added);

    std::optional<TOrderBoxLines> lines_;
    std::optional<TChange> change_;
};
