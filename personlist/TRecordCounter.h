#pragma once

#include "personlist/TDataSource.h"

#include <QLabel>

// The record counter `DBStatusLabel1`: the current row's number and the number of rows, kept
// from the table's notifications. Each number is -1 while the counter has no value for it.
class TRecordCounter : public QLabel {
    Q_OBJECT

public:
    explicit TRecordCounter(TDataSource& ds, QWidget* parent = nullptr);

    int RowNumber() const { return rowNumber_; }
    int RowCount() const { return rowCount_; }

private:
    void Follow(TTableChange change);

    const TPersonTable& table_;
    int rowNumber_ = -1;
    int rowCount_ = -1;
};
