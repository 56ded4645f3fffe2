#include "check/TChangeHistory.h"

#include "check/TRowHints.h"
#include "register/TPersonTable.h"

#include <optional>

namespace {

// The position of the row that the table's reads refer to, if it is a stored row.
std::optional<int> StoredCurrent(const TPersonTable& table) {
    if (table.HasPendingRow() || !table.IsOpen() || table.RowNumber() == 0)
        return std::nullopt;
    return table.RowNumber();
}

} // namespace

void TChangeHistory::DeleteCurrent(TPersonTable& table) {
    // A pending row or an empty table has no stored row to remember; DeleteRow decides the rest.
    const std::optional<int> position = StoredCurrent(table);
    if (!position) {
        table.DeleteRow();
        return;
    }
    TPersonRecord row = table.RowAt(*position);
    table.DeleteRow();
    changes_.push_back({TKind::Deletion, *position, std::move(row)});
}

bool TChangeHistory::CorrectCurrent(TPersonTable& table, const TPersonRecord& values) {
    const std::optional<int> position = StoredCurrent(table);
    if (!position) {
        table.ReplaceRow(values); // refuses with the table's own error
        return false;
    }
    const TPersonRecord former = table.RowAt(*position);
    table.ReplaceRow(values);
    if (table.RowAt(*position) == former)
        return false;
    imported_.try_emplace(former.id, former);
    const bool confirmed = confirmed_.erase(former.id) != 0;
    changes_.push_back({TKind::Correction, *position, former, confirmed});
    return true;
}

bool TChangeHistory::ConfirmCurrent(const TPersonTable& table, const TRowHints& hints) {
    const std::optional<int> position = StoredCurrent(table);
    if (!position)
        return false;
    const TPersonRecord& row = table.RowAt(*position);
    // The hints may not know yet of a confirmation just given.
    if (!hints.HintsOf(row.id).ToCheck() || !confirmed_.insert(row.id).second)
        return false;
    changes_.push_back({TKind::Confirmation, *position, row});
    return true;
}

bool TChangeHistory::UndoLast(TPersonTable& table) {
    if (changes_.empty())
        return false;
    // A change leaves the history only once the table took it back. Later changes were taken
    // back before, so the row stands where the change found it.
    const TChange& change = changes_.back();
    switch (change.kind) {
    case TKind::Deletion:
        table.RestoreRow(change.position, change.row);
        break;
    case TKind::Correction:
        table.MoveTo(change.position);
        table.ReplaceRow(change.row);
        if (change.confirmed)
            confirmed_.insert(change.row.id);
        break;
    case TKind::Confirmation:
        table.MoveTo(change.position);
        confirmed_.erase(change.row.id);
        break;
    }
    changes_.pop_back();
    if (changes_.size() < saved_) {
        saved_ = changes_.size();
        ++savedTakenBack_;
    }
    return true;
}

void TChangeHistory::Clear() {
    changes_.clear();
    saved_ = 0;
    savedTakenBack_ = 0;
    imported_.clear();
    confirmed_.clear();
}

void TChangeHistory::MarkSaved() {
    saved_ = changes_.size();
    savedTakenBack_ = 0;
}

int TChangeHistory::UnsavedCount() const {
    return static_cast<int>(changes_.size() - saved_) + savedTakenBack_;
}

std::vector<TPersonRecord> TChangeHistory::DeletedRows() const {
    std::vector<TPersonRecord> rows;
    for (const TChange& change : changes_)
        if (change.kind == TKind::Deletion)
            rows.push_back(change.row);
    return rows;
}

const TPersonRecord* TChangeHistory::ImportedRow(std::int32_t id) const {
    const auto found = imported_.find(id);
    return found == imported_.end() ? nullptr : &found->second;
}

void TChangeHistory::ApplyTo(const TPersonTable& table, TRowHints& hints) const {
    if (!imported_.empty())
        for (int position = 1; position <= table.TotalRows(); ++position) {
            const TPersonRecord& row = table.RowAt(position);
            if (const TPersonRecord* imported = ImportedRow(row.id))
                for (const TPersonField field : kTextFields)
                    if (row.Text(field) != imported->Text(field))
                        hints.Waive(row.id, field, kGuessHints);
        }
    for (const std::int32_t id : confirmed_)
        hints.Confirm(id);
}
