#pragma once

#include "register/TPersonRecord.h"

#include <cstdint>
#include <map>
#include <set>
#include <vector>

class TPersonTable;
class TRowHints;

// The clerk's changes to the rows of one import, newest last, so that Ctrl+Z takes them back one
// at a time: deletions, corrections of a row's values and confirmations that a hinted row is
// right. It also keeps what the changes leave behind: the values the import found for each
// corrected row, and the rows the clerk confirmed.
class TChangeHistory {
public:
    // Deletes the table's current row, remembering it and its position first.
    void DeleteCurrent(TPersonTable& table);
    // Stores `values` in the table's current row (TPersonTable::ReplaceRow) and clears the row's
    // confirmation; false, and nothing remembered, when the row already holds them.
    bool CorrectCurrent(TPersonTable& table, const TPersonRecord& values);
    // Marks the current row as checked by the clerk; false when `hints` give it nothing to check.
    bool ConfirmCurrent(const TPersonTable& table, const TRowHints& hints);
    // Takes back the most recent change: a deleted row returns at its former position with its
    // former id, a corrected row gets its former values and confirmation back, a confirmation
    // goes; the row concerned becomes current. False when nothing is left to take back.
    bool UndoLast(TPersonTable& table);
    // A new import: the former rows and everything about them are gone.
    void Clear();
    bool Empty() const { return changes_.empty(); }
    // The rows as they stand went into a file.
    void MarkSaved();
    // The changes that no file holds: those made since the last save or import, and the saved
    // ones taken back since.
    int UnsavedCount() const;

    // The rows the clerk deleted and did not bring back, in the order of their deletion.
    std::vector<TPersonRecord> DeletedRows() const;
    // The values the import found for row `id`, once the row was corrected; null otherwise.
    const TPersonRecord* ImportedRow(std::int32_t id) const;
    // Tells freshly computed hints what the clerk said: the guesses of the import no longer
    // apply to a value the clerk changed, and confirmed rows are no longer to check.
    void ApplyTo(const TPersonTable& table, TRowHints& hints) const;

private:
    enum class TKind { Deletion, Correction, Confirmation };
    struct TChange {
        TKind kind;
        int position;
        TPersonRecord row;      // the deleted row, or the row's values before the correction
        bool confirmed = false; // a corrected row was confirmed before
    };

    std::vector<TChange> changes_;
    std::size_t saved_ = 0;  // the changes a file holds, oldest first
    int savedTakenBack_ = 0; // of those, the ones taken back since the save
    std::map<std::int32_t, TPersonRecord> imported_;
    std::set<std::int32_t> confirmed_;
};
