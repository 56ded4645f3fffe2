#include "personlist/TPersonGridModel.h"

#include "personlist/TGridColumn.h"
#include "ui/TWin1250.h"

#include <algorithm>

TPersonGridModel::TPersonGridModel(TDataSource& ds, QObject* parent)
    : QAbstractTableModel(parent), ds_(ds), table_(ds.DataSet()), rows_(StoredRows()) {
    connect(&ds, &TDataSource::TableChanged, this, &TPersonGridModel::Follow);
}

int TPersonGridModel::StoredRows() const {
    return table_.IsOpen() ? table_.TotalRows() : 0;
}

void TPersonGridModel::Follow(TTableChange change) {
    if (change == TTableChange::CursorMoved) {
        emit CurrentRowMoved();
        return;
    }
    beginResetModel();
    rows_ = StoredRows();
    endResetModel();
}

void TPersonGridModel::SetNoteSource(TNoteSource source) {
    noteSource_ = std::move(source);
    NotesChanged(1, rows_);
}

void TPersonGridModel::NotesChanged(int first, int last) {
    first = std::max(first, 1);
    last = std::min({last, rows_, StoredRows()});
    if (ds_.ChangeHeld() || first > last)
        return;
    emit dataChanged(index(first - 1, 0), index(last - 1, kGridColumnCount - 1),
                     {NoteRole, Qt::ToolTipRole});
}

int TPersonGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TPersonGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGridColumnCount;
}

TCellNote TPersonGridModel::Note(const QModelIndex& index) const {
    if (!noteSource_)
        return {};
    return noteSource_(table_.RowAt(index.row() + 1), GridColumn(index.column()).field);
}

QVariant TPersonGridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const TGridColumnLayout& column = GridColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return TWin1250::Decode(table_.RowAt(index.row() + 1).Text(column.field));
    case Qt::TextAlignmentRole:
        return static_cast<int>(column.cellAlignment | Qt::AlignTop);
    case NoteRole: {
        TCellNote note = Note(index);
        return note.Empty() ? QVariant() : QVariant::fromValue(std::move(note));
    }
    case Qt::ToolTipRole: {
        const QString tooltip = Note(index).Tooltip();
        return tooltip.isEmpty() ? QVariant() : tooltip;
    }
    default:
        return {};
    }
}

QVariant TPersonGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kGridColumnCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return GridColumn(section).title;
    case Qt::TextAlignmentRole:
        return static_cast<int>(Qt::AlignHCenter | Qt::AlignTop);
    default:
        return {};
    }
}

// RowNumber is 0 without rows and one past the stored rows while a row is pending; neither is a
// model row, so index() turns both into an invalid index.
QModelIndex TPersonGridModel::CurrentIndex() const {
    if (!table_.IsOpen())
        return {};
    return index(table_.RowNumber() - 1, 0);
}
