#include "TDataSource.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

TEST(DataSource, PassesEachNotificationToTheListenersAttachedWhenItBegan) {
    TPersonTable table;
    TDataSource ds(table);
    std::vector<std::string> heard;
    std::optional<TDataSource::TLink> late;
    TDataSource::TLink second;
    auto first = ds.Attach([&](TTableChange change) {
        heard.push_back(change == TTableChange::CursorMoved ? "first cursor" : "first");
        second.Detach();
        if (!late)
            late = ds.Attach([&](TTableChange) { heard.push_back("late"); });
    });
    second = ds.Attach([&](TTableChange) { heard.push_back("second"); });
    table.AppendRow();
    EXPECT_EQ(heard, (std::vector<std::string>{"first"}));

    // A listener may detach itself while it runs.
    first = ds.Attach([&](TTableChange) {
        heard.push_back("self");
        first.Detach();
    });
    heard.clear();
    table.AppendRow();
    table.MoveRows(1);
    EXPECT_EQ(heard, (std::vector<std::string>{"late", "self", "late"}));
}

TEST(DataSource, HoldKeepsABatchBackAndEndsWithOneChangeToReadEverything) {
    TPersonTable table;
    TDataSource ds(table);
    std::vector<TTableChange> heard;
    const auto link = ds.Attach([&](TTableChange change) { heard.push_back(change); });
    using C = TTableChange;
    {
        const TDataSource::THold outer(ds);
        {
            const TDataSource::THold inner(ds);
            table.Close();
            table.Open();
            table.AppendRow();
            table.SetFieldText("pesel", "1");
            table.PostRow();
        }
        EXPECT_TRUE(heard.empty()) << "the outer hold still holds";
    }
    EXPECT_EQ(heard, std::vector{C::RowsChanged});
    { const TDataSource::THold quiet(ds); }
    {
        const TDataSource::THold closing(ds);
        table.Close();
    }
    EXPECT_EQ(heard, (std::vector{C::RowsChanged, C::OpenStateChanged}))
        << "a hold without changes passes nothing on";
}

// Controls owned by a window outlive the window's own members, its data link among them.
TEST(DataSource, LinkOutlivingTheDataSourceDetachesHarmlessly) {
    TPersonTable table;
    int heard = 0;
    TDataSource::TLink link;
    {
        TDataSource ds(table);
        link = ds.Attach([&](TTableChange) { ++heard; });
        table.AppendRow();
    }
    table.AppendRow();
    link.Detach();
    EXPECT_EQ(heard, 1);
}

} // namespace
