#pragma once

#include "TDataSource.h"

#include <QAbstractTableModel>

// The person table as the grid's model: one model row per stored row, one column per
// entry of kGridColumns. It holds no copy of the rows: texts are read through RowAt when asked for.
// Notifications that replace the rows or the open state become model resets; a cursor move
// becomes CurrentRowMoved.
class TPersonGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
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

signals:
    // The table's current row moved; the rows themselves are unchanged.
    void CurrentRowMoved();

private:
    void Follow(TTableChange change);
    int StoredRows() const;

    TPersonTable& table_;
    // The row count the views were last told of, so that a reset brackets the change.
    int rows_ = 0;
};
