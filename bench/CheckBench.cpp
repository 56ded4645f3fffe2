#include "check/TImportTrace.h"
#include "check/TRowHints.h"
#include "import/TOrderParser.h"
#include "support/TVectorOrderLines.h"
#include "register/TPersonTable.h"
#include "support/OrderGenerator.h"

#include <benchmark/benchmark.h>

namespace {

const TVectorOrderLines& Order() {
    static const TVectorOrderLines lines(GenerateOrder(100'000).lines);
    return lines;
}

// The baseline: the plain import, with neither trace nor hints.
void BM_PlainImport(benchmark::State& state) {
    TPersonTable table;
    for (auto _ : state) {
        TOrderParser().ImportPersons(Order(), table);
        benchmark::DoNotOptimize(table.TotalRows());
    }
}

// What the window does on an import: the traced import, then the hints of every row.
void BM_ImportWithTraceAndHints(benchmark::State& state) {
    TPersonTable table;
    TImportTrace trace;
    TRowHints hints;
    for (auto _ : state) {
        TOrderParser().ImportPersons(Order(), table, &trace);
        hints.Compute(table);
        benchmark::DoNotOptimize(hints.HintedRows());
    }
}

// The hints alone, over the imported table: what a deletion or an undo costs the window.
void BM_Hints(benchmark::State& state) {
    TPersonTable table;
    TOrderParser().ImportPersons(Order(), table);
    TRowHints hints;
    for (auto _ : state) {
        hints.Compute(table);
        benchmark::DoNotOptimize(hints.HintedRows());
    }
}

BENCHMARK(BM_PlainImport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportWithTraceAndHints)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Hints)->Unit(benchmark::kMillisecond);

} // namespace
