#include "TPersonGridModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Grid = std::vector<std::vector<std::string>>;

class PersonGridModel : public ::testing::Test {
protected:
    // The whole grid as the view reads it, titles first.
    Grid Shown() const {
        Grid grid(1);
        for (int column = 0; column < model.columnCount(); ++column)
            grid[0].push_back(model.headerData(column, Qt::Horizontal).toString().toStdString());
        for (int row = 0; row < model.rowCount(); ++row) {
            grid.emplace_back();
            for (int column = 0; column < model.columnCount(); ++column)
                grid.back().push_back(model.index(row, column).data().toString().toStdString());
        }
        return grid;
    }

    void Store(const std::vector<std::pair<const char*, const char*>>& fields) {
        table.AppendRow();
        for (const auto& [name, text] : fields)
            table.SetFieldText(name, text);
        table.PostRow();
    }

    TPersonTable table;
    TDataSource ds{table};
    // Brackets show that every text passes through the window's decoder.
    TPersonGridModel model{
        ds, [](std::string_view text) { return "[" + QString::fromLatin1(text) + "]"; }};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(PersonGridModel, ShowsEveryStoredRowInColumnOrderWithoutId) {
    Store({{"pesel", "80010112345"},
           {"nazwisko", "NOWAK"},
           {"imie", "JAN"},
           {"plec", "M"},
           {"ste", "kpr."},
           {"nis", "N1"},
           {"stanowisko", "dow. dr."}});
    Store({{"nazwisko", "KOWALSKA"}});
    EXPECT_EQ(Shown(),
              (Grid{{"PESEL", "NAZWISKO", "IMIĘ", "PŁEĆ", "STE", "STANOWISKO", "NIS"},
                    {"[80010112345]", "[NOWAK]", "[JAN]", "[M]", "[kpr.]", "[dow. dr.]", "[N1]"},
                    {"[]", "[KOWALSKA]", "[]", "[]", "[]", "[]", "[]"}}));
    EXPECT_EQ(std::make_pair(
                  model.index(0, 0).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
                  model.index(0, 1).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask),
              std::make_pair(int(Qt::AlignHCenter), int(Qt::AlignLeft)));
}

TEST_F(PersonGridModel, NotificationsBecomeResetsOrCursorMoves) {
    struct Step {
        const char* name;
        std::function<void()> act;
        int resets;
        int moves;
        int rows;
        int currentRow; // -1: no current index
    };
    const Step steps[] = {
        {"AppendRow", [this] { table.AppendRow(); }, 1, 0, 0, -1},
        {"SetFieldText", [this] { table.SetFieldText("nazwisko", "A"); }, 1, 0, 0, -1},
        {"PostRow", [this] { table.PostRow(); }, 1, 0, 1, 0},
        {"second row",
         [this] {
             Store({{"nazwisko", "B"}});
         },
         3, 0, 2, 1},
        {"MoveFirst", [this] { table.MoveFirst(); }, 1, 0, 2, 0},
        {"MoveNext", [this] { table.MoveNext(); }, 0, 1, 2, 1},
        {"MoveRows", [this] { table.MoveRows(-1); }, 0, 1, 2, 0},
        {"MoveLast", [this] { table.MoveLast(); }, 1, 0, 2, 1},
        {"MoveTo", [this] { table.MoveTo(1); }, 1, 0, 2, 0},
        {"DeleteRow", [this] { table.DeleteRow(); }, 1, 0, 1, 0},
        {"Close", [this] { table.Close(); }, 1, 0, 0, -1},
        {"Open", [this] { table.Open(); }, 1, 0, 0, -1},
    };
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy moves(&model, &TPersonGridModel::CurrentRowMoved);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        resets.clear();
        moves.clear();
        step.act();
        EXPECT_EQ(std::make_tuple(resets.count(), moves.count(), model.rowCount(),
                                  model.CurrentIndex().row()),
                  std::make_tuple(step.resets, step.moves, step.rows, step.currentRow));
    }
}

} // namespace
