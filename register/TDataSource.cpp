#include "TDataSource.h"

#include <algorithm>
#include <utility>
#include <vector>

struct TDataSource::TListeners {
    struct TEntry {
        int id;
        Listener listener;
        bool attached = true;
    };

    // Each entry is shared so that a listener that detaches, or attaches another, while it is
    // being called keeps running on a live callable.
    std::vector<std::shared_ptr<TEntry>> entries;
    int nextId = 1;
    int holds = 0;
    bool missed = false; // the table notified while held

    void PassOn(TTableChange change) {
        if (holds > 0) {
            missed = true;
            return;
        }
        const auto snapshot = entries;
        for (const auto& entry : snapshot)
            if (entry->attached)
                entry->listener(change);
    }

    void Remove(int id) {
        const auto found = std::find_if(entries.begin(), entries.end(),
                                        [id](const auto& entry) { return entry->id == id; });
        if (found == entries.end())
            return;
        (*found)->attached = false;
        entries.erase(found);
    }
};

TDataSource::TDataSource(TPersonTable& table)
    : table_(table), listeners_(std::make_shared<TListeners>()),
      observerId_(table.AddObserver(
          [listeners = listeners_.get()](TTableChange change) { listeners->PassOn(change); })) {}

TDataSource::~TDataSource() {
    table_.RemoveObserver(observerId_);
}

TDataSource::THold::THold(TDataSource& ds) : ds_(ds) {
    ++ds_.listeners_->holds;
}

TDataSource::THold::~THold() {
    TListeners& listeners = *ds_.listeners_;
    if (--listeners.holds > 0 || !std::exchange(listeners.missed, false))
        return;
    listeners.PassOn(ds_.table_.IsOpen() ? TTableChange::RowsChanged
                                         : TTableChange::OpenStateChanged);
}

TDataSource::TLink TDataSource::Attach(Listener listener) {
    const int id = listeners_->nextId++;
    listeners_->entries.push_back(
        std::make_shared<TListeners::TEntry>(TListeners::TEntry{id, std::move(listener)}));
    return TLink(listeners_, id);
}

TDataSource::TLink::TLink(TLink&& other) noexcept
    : listeners_(std::move(other.listeners_)), id_(std::exchange(other.id_, 0)) {}

TDataSource::TLink& TDataSource::TLink::operator=(TLink&& other) noexcept {
    if (this != &other) {
        Detach();
        listeners_ = std::move(other.listeners_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

TDataSource::TLink::~TLink() {
    Detach();
}

void TDataSource::TLink::Detach() {
    if (const auto listeners = listeners_.lock())
        listeners->Remove(id_);
    listeners_.reset();
    id_ = 0;
}
