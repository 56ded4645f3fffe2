#pragma once

#include "TPersonTable.h"

#include <functional>
#include <memory>

// The data link `ds` between the person table and the controls that show it: every notification
// of the table is passed on to the attached listeners, in the order they attached.
//
// A listener stays attached while its TLink lives. A link may outlive its data source (controls
// owned by a window are destroyed after the window's own members), and listeners may attach and
// detach while a notification is being passed on. The table must outlive the data source.
class TDataSource {
public:
    using Listener = std::function<void(TTableChange)>;

private:
    struct TListeners;

public:
    class TLink {
    public:
        TLink() = default;
        TLink(TLink&& other) noexcept;
        TLink& operator=(TLink&& other) noexcept;
        TLink(const TLink&) = delete;
        TLink& operator=(const TLink&) = delete;
        ~TLink();

        // Detaches the listener now; it is not called again, not even later in the notification
        // that is being passed on.
        void Detach();

    private:
        friend class TDataSource;
        TLink(std::weak_ptr<TListeners> listeners, int id)
            : listeners_(std::move(listeners)), id_(id) {}

        std::weak_ptr<TListeners> listeners_;
        int id_ = 0;
    };

    // While a hold lives the listeners hear nothing of the table; once the last hold ends, they
    // hear one change that makes them read everything again (RowsChanged, or OpenStateChanged
    // for a closed table), if the table notified meanwhile. For a batch of changes, such as an
    // import, whose steps nobody needs to see. The listeners must not throw then.
    class THold {
    public:
        explicit THold(TDataSource& ds);
        ~THold();
        THold(const THold&) = delete;
        THold& operator=(const THold&) = delete;

    private:
        TDataSource& ds_;
    };

    explicit TDataSource(TPersonTable& table);
    ~TDataSource();
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    TPersonTable& DataSet() const { return table_; }

    // A listener attached during a notification hears from the next notification on.
    [[nodiscard]] TLink Attach(Listener listener);

private:
    TPersonTable& table_;
    std::shared_ptr<TListeners> listeners_;
    TPersonTable::ObserverId observerId_;
};
