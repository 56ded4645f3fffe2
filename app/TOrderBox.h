#pragma once

#include <QPlainTextEdit>

#include <memory>

class TOrderBoxLines;

// The order text box `mrozkaz`. Ctrl+Z in it undoes only the clerk's own edits: while it has
// none to undo, the key is left to the window (which brings back deleted rows).
class TOrderBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TOrderBox(QWidget* parent = nullptr);
    ~TOrderBox() override;

    // Replaces the whole text, with no undo, and reads its lines at once: a text set here is
    // nearly always imported next, unedited.
    void ReplaceText(const QString& text);
    // The box's lines as the parser reads them, read again only after the text has changed.
    std::shared_ptr<const TOrderBoxLines> Lines();

protected:
    bool event(QEvent* event) override;

private:
    std::shared_ptr<const TOrderBoxLines> lines_;
};
