#include "personlist/TRecordCounter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// The counter's two numbers and its caption through the states the table passes, including the
// pending row and the closed table that only an import passes through.
TEST(RecordCounter, CaptionFollowsTheTable) {
    TPersonTable table;
    TDataSource ds(table);
    const TRecordCounter counter(ds);
    struct Step {
        const char* name;
        std::function<void()> act;
        std::string caption;
    };
    const Step steps[] = {
        {"open and empty", [] {}, "( 0 )"},
        {"pending first row", [&] { table.AppendRow(); }, "1"},
        {"stored", [&] { table.PostRow(); }, "1:1"},
        {"second stored",
         [&] {
             table.AppendRow();
             table.SetFieldText("pesel", "2");
             table.PostRow();
         },
         "2:2"},
        {"moved back", [&] { table.MoveRows(-1); }, "1:2"},
        {"closed", [&] { table.Close(); }, ""},
        {"opened", [&] { table.Open(); }, "( 0 )"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        EXPECT_EQ(counter.text().toStdString(), step.caption);
    }
}

} // namespace
