#pragma once

#include "register/TPersonTable.h"

#include <QObject>

// The data link `ds` between the person table and the controls that show it: it is the table's
// one listener and passes every change on as TableChanged, so that Qt's connections decide who
// hears it (a receiver that goes away is no longer called). The table must outlive it.
class TDataSource : public QObject {
    Q_OBJECT

public:
    // While a hold lives the receivers hear nothing of the table; once the last hold ends, they
    // hear one change that makes them read everything again (RowsChanged, or OpenStateChanged
    // for a closed table), if the table changed meanwhile. For a batch of changes, such as an
    // import, whose steps nobody needs to see. The receivers must not throw then.
    class THold {
    public:
        explicit THold(TDataSource& ds);
        ~THold();
        THold(const THold&) = delete;
        THold& operator=(const THold&) = delete;

    private:
        TDataSource& ds_;
    };

    explicit TDataSource(TPersonTable& table, QObject* parent = nullptr);
    ~TDataSource() override;

    TPersonTable& DataSet() const { return table_; }
    // The table changed under a hold: the receivers are still to hear of it.
    bool ChangeHeld() const { return missed_; }

signals:
    void TableChanged(TTableChange change);

private:
    void PassOn(TTableChange change);

    TPersonTable& table_;
    int holds_ = 0;
    bool missed_ = false; // the table changed while held
};
