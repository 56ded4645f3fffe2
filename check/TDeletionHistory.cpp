#include "TDeletionHistory.h"

#include "TPersonTable.h"

void TDeletionHistory::DeleteCurrent(TPersonTable& table) {
    // A pending row or an empty table has no stored row to remember; DeleteRow decides the rest.
    const bool stored = !table.HasPendingRow() && table.IsOpen() && table.RowNumber() > 0;
    if (!stored) {
        table.DeleteRow();
        return;
    }
    const int position = table.RowNumber();
    TPersonRecord row = table.RowAt(position);
    table.DeleteRow();
    deleted_.push_back({position, std::move(row)});
}

bool TDeletionHistory::RestoreLast(TPersonTable& table) {
    if (deleted_.empty())
        return false;
    // The row leaves the history only once the table took it back.
    table.RestoreRow(deleted_.back().position, deleted_.back().row);
    deleted_.pop_back();
    return true;
}
