#include "TDeletionHistory.h"
#include "PersonRows.h"
#include "TPersonTable.h"
#include "TTableError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

std::vector<std::string> Surnames(const TPersonTable& table) {
    std::vector<std::string> surnames;
    for (int position = 1; position <= table.TotalRows(); ++position)
        surnames.push_back(table.RowAt(position).nazwisko + "#" +
                           std::to_string(table.RowAt(position).id));
    return surnames;
}

TEST(DeletionHistory, RestoresRowsNewestFirstInTheirFormerPlaces) {
    TPersonTable table =
        TableOf({Row("", "A"), Row("", "B"), Row("", "C"), Row("", "D"), Row("", "E")});
    TDeletionHistory history;
    table.MoveTo(2);
    history.DeleteCurrent(table); // B; C becomes current
    history.DeleteCurrent(table); // C
    table.MoveLast();
    history.DeleteCurrent(table); // E
    EXPECT_THAT(Surnames(table), ElementsAre("A#1", "D#4"));

    ASSERT_TRUE(history.RestoreLast(table));
    EXPECT_THAT(Surnames(table), ElementsAre("A#1", "D#4", "E#5"));
    EXPECT_EQ(table.RowNumber(), 3);
    ASSERT_TRUE(history.RestoreLast(table));
    ASSERT_TRUE(history.RestoreLast(table));
    EXPECT_THAT(Surnames(table), ElementsAre("A#1", "B#2", "C#3", "D#4", "E#5"));
    EXPECT_EQ(table.FieldText("nazwisko"), "B");
    EXPECT_FALSE(history.RestoreLast(table));
}

TEST(DeletionHistory, PendingRowAndEmptyTableLeaveNothingToRestore) {
    TPersonTable table;
    TDeletionHistory history;
    EXPECT_THROW(history.DeleteCurrent(table), TTableError);
    table.AppendRow();
    table.SetFieldText("nazwisko", "P");
    history.DeleteCurrent(table);
    EXPECT_TRUE(history.Empty());
    EXPECT_EQ(table.TotalRows(), 0);
}

TEST(DeletionHistory, RowStaysRememberedWhenTheTableRefusesIt) {
    TPersonTable table = TableOf({Row("", "A"), Row("", "B")});
    TDeletionHistory history;
    history.DeleteCurrent(table);
    table.Close(); // a closed table refuses the row; the history keeps it
    EXPECT_THROW(history.RestoreLast(table), TTableError);
    EXPECT_FALSE(history.Empty());
}

} // namespace
