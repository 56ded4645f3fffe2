#pragma once

#include "check/TChangeHistory.h"
#include "check/TImportTrace.h"
#include "register/TPersonTable.h"

#include <optional>

// The rows a new import replaced, kept with the clerk's changes to them and the trace of the
// import that gave them, so that Ctrl+Z after the import brings them all back. Only rows the
// clerk changed are kept: rows as imported come again from the same order.
class TReplacedRows {
public:
    // Before an import: keeps the table's rows, the history and the trace when the history holds
    // a change; otherwise forgets what was kept before. The history and the trace are left empty.
    void Keep(const TPersonTable& table, TChangeHistory& history, TImportTrace& trace);
    // Puts the kept rows, history and trace back in place of the present ones, and forgets them;
    // false, and nothing changed, when nothing is kept.
    bool PutBack(TPersonTable& table, TChangeHistory& history, TImportTrace& trace);

private:
    struct TKept {
        TPersonTable::TContents contents;
        TChangeHistory history;
        TImportTrace trace;
    };
    std::optional<TKept> kept_;
};
