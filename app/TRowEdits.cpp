#include "app/TRowEdits.h"

#include "check/TRowHints.h"
#include "dialogs/TTypeAhead.h"
#include "persondialog/TPersonDialog.h"
#include "register/TPersonTable.h"
#include "ui/TQtError.h"

TRowEdits::TRowEdits(QWidget& window, TPersonTable& table) : window_(window), table_(table) {}

void TRowEdits::StartImport(TImportTrace& trace) {
    replaced_.Keep(table_, history_, trace);
    ++imports_;
}

// The box shows the row as it stands; OK stores what it holds then in that very row, wherever
// the current row is by then, and Cancel nothing. A row that went meanwhile (deleted, or its
// import replaced by another, whose ids start again from 1) takes nothing.
bool TRowEdits::CorrectCurrent(std::int32_t id, const TRowHintSet& hints,
                               const QStringList& orderLines) {
    const int import = imports_;
    TPersonDialog box(table_.RowAt(table_.RowNumber()), hints, orderLines, &window_);
    box.PlaceIn(table_);
    if (TTypeAhead::Exec(box) != QDialog::Accepted)
        return false;
    const int position = import == imports_ ? table_.PositionOfId(id) : 0;
    if (position == 0)
        throw TQtError(
            QStringLiteral("Poprawionej osoby nie ma już na liście (usunięto ją albo ponownie "
                           "zaimportowano osoby); niczego nie zmieniono"));
    table_.MoveTo(position);
    return history_.CorrectCurrent(table_, box.Values());
}

// Once the clerk's edits since the import are taken back, the import itself: the rows it
// replaced come back with their edits and the trace that gave them.
TRowEdits::TUndone TRowEdits::Undo(TImportTrace& trace) {
    if (history_.UndoLast(table_))
        return TUndone::Edit;
    return replaced_.PutBack(table_, history_, trace) ? TUndone::Import : TUndone::Nothing;
}
