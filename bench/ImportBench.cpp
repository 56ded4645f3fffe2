#include "HeapCounter.h"
#include "import/OrderMarkers.h"
#include "import/TOrderParser.h"
#include "support/TVectorOrderLines.h"
#include "register/TPersonTable.h"
#include "support/OrderGenerator.h"
#include "support/RealisticOrder.h"
#include "text/TextPrimitives.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::array<std::string_view, 7> kMarkers{
    OrderMarker::Pesel, OrderMarker::Son,        OrderMarker::Daughter, OrderMarker::Directed,
    OrderMarker::Nis,   OrderMarker::LegalBasis, OrderMarker::BlockEnd};

struct TOrderInput {
    TVectorOrderLines lines;
    std::int64_t bytes = 0;
    int rows = 0;
};

std::unique_ptr<TOrderInput> MakeInput(std::vector<std::string> lines, int rows) {
    auto input = std::make_unique<TOrderInput>();
    for (const std::string& line : lines)
        input->bytes += std::ssize(line);
    input->lines = TVectorOrderLines(std::move(lines));
    input->rows = rows;
    return input;
}

// The input of `key`, made once by `make` and kept for the rest of the run.
template <typename Key, typename Make>
const TOrderInput& Cached(std::map<Key, std::unique_ptr<TOrderInput>>& inputs, Key key, Make make) {
    auto& input = inputs[key];
    if (!input)
        input = make();
    return *input;
}

const TOrderInput& GeneratedInput(int persons) {
    static std::map<int, std::unique_ptr<TOrderInput>> inputs;
    return Cached(inputs, persons,
                  [persons] { return MakeInput(GenerateOrder(persons).lines, persons); });
}

// Orders as clerks paste them: two-word ranks and surnames, dashes, tabs, non-breaking spaces.
const TOrderInput& RealisticInput(int persons) {
    static std::map<int, std::unique_ptr<TOrderInput>> inputs;
    return Cached(inputs, persons,
                  [persons] { return MakeInput(MakeRealisticOrder(persons).lines, persons); });
}

// A filler with runs of spaces and the beginnings of every marker, none of them complete.
std::string Filler(std::size_t length) {
    constexpr std::string_view unit = "PESEL /Z kieruj UZASADNIENIE PODSTAWA   S C  -";
    std::string text;
    text.reserve(length + unit.size());
    while (text.size() < length)
        text.append(unit);
    return text;
}

// Two lines of `length` bytes and more: the rank line, then one person block on a single line
// whose later markers stand at the far end.
const TOrderInput& LongLineInput(std::int64_t length) {
    static std::map<std::int64_t, std::unique_ptr<TOrderInput>> inputs;
    return Cached(inputs, length, [length] {
        const std::string filler = Filler(static_cast<std::size_t>(length));
        return MakeInput({"stopie\xF1 etatowy: " + filler + " szer.",
                          "1. szer. TESTOWY Jan S. Adama, PESEL: 00000000001 kieruj\xEA - " +
                              filler + " /ZS1 PODSTAWA PRAWNA: UZASADNIENIE:"},
                         1);
    });
}

// The least any import does: read every line, normalise it and look for every marker.
std::size_t ReadNormaliseSearch(const TOrderLines& lines) {
    std::string normalised;
    std::size_t found = 0;
    const int count = lines.Count();
    for (int i = 0; i < count; ++i) {
        NormaliseLine(lines.Line(i), normalised);
        const std::string_view line = normalised;
        for (const std::string_view marker : kMarkers)
            found += line.find(marker) != std::string_view::npos ? 1 : 0;
    }
    return found;
}

// Processor time, so that other programs sharing the machine do not tilt the comparison.
template <typename Work> double SecondsOf(Work&& work) {
    const std::clock_t start = std::clock();
    work();
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

void SetThroughput(benchmark::State& state, const TOrderInput& input) {
    state.SetBytesProcessed(state.iterations() * input.bytes);
    state.SetItemsProcessed(state.iterations() * input.rows);
}

void RunBaseline(benchmark::State& state, const TOrderInput& input) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadNormaliseSearch(input.lines));
    SetThroughput(state, input);
}

// Each iteration also runs the baseline, untimed by the framework but on its own clock, so that
// "of_baseline" compares the two in turns under the same conditions: the import's throughput as a
// fraction of the baseline's. "heap_MiB" is the most the import held at once beyond its input.
void RunImport(benchmark::State& state, const TOrderInput& input) {
    const TOrderParser parser;
    TPersonTable table;
    double baselineSeconds = 0;
    double importSeconds = 0;
    std::size_t heapBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        baselineSeconds +=
            SecondsOf([&] { benchmark::DoNotOptimize(ReadNormaliseSearch(input.lines)); });
        table.Close();
        HeapCounter::RestartPeak();
        const std::size_t before = HeapCounter::BytesInUse();
        state.ResumeTiming();
        importSeconds += SecondsOf([&] { parser.ImportPersons(input.lines, table); });
        heapBytes = std::max(heapBytes, HeapCounter::PeakBytes() - before);
    }
    if (table.TotalRows() != input.rows)
        state.SkipWithError("the import lost rows");
    SetThroughput(state, input);
    state.counters["of_baseline"] = baselineSeconds / importSeconds;
    state.counters["heap_MiB"] = static_cast<double>(heapBytes) / (1024.0 * 1024.0);
}

void BM_Baseline(benchmark::State& state) {
    RunBaseline(state, GeneratedInput(static_cast<int>(state.range(0))));
}
void BM_ImportPersons(benchmark::State& state) {
    RunImport(state, GeneratedInput(static_cast<int>(state.range(0))));
}
void BM_RealisticBaseline(benchmark::State& state) {
    RunBaseline(state, RealisticInput(static_cast<int>(state.range(0))));
}
void BM_ImportRealistic(benchmark::State& state) {
    RunImport(state, RealisticInput(static_cast<int>(state.range(0))));
}
// Long lines: "of_baseline" stays level from one length to the next when the import grows with
// the line's length as the baseline does, linearly.
void BM_LongLineBaseline(benchmark::State& state) {
    RunBaseline(state, LongLineInput(state.range(0)));
}
void BM_ImportLongLine(benchmark::State& state) {
    RunImport(state, LongLineInput(state.range(0)));
}

BENCHMARK(BM_Baseline)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportPersons)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RealisticBaseline)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportRealistic)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongLineBaseline)
    ->RangeMultiplier(4)
    ->Range(1 << 20, 1 << 26)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportLongLine)
    ->RangeMultiplier(4)
    ->Range(1 << 20, 1 << 26)
    ->Unit(benchmark::kMillisecond);

} // namespace
