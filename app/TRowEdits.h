#pragma once

#include "check/TChangeHistory.h"
#include "check/TReplacedRows.h"

#include <QStringList>

#include <cstdint>

class QWidget;
class TImportTrace;
class TPersonTable;
class TRowHints;
struct TRowHintSet;

// The clerk's edits of the imported rows and their undo: deleting, correcting in "Dane osoby" and
// confirming the current row, and Ctrl+Z, which takes the edits back one at a time and then the
// import that replaced the former rows. It counts the edits no file holds yet. The edits change
// the table only; whoever calls them brings the checks up to date.
class TRowEdits {
public:
    // What Ctrl+Z took back.
    enum class TUndone { Nothing, Edit, Import };

    TRowEdits(QWidget& window, TPersonTable& table);

    const TChangeHistory& History() const { return history_; }
    // The clerk's edits since the last save or import.
    int UnsavedCount() const { return history_.UnsavedCount(); }
    bool AnyImport() const { return imports_ > 0; }

    // Keeps the rows an import is about to replace, with their edits and trace, for Ctrl+Z.
    void StartImport(TImportTrace& trace);
    void MarkSaved() { history_.MarkSaved(); }

    void DeleteCurrent() { history_.DeleteCurrent(table_); }
    // Shows the current row, `id`, in "Dane osoby" with its hints and order lines; whether OK
    // changed the row.
    bool CorrectCurrent(std::int32_t id, const TRowHintSet& hints, const QStringList& orderLines);
    // Whether the row had something to confirm.
    bool ConfirmCurrent(const TRowHints& hints) { return history_.ConfirmCurrent(table_, hints); }
    TUndone Undo(TImportTrace& trace);

private:
    QWidget& window_;
    TPersonTable& table_;
    TChangeHistory history_;
    TReplacedRows replaced_;
    int imports_ = 0; // tells a row of one import from the row of another with the same id
};
