#include "register/TPersonTable.h"
#include "register/TTableError.h"
#include "support/PersonRows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

// Rows whose surnames say which they are: "ROW1", "ROW2", ...
TPersonTable TableWithRows(int count) {
    std::vector<TPersonRecord> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back(Row("", "ROW" + std::to_string(i)));
    return TableOf(rows);
}

std::vector<int> Ids(const TPersonTable& table) {
    std::vector<int> ids;
    for (int pos = 1; pos <= table.TotalRows(); ++pos)
        ids.push_back(table.RowAt(pos).id);
    return ids;
}

// Catches the message of the TTableError a call throws.
template <typename Call> std::string ErrorOf(Call call) {
    try {
        call();
    } catch (const TTableError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(PersonTable, NewTableIsOpenAndEmpty) {
    const TPersonTable table;
    EXPECT_TRUE(table.IsOpen());
    EXPECT_EQ(table.TotalRows(), 0);
    EXPECT_EQ(table.RowNumber(), 0);
    EXPECT_TRUE(table.AtEnd());
    EXPECT_EQ(table.FieldNumber("id"), 0);
    for (const TPersonField field : kTextFields)
        EXPECT_EQ(table.FieldText(FieldName(field)), "") << FieldName(field);
}

TEST(PersonTable, StoredRowsGetIdsInOrderAndCloseRestartsThem) {
    TPersonTable table = TableWithRows(3);
    EXPECT_THAT(Ids(table), ElementsAre(1, 2, 3));
    EXPECT_EQ(table.FieldNumber("id"), 1);
    EXPECT_EQ(table.RowNumber(), 1);

    table.MoveNext();
    table.DeleteRow(); // id 2
    EXPECT_EQ(table.FieldText("nazwisko"), "ROW3");
    EXPECT_EQ(table.RowNumber(), 2);
    StoreRow(table, Row("", "ROW4"));
    EXPECT_THAT(Ids(table), ElementsAre(1, 3, 4)) << "a deleted id is never given out again";

    table.Close();
    table.Open();
    EXPECT_EQ(table.TotalRows(), 0);
    StoreRow(table, Row("", "AFTER"));
    EXPECT_THAT(Ids(table), ElementsAre(1));
}

TEST(PersonTable, FieldsAreCutToTheirWidthAndHeldUpToANul) {
    TPersonTable table;
    table.AppendRow();
    table.SetFieldText("pesel", "123456789012345");
    table.SetFieldText("plec", "MK");
    table.SetFieldText("stanowisko", std::string(100, 'x'));
    table.SetFieldText("nazwisko", std::string("AB\0CD", 5));
    table.SetFieldText("imie", "");
    table.SetFieldText(TPersonField::nis, std::string(25, 'Z'));
    table.PostRow();
    const TPersonRecord& row = table.RowAt(1);
    EXPECT_EQ(row.pesel, "12345678901");
    EXPECT_EQ(row.plec, "M");
    EXPECT_EQ(row.stanowisko, std::string(100, 'x'));
    EXPECT_EQ(row.nazwisko, "AB");
    EXPECT_EQ(row.imie, "");
    EXPECT_EQ(row.nis, std::string(20, 'Z')) << "the typed setter cuts alike";
    EXPECT_EQ(table.FieldText("ste"), "") << "a field never set reads like an empty one";
}

TEST(PersonTable, DeletingMovesToTheFollowingOrTheNewLastRow) {
    TPersonTable table = TableWithRows(3);
    table.MoveLast();
    table.DeleteRow();
    EXPECT_EQ(table.FieldText("nazwisko"), "ROW2");
    EXPECT_FALSE(table.AtEnd());
    table.DeleteRow();
    table.DeleteRow();
    EXPECT_EQ(table.TotalRows(), 0);
    EXPECT_EQ(table.RowNumber(), 0);
    EXPECT_EQ(table.FieldNumber("id"), 0);
    EXPECT_TRUE(table.AtEnd());
    EXPECT_EQ(ErrorOf([&] { table.DeleteRow(); }),
              "mt: Cannot perform this operation on an empty dataset");
}

TEST(PersonTable, WalkVisitsEveryRowOnceAndEndsOnTheLast) {
    TPersonTable table = TableWithRows(3);
    std::vector<std::string> seen;
    for (table.MoveFirst(); !table.AtEnd(); table.MoveNext())
        seen.push_back(table.FieldText("nazwisko"));
    EXPECT_THAT(seen, ElementsAre("ROW1", "ROW2", "ROW3"));
    EXPECT_EQ(table.RowNumber(), 3);
    table.MoveNext();
    EXPECT_EQ(table.RowNumber(), 3);
    EXPECT_TRUE(table.AtEnd());
}

TEST(PersonTable, MoveRowsStopsAtBothEndsAndReportsTheDistanceMoved) {
    TPersonTable table = TableWithRows(5);
    EXPECT_EQ(table.MoveRows(3), 3);
    EXPECT_FALSE(table.AtEnd()) << "landing on the last row is not passing it";
    EXPECT_EQ(table.MoveRows(-10), -3);
    EXPECT_EQ(table.RowNumber(), 1);
    EXPECT_EQ(table.MoveRows(10), 4);
    EXPECT_TRUE(table.AtEnd());
    EXPECT_EQ(table.MoveRows(1), 0);
    EXPECT_EQ(table.MoveRows(-1), -1);
    EXPECT_FALSE(table.AtEnd());
    table.MoveTo(2);
    EXPECT_EQ(table.RowNumber(), 2);
    table.MoveTo(0);
    table.MoveTo(6);
    EXPECT_EQ(table.RowNumber(), 2) << "positions without a row are ignored";
}

TEST(PersonTable, PendingRowIsSettledByMovesAndDroppedByDeleteAndClose) {
    TPersonTable table = TableWithRows(1);
    table.AppendRow();
    EXPECT_EQ(table.RowNumber(), 2) << "a pending row counts at the place it will take";
    EXPECT_EQ(table.FieldNumber("id"), 0);
    table.SetFieldText("nazwisko", "PENDING");
    EXPECT_EQ(table.FieldText("nazwisko"), "PENDING");
    table.MoveFirst();
    EXPECT_EQ(table.TotalRows(), 2) << "a touched pending row is stored";

    table.AppendRow();
    table.MoveLast();
    EXPECT_EQ(table.TotalRows(), 2) << "an untouched pending row is dropped";

    table.AppendRow();
    table.SetFieldText("nazwisko", "DROPPED");
    table.DeleteRow();
    EXPECT_EQ(table.TotalRows(), 2);
    EXPECT_EQ(table.FieldText("nazwisko"), "PENDING");
}

TEST(PersonTable, RefusedOperationsCarryTheirMessages) {
    TPersonTable table;
    EXPECT_EQ(ErrorOf([&] { table.SetFieldText("pesel", "1"); }),
              "Dataset not in edit or insert mode");
    table.AppendRow();
    EXPECT_EQ(ErrorOf([&] { table.SetFieldText("wiek", "1"); }), "mt: Field 'wiek' not found");
    EXPECT_EQ(ErrorOf([&] { table.SetFieldText("id", "1"); }), "mt: Field 'id' is read-only");
    EXPECT_EQ(ErrorOf([&] { table.SetFieldText(TPersonField::id, "1"); }),
              "mt: Field 'id' is read-only");
    EXPECT_EQ(ErrorOf([&] { table.FieldText("PESEL"); }), "mt: Field 'PESEL' not found");
    table.Close();
    const std::string closed = "mt: Cannot perform this operation on a closed dataset";
    EXPECT_EQ(ErrorOf([&] { table.AppendRow(); }), closed);
    EXPECT_EQ(ErrorOf([&] { table.MoveFirst(); }), closed);
    EXPECT_EQ(ErrorOf([&] { table.MoveNext(); }), closed);
    EXPECT_EQ(ErrorOf([&] { table.MoveLast(); }), closed);
    EXPECT_EQ(ErrorOf([&] { table.MoveRows(-1); }), closed);
    EXPECT_EQ(ErrorOf([&] { table.DeleteRow(); }), closed);
    EXPECT_EQ(ErrorOf([&] { table.RowNumber(); }), closed);
    EXPECT_EQ(table.FieldText("pesel"), "");
    EXPECT_EQ(table.TotalRows(), 0);
    table.MoveTo(1);
    table.PostRow();
}

TEST(PersonTable, NotifiesEachChangeWithItsKind) {
    TPersonTable table = TableWithRows(2);
    std::vector<TTableChange> seen;
    table.OnTableChanged = [&](TTableChange change) { seen.push_back(change); };
    using C = TTableChange;

    table.MoveNext();
    table.MoveRows(-1);
    table.MoveLast();
    table.MoveTo(1);
    table.DeleteRow();
    table.Close();
    table.Open();
    table.AppendRow();
    table.SetFieldText("pesel", "1");
    table.PostRow();
    table.MoveFirst();
    EXPECT_THAT(seen, ElementsAre(C::CursorMoved, C::CursorMoved, C::RowsChanged, C::RowsChanged,
                                  C::RowsChanged, C::OpenStateChanged, C::OpenStateChanged,
                                  C::RowsChanged, C::RowsChanged, C::RowsChanged, C::RowsChanged));
}

TEST(PersonTable, SamePeselMayStandInManyRows) {
    TPersonTable table;
    for (int i = 0; i < 2; ++i) {
        table.AppendRow();
        table.SetFieldText("pesel", "00000000001");
        table.PostRow();
    }
    EXPECT_EQ(table.TotalRows(), 2);
}

} // namespace

TEST(PersonTable, RestoredRowTakesItsFormerPlaceAndIdAndBecomesCurrent) {
    TPersonTable table = TableWithRows(4);
    std::vector<TTableChange> changes;
    table.MoveTo(2);
    const TPersonRecord second = table.RowAt(2);
    table.DeleteRow();
    table.MoveTo(3); // ROW4
    const TPersonRecord fourth = table.RowAt(3);
    table.DeleteRow();
    table.OnTableChanged = [&changes](TTableChange c) { changes.push_back(c); };

    table.RestoreRow(3, fourth);
    table.RestoreRow(2, second);
    EXPECT_THAT(Ids(table), ElementsAre(1, 2, 3, 4));
    EXPECT_EQ(table.RowAt(2), second);
    EXPECT_EQ(table.RowNumber(), 2);
    EXPECT_EQ(table.FieldText("nazwisko"), "ROW2");
    EXPECT_THAT(changes, ElementsAre(TTableChange::RowsChanged, TTableChange::RowsChanged));
    // Ids keep counting from where they were: a restored id is never given again.
    StoreRow(table, Row("", "ROW5"));
    EXPECT_EQ(table.FieldNumber("id"), 5);
}

TEST(PersonTable, RestoreRefusesBadPlacesAndIdsItNeverGaveOrStillHolds) {
    TPersonTable table = TableWithRows(2);
    TPersonRecord row = table.RowAt(1);
    const std::vector<std::pair<int, std::int32_t>> refused{{0, 1}, {3, 1}, {1, 2}, {1, 3}, {1, 0}};
    table.MoveTo(1);
    table.DeleteRow();
    for (const auto& [position, id] : refused) {
        SCOPED_TRACE(testing::Message() << "position " << position << ", id " << id);
        row.id = id;
        EXPECT_THROW(table.RestoreRow(position, row), TTableError);
        EXPECT_THAT(Ids(table), ElementsAre(2));
    }
    table.Close();
    EXPECT_THROW(table.RestoreRow(1, row), TTableError);
}

TEST(PersonTable, ReplacedRowKeepsItsIdAndPlaceAndIsCutLikeSetFieldText) {
    TPersonTable table = TableWithRows(3);
    table.MoveTo(2);
    std::vector<TTableChange> changes;
    table.OnTableChanged = [&changes](TTableChange c) { changes.push_back(c); };
    TPersonRecord row = Row("123456789012345", std::string("NOWY\0X", 6), "Jan", "MK");
    row.id = 9; // not read: the stored row keeps its own
    table.ReplaceRow(row);

    EXPECT_THAT(Ids(table), ElementsAre(1, 2, 3));
    EXPECT_EQ(table.RowNumber(), 2);
    TPersonRecord expected = Row("12345678901", "NOWY", "Jan", "M");
    expected.id = 2;
    EXPECT_EQ(table.RowAt(2), expected);
    EXPECT_EQ(table.RowAt(3).nazwisko, "ROW3");
    EXPECT_THAT(changes, ElementsAre(TTableChange::RowsChanged));
    StoreRow(table, Row("", "ROW4"));
    EXPECT_EQ(table.FieldNumber("id"), 4) << "the id counter is untouched";
}

TEST(PersonTable, ReplaceRefusesWithoutAStoredCurrentRowAndChangesNothing) {
    TPersonTable table;
    const TPersonRecord row = Row("1", "X");
    EXPECT_EQ(ErrorOf([&] { table.ReplaceRow(row); }),
              "mt: Cannot perform this operation on an empty dataset");
    StoreRow(table, Row("", "KEPT"));
    table.AppendRow();
    EXPECT_EQ(ErrorOf([&] { table.ReplaceRow(row); }),
              "mt: Cannot replace a row while a new row is pending");
    table.DeleteRow(); // drops the pending row
    EXPECT_EQ(table.RowAt(1).nazwisko, "KEPT");
    table.Close();
    EXPECT_EQ(ErrorOf([&] { table.ReplaceRow(row); }),
              "mt: Cannot perform this operation on a closed dataset");
}
