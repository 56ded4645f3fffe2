#include "OrderGenerator.h"
#include "TNoltApplication.h"
#include "TOrderBoxLines.h"
#include "TOrderParser.h"
#include "TPersonTable.h"
#include "TVectorOrderLines.h"
#include "TWin1250.h"
#include "Unolt_f_r.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

// The window offscreen with a generated order of 10,000 persons on the clipboard: the paste, the
// import through the window (lines from the text box, the parser, the table) and the window's
// first paint, beside the core import of the same lines in the same run.

namespace {

constexpr int Persons = 10'000;

const GeneratedOrder& Order() {
    static const GeneratedOrder order = GenerateOrder(Persons, 1);
    return order;
}

void PutOrderOnClipboard() {
    QStringList lines;
    for (const std::string& line : Order().lines)
        lines.push_back(TWin1250::Decode(line));
    QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

void Click(Tfnolt_f_r& window, const char* button) {
    window.findChild<QAbstractButton*>(button)->click();
}

std::unique_ptr<Tfnolt_f_r> ShownWindow() {
    auto window = std::make_unique<Tfnolt_f_r>();
    window->ShowMaximized();
    return window;
}

void CountPersons(benchmark::State& state, const TPersonTable& table) {
    state.SetItemsProcessed(state.iterations() * Persons);
    if (table.TotalRows() != Persons)
        state.SkipWithError("the import did not find every person");
}

void BM_Paste(benchmark::State& state) {
    const auto window = ShownWindow();
    for (auto _ : state)
        Click(*window, "sbstaleplacowe");
    state.SetItemsProcessed(state.iterations() * Persons);
}

void BM_CoreImport(benchmark::State& state) {
    const TVectorOrderLines lines(Order().lines);
    TPersonTable table;
    for (auto _ : state)
        TOrderParser().ImportPersons(lines, table);
    CountPersons(state, table);
}

void BM_WindowImport(benchmark::State& state) {
    const auto window = ShownWindow();
    Click(*window, "sbstaleplacowe");
    for (auto _ : state)
        Click(*window, "SpeedButton1");
    CountPersons(state, window->mt());
}

// The part of the window's import that the core import does not have: the box's lines.
void BM_BoxLines(benchmark::State& state) {
    const auto window = ShownWindow();
    Click(*window, "sbstaleplacowe");
    const QTextDocument& document = *window->findChild<QPlainTextEdit*>("mrozkaz")->document();
    for (auto _ : state)
        benchmark::DoNotOptimize(TOrderBoxLines(document).Count());
    state.SetItemsProcessed(state.iterations() * Persons);
}

// A move of the current row far down and back, as F3 or a click does: the order box marks and
// scrolls to the row's lines, among the marks of the skipped persons.
void BM_RowMove(benchmark::State& state) {
    const auto window = ShownWindow();
    Click(*window, "sbstaleplacowe");
    Click(*window, "SpeedButton1");
    TPersonTable& table = window->mt();
    int position = 1;
    for (auto _ : state) {
        position = position == 1 ? Persons / 2 : 1;
        table.MoveTo(position);
    }
    state.counters["skipped"] = static_cast<double>(
        window->findChild<QLabel*>("LPominiete")->text().section(' ', -1).toInt());
}

void BM_FirstPaint(benchmark::State& state) {
    std::unique_ptr<Tfnolt_f_r> window;
    for (auto _ : state) {
        state.PauseTiming();
        window = ShownWindow();
        Click(*window, "sbstaleplacowe");
        Click(*window, "SpeedButton1");
        state.ResumeTiming();
        benchmark::DoNotOptimize(window->grab());
    }
}

BENCHMARK(BM_Paste)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_CoreImport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowImport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoxLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

// Keeps each benchmark's time per iteration, so that the window's import can be set against the
// core import of the same run.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions, the medians stand for the benchmarks.
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                times_[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatio() const {
        const auto window = times_.find("BM_WindowImport");
        const auto core = times_.find("BM_CoreImport");
        if (window == times_.end() || core == times_.end())
            return;
        std::printf("window import with its checking aids / core import: %.2f (goal: at most 2)\n",
                    window->second / core->second);
    }

private:
    std::map<std::string, double> times_; // per iteration, in milliseconds for both imports
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TNoltApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    PutOrderOnClipboard();
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio();
    benchmark::Shutdown();
    return 0;
}
