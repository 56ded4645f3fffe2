#include "check/TChangeHistory.h"
#include "check/TImportTrace.h"
#include "check/TRowHints.h"
#include "register/TPersonTable.h"
#include "register/TTableError.h"
#include "support/PersonRows.h"

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

TEST(ChangeHistory, RestoresRowsNewestFirstInTheirFormerPlaces) {
    TPersonTable table =
        TableOf({Row("", "A"), Row("", "B"), Row("", "C"), Row("", "D"), Row("", "E")});
    TChangeHistory history;
    table.MoveTo(2);
    history.DeleteCurrent(table); // B; C becomes current
    history.DeleteCurrent(table); // C
    table.MoveLast();
    history.DeleteCurrent(table); // E
    EXPECT_THAT(Surnames(table), ElementsAre("A#1", "D#4"));

    ASSERT_TRUE(history.UndoLast(table));
    EXPECT_THAT(Surnames(table), ElementsAre("A#1", "D#4", "E#5"));
    EXPECT_EQ(table.RowNumber(), 3);
    ASSERT_TRUE(history.UndoLast(table));
    ASSERT_TRUE(history.UndoLast(table));
    EXPECT_THAT(Surnames(table), ElementsAre("A#1", "B#2", "C#3", "D#4", "E#5"));
    EXPECT_EQ(table.FieldText("nazwisko"), "B");
    EXPECT_FALSE(history.UndoLast(table));
}

TEST(ChangeHistory, PendingRowAndEmptyTableLeaveNothingToRestore) {
    TPersonTable table;
    TChangeHistory history;
    EXPECT_THROW(history.DeleteCurrent(table), TTableError);
    table.AppendRow();
    table.SetFieldText("nazwisko", "P");
    history.DeleteCurrent(table);
    EXPECT_TRUE(history.Empty());
    EXPECT_EQ(table.TotalRows(), 0);
}

TEST(ChangeHistory, RowStaysRememberedWhenTheTableRefusesIt) {
    TPersonTable table = TableOf({Row("", "A"), Row("", "B")});
    TChangeHistory history;
    history.DeleteCurrent(table);
    table.Close(); // a closed table refuses the row; the history keeps it
    EXPECT_THROW(history.UndoLast(table), TTableError);
    EXPECT_FALSE(history.Empty());
}

TEST(ChangeHistory, GuessesNoLongerHintAValueTheClerkChanged) {
    TPersonTable table = TableOf({Row("44051401359", "TESTOWY", "Jan", "M", "szer.", "", "x")});
    TImportTrace trace;
    trace.RowStored(1, {}, TRowGuesses{.namesByPlace = true});
    TChangeHistory history;
    TRowHints hints;
    ASSERT_TRUE(
        history.CorrectCurrent(table, Row("44051401359", "NOWAK", "Jan", "M", "szer.", "", "x")));
    hints.Compute(table, &trace);
    history.ApplyTo(table, hints);
    EXPECT_EQ(hints.HintsOf(1).Of(TPersonField::nazwisko), 0u);
    EXPECT_EQ(hints.HintsOf(1).Of(TPersonField::imie), HintBit(THint::NamesByPlace));
}

} // namespace
