#pragma once

#include "personlist/TCellNote.h"
#include "personlist/TDataSource.h"

#include <QAbstractTableModel>

#include <functional>

// The person table as the grid's model: one model row per stored row, one column per
// entry of kGridColumns. It holds no copy of the rows: texts are read through RowAt when asked for,
// and each cell's note (its problems and correction) from the note source.
// Notifications that replace the rows or the open state become model resets; a cursor move
// becomes CurrentRowMoved; notes that changed become dataChanged of their rows.
class TPersonGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum TRole {
        // The cell's TCellNote; no value for a cell without a note. The grid paints its marks
        // from it; Qt::ToolTipRole gives its tooltip text.
        NoteRole = Qt::UserRole + 1,
    };

    // The note of one cell of a stored row; an empty note for a cell without one.
    using TNoteSource = std::function<TCellNote(const TPersonRecord& row, TPersonField field)>;

    explicit TPersonGridModel(TDataSource& ds, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    TPersonTable& Table() const { return table_; }

    // The model row (in column 0) of the table's current row; invalid while the table has no
    // current row, is closed, or holds a pending row that is not stored yet.
    QModelIndex CurrentIndex() const;

    // Every row's notes may differ from now on.
    void SetNoteSource(TNoteSource source);
    // The notes of the rows at the 1-based positions `first` to `last` changed. Positions past
    // the rows the views know of, or past the table's rows, are left out; nothing goes out while
    // a change of the table is held back: the reset still to come covers every row, and a view
    // hears of no row before it hears that the rows are new.
    void NotesChanged(int first, int last);

signals:
    // The table's current row moved; the rows themselves are unchanged.
    void CurrentRowMoved();

private:
    void Follow(TTableChange change);
    int StoredRows() const;
    TCellNote Note(const QModelIndex& index) const;

    const TDataSource& ds_;
    TPersonTable& table_;
    TNoteSource noteSource_;
    // The row count the views were last told of, so that a reset brackets the change.
    int rows_ = 0;
};
