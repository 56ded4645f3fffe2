#include "personlist/TDataSource.h"

#include <QObject>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

TEST(DataSource, HoldKeepsABatchBackAndEndsWithOneChangeToReadEverything) {
    TPersonTable table;
    TDataSource ds(table);
    std::vector<TTableChange> heard;
    QObject::connect(&ds, &TDataSource::TableChanged,
                     [&](TTableChange change) { heard.push_back(change); });
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

// Controls come and go while the table changes: one destroyed in the middle of a change is not
// called for it, and once the link itself is gone the table notifies nobody.
TEST(DataSource, ReceiversThatGoAwayAreNotCalled) {
    TPersonTable table;
    std::vector<std::string> heard;
    {
        TDataSource ds(table);
        auto second = std::make_unique<QObject>();
        QObject::connect(&ds, &TDataSource::TableChanged, &ds, [&] {
            heard.push_back("first");
            second.reset();
        });
        QObject::connect(&ds, &TDataSource::TableChanged, second.get(),
                         [&] { heard.push_back("second"); });
        table.AppendRow();
        table.AppendRow();
    }
    table.AppendRow();
    EXPECT_EQ(heard, (std::vector<std::string>{"first", "first"}));
    EXPECT_FALSE(table.OnTableChanged);
}

} // namespace
