#include "TDataSource.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string KindName(TTableChange change) {
    switch (change) {
    case TTableChange::OpenStateChanged:
        return "open";
    case TTableChange::RowsChanged:
        return "rows";
    case TTableChange::CursorMoved:
        return "cursor";
    }
    return "?";
}

TEST(DataSource, PassesEveryNotificationOnToEachListenerInOrder) {
    TPersonTable table;
    TDataSource ds(table);
    std::vector<std::string> heard;
    const auto first = ds.Attach([&](TTableChange c) { heard.push_back("1 " + KindName(c)); });
    const auto second = ds.Attach([&](TTableChange c) { heard.push_back("2 " + KindName(c)); });
    table.AppendRow();
    table.MoveRows(1);
    table.Close();
    EXPECT_EQ(heard, (std::vector<std::string>{"1 rows", "2 rows", "1 cursor", "2 cursor", "1 open",
                                               "2 open"}));
}

TEST(DataSource, ListenersDetachingOrAttachingDuringANotification) {
    TPersonTable table;
    TDataSource ds(table);
    std::vector<std::string> heard;
    std::optional<TDataSource::TLink> late;
    TDataSource::TLink second;
    auto first = ds.Attach([&](TTableChange) {
        heard.push_back("first");
        second.Detach();
        if (!late)
            late = ds.Attach([&](TTableChange) { heard.push_back("late"); });
    });
    second = ds.Attach([&](TTableChange) { heard.push_back("second"); });
    table.AppendRow();
    EXPECT_EQ(heard, (std::vector<std::string>{"first"}));
    first = ds.Attach([&](TTableChange) {
        heard.push_back("self");
        first.Detach();
    });
    heard.clear();
    table.AppendRow();
    table.AppendRow();
    EXPECT_EQ(heard, (std::vector<std::string>{"late", "self", "late"}));
}

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
