#pragma once

#include "register/TPersonRecord.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What an `OnTableChanged` notification tells.
enum class TTableChange {
    OpenStateChanged, // after Open and Close
    RowsChanged,      // rows added or removed, or the current row replaced: read everything again
    CursorMoved,      // only the current row changed
};

// The ordered in-memory table of person rows, with a current row, a pending row for adding,
// and synchronous notifications. Refused operations throw TTableError and change nothing.
class TPersonTable {
public:
    // A new table is open and empty; `name` prefixes its error messages ("mt: ...").
    explicit TPersonTable(std::string name = "mt");

    // Called after every change, once the table is consistent again. The table has one listener,
    // its data link, which passes the change on to whoever shows the rows.
    std::function<void(TTableChange)> OnTableChanged;

    void Open();
    void Close();
    bool IsOpen() const { return open_; }

    void AppendRow();
    void SetFieldText(std::string_view fieldName, std::string_view text);
    // The same for a field known at compile time, as the import names it.
    void SetFieldText(TPersonField field, std::string_view text);
    void PostRow();
    bool HasPendingRow() const { return pending_.has_value(); }

    void MoveFirst();
    void MoveNext();
    void MoveLast();
    int MoveRows(int distance);
    void MoveTo(int position);
    bool AtEnd() const { return atEnd_; }

    std::string FieldText(std::string_view fieldName) const;
    std::int32_t FieldNumber(std::string_view fieldName) const;
    int RowNumber() const;
    int TotalRows() const { return static_cast<int>(rows_.size()); }

    void DeleteRow();
    // Puts back a row that DeleteRow removed, with its former id, at the 1-based `position`
    // (1..TotalRows+1) and makes it current. Refuses an id this table never gave or still holds.
    void RestoreRow(int position, TPersonRecord row);

    // Replaces the texts of the current stored row by those of `row`, each cut like SetFieldText
    // cuts it; the row keeps its id and position (row.id is not read) and stays current. Refused
    // on a closed table, without a current row, and while a row is pending.
    void ReplaceRow(const TPersonRecord& row);

    // Everything a new import replaces: the stored rows, the current row and the id counter.
    struct TContents {
        std::vector<TPersonRecord> rows;
        std::optional<std::size_t> current;
        std::int32_t nextId = 1;
    };
    // The stored rows as they stand; refused while a row is pending.
    TContents Contents() const;
    // Puts back rows that Contents gave, replacing every row; the table opens if it was closed.
    void RestoreContents(TContents contents);

    // The stored row at a 1-based position; throws std::out_of_range outside 1..TotalRows.
    const TPersonRecord& RowAt(int position) const;
    // The 1-based position of the stored row with `id`; 0 when the table holds none.
    int PositionOfId(std::int32_t id) const;

private:
    TPersonField FieldOrThrow(std::string_view fieldName) const;
    void RequireOpen() const;
    [[noreturn]] void Fail(const std::string& message) const;
    void Notify(TTableChange change);
    void SettlePending();
    void DropPending();
    // The row that reads refer to: the pending row, else the current row, else none.
    const TPersonRecord* ReadRow() const;

    std::string name_;
    bool open_ = true;
    std::vector<TPersonRecord> rows_;
    std::optional<std::size_t> current_;
    std::optional<TPersonRecord> pending_;
    bool pendingTouched_ = false;
    bool atEnd_ = true;
    std::int32_t nextId_ = 1;
};
