#include "PersonListHandlers.h"
#include "TPersonGrid.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <string>

// A repaint and a page move of the person grid at 100 rows, the baseline, and at 100,000 rows:
// the grid reads only the rows on its lines, so the cost must not grow with the table.

namespace {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "nolt_grid_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
}

void FillTable(TPersonTable& table, int rows) {
    for (int n = 1; n <= rows; ++n) {
        table.AppendRow();
        table.SetFieldText("pesel", std::to_string(80010100000 + n));
        table.SetFieldText("nazwisko", "NAZWISKO" + std::to_string(n));
        table.SetFieldText("imie", "IMIE");
        table.SetFieldText("plec", "M");
        table.SetFieldText("ste", "st. kpr.");
        table.SetFieldText("nis", std::to_string(n));
        table.SetFieldText("stanowisko", "dowodca druzyny");
        table.PostRow();
    }
    table.MoveFirst();
}

void PressKey(TPersonGrid& grid, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&grid, &press);
}

// One iteration: Page Down, repaint, Page Up, repaint; the current row goes back where it was,
// so every iteration does the same work at either size.
void BM_GridRepaintAndPage(benchmark::State& state) {
    EnsureApplication();
    TPersonTable table;
    FillTable(table, static_cast<int>(state.range(0)));
    TDataSource ds(table);
    TPersonGrid grid(ds);
    grid.SetOnGetCellProps([&table](TPersonField, TCellFont&, QColor& background) {
        SetRowBackground(table, background);
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
