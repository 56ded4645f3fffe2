#include "personlist/TPersonGridModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

class PersonGridModel : public ::testing::Test {
protected:
    void Store(const char* surname, const char* nis = "") {
        table.AppendRow();
        table.SetFieldText("nazwisko", surname);
        table.SetFieldText("nis", nis);
        table.SetFieldText("stanowisko", "dow. dr.");
        table.PostRow();
    }

    TPersonTable table;
    TDataSource ds{table};
    TPersonGridModel model{ds};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(PersonGridModel, ShowsEveryStoredRowInColumnOrderWithoutId) {
    Store("NOWAK", "N1");
    Store("G\xA3\xD3WKA"); // Windows-1250, not Latin-1: "GŁÓWKA"
    std::vector<std::vector<std::string>> shown(model.rowCount());
    for (int row = 0; row < model.rowCount(); ++row)
        for (int column = 0; column < model.columnCount(); ++column)
            shown[row].push_back(model.index(row, column).data().toString().toStdString());
    EXPECT_EQ(shown,
              (std::vector<std::vector<std::string>>{{"", "NOWAK", "", "", "", "dow. dr.", "N1"},
                                                     {"", "GŁÓWKA", "", "", "", "dow. dr.", ""}}));
}

TEST_F(PersonGridModel, NotificationsBecomeResetsOrCursorMoves) {
    const struct {
        const char* name;
        std::function<void()> act;
        int resets;
        int moves;
        int rows;
        int currentRow; // -1: no current index
    } steps[] = {
        {"AppendRow", [this] { table.AppendRow(); }, 1, 0, 0, -1},
        {"PostRow", [this] { table.PostRow(); }, 1, 0, 1, 0},
        {"second row", [this] { Store("B"); }, 5, 0, 2, 1},
        {"MoveFirst", [this] { table.MoveFirst(); }, 1, 0, 2, 0},
        {"MoveNext", [this] { table.MoveNext(); }, 0, 1, 2, 1},
        {"MoveRows", [this] { table.MoveRows(-1); }, 0, 1, 2, 0},
        {"MoveLast", [this] { table.MoveLast(); }, 1, 0, 2, 1},
        {"DeleteRow", [this] { table.DeleteRow(); }, 1, 0, 1, 0},
        {"Close", [this] { table.Close(); }, 1, 0, 0, -1},
        {"Open", [this] { table.Open(); }, 1, 0, 0, -1},
    };
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy moves(&model, &TPersonGridModel::CurrentRowMoved);
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        resets.clear();
        moves.clear();
        step.act();
        EXPECT_EQ(std::make_tuple(resets.count(), moves.count(), model.rowCount(),
                                  model.CurrentIndex().row()),
                  std::make_tuple(step.resets, step.moves, step.rows, step.currentRow));
    }
}

// Row 1's surname has a problem the clerk confirmed; every cell of row 2 but the PESEL was
// corrected.
TCellNote SampleNote(const TPersonRecord& row, TPersonField field) {
    if (row.id == 1)
        return {field == TPersonField::nazwisko ? QStringLiteral("problem") : QString(), true, {}};
    return {QStringLiteral("problem"), false,
            field == TPersonField::pesel ? QString() : QStringLiteral("was")};
}

TEST_F(PersonGridModel, ServesEachCellsNoteAsRolesAndTellsWhichRowsChanged) {
    for (const char* surname : {"A", "B", "C"})
        Store(surname);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.SetNoteSource(&SampleNote);
    // Columns: 0 PESEL, 1 surname, 2 first name.
    const std::tuple<int, int, bool, QString> cells[] = {{0, 0, false, ""},
                                                         {0, 1, true, "problem"},
                                                         {1, 0, true, "problem"},
                                                         {1, 2, true, "problem\nwas"}};
    for (const auto& [row, column, marked, tooltip] : cells) {
        const QModelIndex index = model.index(row, column);
        EXPECT_EQ(index.data(TPersonGridModel::NoteRole).isValid(), marked) << row << column;
        EXPECT_EQ(index.data(Qt::ToolTipRole).toString(), tooltip) << row << column;
    }
    EXPECT_TRUE(model.index(0, 1).data(TPersonGridModel::NoteRole).value<TCellNote>().checked);

    model.NotesChanged(2, 2);
    model.NotesChanged(2, 9);
    model.NotesChanged(4, 3);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    {
        // Held with nothing changed, notes go out; once a change is held, the reset to come
        // covers every row, and nothing goes out ahead of it.
        const TDataSource::THold hold(ds);
        model.NotesChanged(1, 1);
        table.DeleteRow();
        table.DeleteRow();
        model.NotesChanged(1, 1);
        EXPECT_EQ(changed.size(), 4);
    }
    EXPECT_EQ(reset.size(), 1);
    std::vector<std::pair<int, int>> rows;
    for (const QList<QVariant>& signal : changed)
        rows.emplace_back(signal.at(0).toModelIndex().row(), signal.at(1).toModelIndex().row());
    EXPECT_EQ(rows, (std::vector<std::pair<int, int>>{{0, 2}, {1, 1}, {1, 2}, {0, 0}}));
}

} // namespace
