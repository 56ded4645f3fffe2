#include "check/TReplacedRows.h"

#include <utility>

void TReplacedRows::Keep(const TPersonTable& table, TChangeHistory& history, TImportTrace& trace) {
    kept_.reset();
    if (!history.Empty())
        kept_ = TKept{table.Contents(), std::move(history), std::move(trace)};
    history.Clear();
}

// The history and the trace go back before the rows, so that whoever follows the table's
// notification reads the rows' own trace and changes.
bool TReplacedRows::PutBack(TPersonTable& table, TChangeHistory& history, TImportTrace& trace) {
    if (!kept_)
        return false;
    TKept kept = std::move(*kept_);
    kept_.reset();
    history = std::move(kept.history);
    trace = std::move(kept.trace);
    table.RestoreContents(std::move(kept.contents));
    return true;
}
