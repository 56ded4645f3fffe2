#include "personlist/TDataSource.h"

#include <utility>

TDataSource::TDataSource(TPersonTable& table, QObject* parent) : QObject(parent), table_(table) {
    table_.OnTableChanged = [this](TTableChange change) { PassOn(change); };
}

TDataSource::~TDataSource() {
    table_.OnTableChanged = nullptr;
}

void TDataSource::PassOn(TTableChange change) {
    if (holds_ > 0)
        missed_ = true;
    else
        emit TableChanged(change);
}

TDataSource::THold::THold(TDataSource& ds) : ds_(ds) {
    ++ds_.holds_;
}

TDataSource::THold::~THold() {
    if (--ds_.holds_ > 0 || !std::exchange(ds_.missed_, false))
        return;
    ds_.PassOn(ds_.table_.IsOpen() ? TTableChange::RowsChanged : TTableChange::OpenStateChanged);
}
