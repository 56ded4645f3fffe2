#pragma once

#include "orderbox/TOrderBoxLines.h"

#include <QKeySequence>
#include <QList>
#include <QPlainTextEdit>

#include <exception>
#include <optional>
#include <vector>

// The order text box `mrozkaz`. Ctrl+Z in it is only the box's own undo of the clerk's edits.
// Every other key of the window's own is the window's here too, never one of the box's editing
// keys (Ctrl+K, which deletes to the line's end in Qt's text edits on Linux, confirms the current
// row as in the grid). A file dropped
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

    // Takes the focus as Alt+T gives it: the caret stays where the clerk sees it, or goes to the
    // start of the top visible line, never out of view.
    void TakeFocus();

    // The window's keys, which the box leaves to the window rather than edit the text with.
    void LeaveKeysToWindow(QList<QKeySequence> keys);

    // Whether `data` (dropped or pasted) names a file of this machine rather than holding text.
    static bool HoldsLocalFile(const QMimeData* data);

signals:
    void OpenFileAsked();
    // A paste or a drop into the box had lines cut; `note` names them.
    void LinesCut(const QString& note);
    // A paste or a drop into the box failed (a text of too many lines), leaving the box as it
    // was; the window shows `failure` as it shows any failed action.
    void InsertFailed(std::exception_ptr failure);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
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
    bool IsWindowKey(const QKeyEvent& event) const;
    void ShowFocusFrame(bool shown);
    static QString WithVisibleBreaks(QString text);

    static constexpr int kFocusFrameWidth = 2;

    std::optional<TOrderBoxLines> lines_;
    std::optional<TChange> change_;
    QList<QKeySequence> windowKeys_;
};
