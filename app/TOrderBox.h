#pragma once

#include <QPlainTextEdit>

// The order text box `mrozkaz`. Ctrl+Z in it undoes only the clerk's own edits: while it has
// none to undo, the key is left to the window (which brings back deleted rows).
class TOrderBox : public QPlainTextEdit {
    Q_OBJECT

public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    bool event(QEvent* event) override;
};
