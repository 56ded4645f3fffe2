#include "register/TPersonTable.h"

#include "register/TTableError.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

TPersonTable::TPersonTable(std::string name) : name_(std::move(name)) {}

void TPersonTable::Notify(TTableChange change) {
    if (OnTableChanged)
        OnTableChanged(change);
}

[[noreturn]] void TPersonTable::Fail(const std::string& message) const {
    throw TTableError(name_ + ": " + message);
}

void TPersonTable::RequireOpen() const {
    if (!open_)
        Fail("Cannot perform this operation on a closed dataset");
}

TPersonField TPersonTable::FieldOrThrow(std::string_view fieldName) const {
    if (auto field = FieldByName(fieldName))
        return *field;
    Fail("Field '" + std::string(fieldName) + "' not found");
}

void TPersonTable::Open() {
    if (open_)
        return;
    open_ = true;
    atEnd_ = true;
    Notify(TTableChange::OpenStateChanged);
}

void TPersonTable::Close() {
    if (!open_)
        return;
    DropPending();
    rows_.clear();
    current_.reset();
    nextId_ = 1;
    atEnd_ = true;
    open_ = false;
    Notify(TTableChange::OpenStateChanged);
}

void TPersonTable::DropPending() {
    pending_.reset();
    pendingTouched_ = false;
}

// A pending row that received a value is stored; an untouched one is dropped.
void TPersonTable::SettlePending() {
    if (!pending_)
        return;
    if (pendingTouched_)
        PostRow();
    else
        DropPending();
}

void TPersonTable::AppendRow() {
    RequireOpen();
    SettlePending();
    pending_.emplace();
    pendingTouched_ = false;
    atEnd_ = true;
    Notify(TTableChange::RowsChanged);
}

void TPersonTable::SetFieldText(std::string_view fieldName, std::string_view text) {
    if (!pending_)
        throw TTableError("Dataset not in edit or insert mode");
    SetFieldText(FieldOrThrow(fieldName), text);
}

void TPersonTable::SetFieldText(TPersonField field, std::string_view text) {
    if (!pending_)
        throw TTableError("Dataset not in edit or insert mode");
    if (field == TPersonField::id)
        Fail("Field 'id' is read-only");
    pending_->Text(field).assign(FieldValue(field, text));
    pendingTouched_ = true;
    Notify(TTableChange::RowsChanged);
}

void TPersonTable::PostRow() {
    if (!pending_)
        return;
    rows_.push_back(std::move(*pending_));
    DropPending();
    rows_.back().id = nextId_++;
    current_ = rows_.size() - 1;
    atEnd_ = false;
    Notify(TTableChange::RowsChanged);
}

void TPersonTable::MoveFirst() {
    RequireOpen();
    SettlePending();
    if (rows_.empty()) {
        current_.reset();
        atEnd_ = true;
    } else {
        current_ = 0;
        atEnd_ = false;
    }
    Notify(TTableChange::RowsChanged);
}

void TPersonTable::MoveNext() {
    MoveRows(1);
}

void TPersonTable::MoveLast() {
    RequireOpen();
    SettlePending();
    if (rows_.empty())
        current_.reset();
    else
        current_ = rows_.size() - 1;
    atEnd_ = true;
    Notify(TTableChange::RowsChanged);
}

int TPersonTable::MoveRows(int distance) {
    RequireOpen();
    SettlePending();
    if (distance == 0)
        return 0;
    int moved = 0;
    if (distance > 0) {
        if (!atEnd_ && current_) {
            const std::size_t last = rows_.size() - 1;
            const std::size_t room = last - *current_;
            const std::size_t step =
                std::min<std::size_t>(room, static_cast<std::size_t>(distance));
            *current_ += step;
            moved = static_cast<int>(step);
            // Asking for more rows than follow is what sets the end flag.
            atEnd_ = step < static_cast<std::size_t>(distance);
        }
    } else {
        atEnd_ = rows_.empty();
        if (current_) {
            const std::size_t back =
                std::min<std::size_t>(*current_, -static_cast<std::int64_t>(distance));
            *current_ -= back;
            moved = -static_cast<int>(back);
        }
    }
    Notify(TTableChange::CursorMoved);
    return moved;
}

void TPersonTable::MoveTo(int position) {
    if (!open_ || position < 1 || position > TotalRows())
        return;
    SettlePending();
    current_ = static_cast<std::size_t>(position - 1);
    atEnd_ = false;
    Notify(TTableChange::RowsChanged);
}

const TPersonRecord* TPersonTable::ReadRow() const {
    if (pending_)
        return &*pending_;
    if (current_)
        return &rows_[*current_];
    return nullptr;
}

std::string TPersonTable::FieldText(std::string_view fieldName) const {
    const TPersonField field = FieldOrThrow(fieldName);
    const TPersonRecord* row = ReadRow();
    if (!row)
        return {};
    if (field == TPersonField::id)
        return row->id == 0 ? std::string() : std::to_string(row->id);
    return row->Text(field);
}

std::int32_t TPersonTable::FieldNumber(std::string_view fieldName) const {
    const TPersonField field = FieldOrThrow(fieldName);
    const TPersonRecord* row = ReadRow();
    if (!row)
        return 0;
    if (field == TPersonField::id)
        return row->id;
    const std::string& text = row->Text(field);
    if (text.empty())
        return 0;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        Fail("'" + text + "' is not a valid integer value");
    return value;
}

int TPersonTable::RowNumber() const {
    RequireOpen();
    if (pending_)
        return TotalRows() + 1;
    return current_ ? static_cast<int>(*current_) + 1 : 0;
}

void TPersonTable::DeleteRow() {
    RequireOpen();
    if (pending_) {
        DropPending();
        Notify(TTableChange::RowsChanged);
        return;
    }
    if (rows_.empty() || !current_)
        Fail("Cannot perform this operation on an empty dataset");
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(*current_));
    if (rows_.empty()) {
        current_.reset();
        atEnd_ = true;
    } else {
        current_ = std::min(*current_, rows_.size() - 1);
        atEnd_ = false;
    }
    Notify(TTableChange::RowsChanged);
}

void TPersonTable::RestoreRow(int position, TPersonRecord row) {
    RequireOpen();
    SettlePending();
    if (position < 1 || position > TotalRows() + 1)
        Fail("No place for a row at position " + std::to_string(position));
    const bool held = std::any_of(rows_.begin(), rows_.end(),
                                  [&row](const TPersonRecord& r) { return r.id == row.id; });
    if (row.id < 1 || row.id >= nextId_ || held)
        Fail("Row id " + std::to_string(row.id) + " was not deleted from this table");
    const auto place = rows_.begin() + (position - 1);
    rows_.insert(place, std::move(row));
    current_ = static_cast<std::size_t>(position - 1);
    atEnd_ = false;
    Notify(TTableChange::RowsChanged);
}

TPersonTable::TContents TPersonTable::Contents() const {
    if (pending_)
        Fail("Cannot keep the rows while a new row is pending");
    return {rows_, current_, nextId_};
}

void TPersonTable::RestoreContents(TContents contents) {
    DropPending();
    rows_ = std::move(contents.rows);
    current_ = rows_.empty() ? std::nullopt : contents.current;
    nextId_ = contents.nextId;
    atEnd_ = !current_;
    const bool opened = !open_;
    open_ = true;
    Notify(opened ? TTableChange::OpenStateChanged : TTableChange::RowsChanged);
}

void TPersonTable::ReplaceRow(const TPersonRecord& row) {
    RequireOpen();
    if (pending_)
        Fail("Cannot replace a row while a new row is pending");
    if (!current_)
        Fail("Cannot perform this operation on an empty dataset");
    TPersonRecord& stored = rows_[*current_];
    for (const TPersonField field : kTextFields)
        stored.Text(field).assign(FieldValue(field, row.Text(field)));
    Notify(TTableChange::RowsChanged);
}

const TPersonRecord& TPersonTable::RowAt(int position) const {
    if (position < 1 || position > TotalRows())
        throw std::out_of_range(name_ + ": no row at position " + std::to_string(position));
    return rows_[static_cast<std::size_t>(position - 1)];
}

int TPersonTable::PositionOfId(std::int32_t id) const {
    const auto found = std::find_if(rows_.begin(), rows_.end(),
                                    [id](const TPersonRecord& row) { return row.id == id; });
    return found == rows_.end() ? 0 : static_cast<int>(found - rows_.begin()) + 1;
}
