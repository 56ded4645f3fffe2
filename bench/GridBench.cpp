#include "personlist/TPersonGrid.h"
#include "support/PersonRows.h"
#include "ui/DesignValues.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

// A repaint and a page move of the person grid at 100 rows, the baseline, and at 100,000 rows:
// the grid reads only the rows on its lines, their texts and notes, so the cost must not grow
// with the table.

namespace {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "nolt_grid_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
}

std::vector<TPersonRecord> NumberedRows(int count) {
    std::vector<TPersonRecord> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n)
        rows.push_back(Row(std::to_string(80010100000 + n), "NAZWISKO" + std::to_string(n), "IMIE",
                           "M", "st. kpr.", std::to_string(n), "dowodca druzyny"));
    return rows;
}

void PressKey(TPersonGrid& grid, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&grid, &press);
}

// One iteration: Page Down, repaint, Page Up, repaint; the current row goes back where it was,
// so every iteration does the same work at either size.
void BM_GridRepaintAndPage(benchmark::State& state) {
    EnsureApplication();
    TPersonTable table = TableOf(NumberedRows(static_cast<int>(state.range(0))));
    TDataSource ds(table);
    TPersonGrid grid(ds);
    QObject::connect(
        &grid, &TPersonGrid::GetCellProps, &grid,
        [](int row, TPersonField, TCellFont&, QColor& background) {
            background = QColor::fromRgb(Design::RowGrey(row));
        },
        Qt::DirectConnection);
    // Every third row's PESEL carries a mark and a note, as hinted rows do.
    grid.Model()->SetNoteSource([](const TPersonRecord& row, TPersonField field) {
        TCellNote note;
        if (field == TPersonField::pesel && row.id % 3 == 0)
            note.problems = QStringLiteral("PESEL: zła cyfra kontrolna");
        return note;
    });
    grid.resize(1100, 250);
    grid.show();
    QApplication::processEvents();
    QImage image(grid.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        PressKey(grid, Qt::Key_PageDown);
        grid.render(&image);
        PressKey(grid, Qt::Key_PageUp);
        grid.render(&image);
    }
    benchmark::DoNotOptimize(image.constBits());
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["lines"] = grid.VisibleLines();
}

BENCHMARK(BM_GridRepaintAndPage)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
