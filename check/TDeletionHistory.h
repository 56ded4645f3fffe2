#pragma once

#include "TPersonRecord.h"

#include <vector>

class TPersonTable;

// The rows deleted from a table since its last import, newest last, so that they can be put
// back one at a time where they stood.
class TDeletionHistory {
public:
    // Deletes the table's current row, remembering it and its position first.
    void DeleteCurrent(TPersonTable& table);
    // Puts the most recently deleted row back at its former position with its former id, and
    // makes it current; false when nothing is left to restore.
    bool RestoreLast(TPersonTable& table);
    void Clear() { deleted_.clear(); }
    bool Empty() const { return deleted_.empty(); }

private:
    struct TDeletedRow {
        int position;
        TPersonRecord row;
    };
    std::vector<TDeletedRow> deleted_;
};
