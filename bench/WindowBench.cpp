#include "app/TNoltApplication.h"
#include "app/Unolt_f_r.h"
#include "import/TOrderParser.h"
#include "orderbox/TOrderBoxLines.h"
#include "register/TPersonTable.h"
#include "support/OrderGenerator.h"
#include "support/TVectorOrderLines.h"
#include "ui/TWin1250.h"

#include "export/TPersonFileWriter.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

// The window offscreen with generated orders on the clipboard. The whole round through the window
// (paste, import, save) for 10,000 and 100,000 persons against the core round (the same lines,
// import, export), and each step against its counterpart: the paste against setting the same
// text into a plain box of the same kind, the import (of the text as pasted, and edited since)
// and the save against the core's. The paste and the import take turns with their counterparts
// in the same iterations. The save is timed with its dialog answered at once (the window's own
// cost) and through the real dialog (from the confirmation on). Then the order box and grid on
// their own for 10,000 persons: the box's lines, a row move, the first paint; and the import's
// report of 10,000 persons against their save. Each figure is the median of five repetitions.
// Last, the hostile pastes that the box's bounds cut or refuse.

namespace {

constexpr int Persons = 10'000;
constexpr double MiB = 1024.0 * 1024.0;

const GeneratedOrder& Order(int persons = Persons) {
    static std::map<int, GeneratedOrder> orders;
    auto found = orders.find(persons);
    if (found == orders.end())
        found = orders.emplace(persons, GenerateOrder(persons, 1)).first;
    return found->second;
}

QString OrderText(int persons) {
    QStringList lines;
    for (const std::string& line : Order(persons).lines)
        lines.push_back(TWin1250::Decode(line));
    return lines.join(QLatin1Char('\n'));
}

void PutOrderOnClipboard(int persons = Persons) {
    QGuiApplication::clipboard()->setText(OrderText(persons));
}

void Click(Tfnolt_f_r& window, const char* button) {
    window.findChild<QAbstractButton*>(button)->click();
}

std::unique_ptr<Tfnolt_f_r> ShownWindow() {
    auto window = std::make_unique<Tfnolt_f_r>();
    window->ShowMaximized();
    return window;
}

int PersonsOf(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

void CountPersons(benchmark::State& state, const TPersonTable& table, int persons = Persons) {
    state.SetItemsProcessed(state.iterations() * persons);
    if (table.TotalRows() != persons)
        state.SkipWithError("the import did not find every person");
}

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A memory figure of the process from /proc/self/status ("VmHWM:" the peak resident memory,
// "VmRSS:" the resident memory now), in bytes; ResetPeakMemory starts the peak anew.
double Memory(const std::string& figure) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(figure, 0) == 0)
            return std::stod(line.substr(figure.size())) * 1024.0;
    return 0;
}

void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Saves through the window's button with the save dialog answered at once: the dialog never shows.
void SaveThroughWindow(Tfnolt_f_r& window, const std::string& fileName) {
    window.SDOsoby().AnswerWith(
        [name = QString::fromStdString(fileName)](const QString&) { return std::optional(name); });
    Click(window, "SpeedButton2");
}

// Saves through the window's button, confirming the real save dialog with the file name as soon
// as it shows (an empty name cancels it). Returns the time from the confirmation to the end of
// the click: the save itself and the dialog's closing.
double SaveThroughDialog(Tfnolt_f_r& window, const std::string& fileName) {
    Clock::time_point confirmed;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        // The window runs its dialogs without blocking it (TTypeAhead): no modal widget.
        QFileDialog* dialog = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && qobject_cast<QFileDialog*>(top) != nullptr)
                dialog = qobject_cast<QFileDialog*>(top);
        if (dialog == nullptr)
            return;
        timer.stop();
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        edit->setText(QString::fromStdString(fileName));
        confirmed = Clock::now();
        QTest::keyClick(edit, fileName.empty() ? Qt::Key_Escape : Qt::Key_Return);
    });
    timer.start(0);
    Click(window, "SpeedButton2");
    return SecondsSince(confirmed);
}

double SecondsOf(const std::function<void()>& step) {
    const Clock::time_point start = Clock::now();
    step();
    return SecondsSince(start);
}

// Times a window step and its baseline in turns, each iteration after `prepare` (untimed), so that
// the machine's drift falls on both alike. The benchmark's time is the step's; counter `ratio` is
// the step's time over the baseline's.
void TimeInTurns(benchmark::State& state, const char* ratio, const std::function<void()>& prepare,
                 const std::function<void()>& step, const std::function<void()>& baseline) {
    double stepSeconds = 0;
    double baselineSeconds = 0;
    for (auto _ : state) {
        prepare();
        baselineSeconds += SecondsOf(baseline);
        const double seconds = SecondsOf(step);
        stepSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters[ratio] = stepSeconds / baselineSeconds;
}

// The paste against the same text set into a shown plain box of the same kind and size.
void BM_WindowPaste(benchmark::State& state) {
    const QString text = OrderText(PersonsOf(state));
    QGuiApplication::clipboard()->setText(text);
    const auto window = ShownWindow();
    QPlainTextEdit box;
    box.setLineWrapMode(QPlainTextEdit::NoWrap);
    box.setGeometry(window->findChild<QPlainTextEdit*>("mrozkaz")->geometry());
    box.show();
    // Each timed step replaces a text of the same size.
    box.setPlainText(text);
    Click(*window, "sbstaleplacowe");
    TimeInTurns(
        state, "vs_plain_box", [] {}, [&] { Click(*window, "sbstaleplacowe"); },
        [&] { box.setPlainText(text); });
    state.SetItemsProcessed(state.iterations() * PersonsOf(state));
}

// The window's import against the core import of the same lines; `edit` comes before each.
void TimeImportInTurns(benchmark::State& state, Tfnolt_f_r& window,
                       const std::function<void()>& edit) {
    const TVectorOrderLines lines(Order(PersonsOf(state)).lines);
    TPersonTable table;
    TimeInTurns(
        state, "vs_core", edit, [&] { Click(window, "SpeedButton1"); },
        [&] { TOrderParser().ImportPersons(lines, table); });
    CountPersons(state, window.mt(), PersonsOf(state));
}

// An import of the text as pasted: the box read its lines at the paste.
void BM_WindowImport(benchmark::State& state) {
    PutOrderOnClipboard(PersonsOf(state));
    const auto window = ShownWindow();
    Click(*window, "sbstaleplacowe");
    TimeImportInTurns(state, *window, [] {});
}

// An import of a text edited since its paste: a character typed and taken back in the first
// line, so that the box reads that line again and moves every line after it.
void BM_WindowImportEdited(benchmark::State& state) {
    PutOrderOnClipboard(PersonsOf(state));
    const auto window = ShownWindow();
    Click(*window, "sbstaleplacowe");
    QTextCursor start(window->findChild<QPlainTextEdit*>("mrozkaz")->document());
    TimeImportInTurns(state, *window, [&] {
        start.insertText(QStringLiteral(" "));
        start.deletePreviousChar();
    });
}

void BM_CoreExport(benchmark::State& state) {
    const TVectorOrderLines lines(Order(PersonsOf(state)).lines);
    TPersonTable table;
    TOrderParser().ImportPersons(lines, table);
    const TempFolder folder;
    for (auto _ : state)
        TPersonFileWriter().Export(table, (folder / "osoby.os").string());
    CountPersons(state, table, PersonsOf(state));
}

// A shown window that has pasted and imported an order of the benchmark's size.
std::unique_ptr<Tfnolt_f_r> ImportedWindow(const benchmark::State& state) {
    PutOrderOnClipboard(PersonsOf(state));
    auto window = ShownWindow();
    Click(*window, "sbstaleplacowe");
    Click(*window, "SpeedButton1");
    return window;
}

void BM_WindowSave(benchmark::State& state) {
    const auto window = ImportedWindow(state);
    const TempFolder folder;
    for (auto _ : state)
        SaveThroughWindow(*window, (folder / "osoby.os").string());
    CountPersons(state, window->mt(), PersonsOf(state));
}

void BM_WindowSaveWithDialog(benchmark::State& state) {
    const auto window = ImportedWindow(state);
    const TempFolder folder;
    for (auto _ : state)
        state.SetIterationTime(SaveThroughDialog(*window, (folder / "osoby.os").string()));
    CountPersons(state, window->mt(), PersonsOf(state));
}

// The import's report of the saved rows, written through the grid's menu entry with its dialog
// answered at once, against the save of the same rows (BM_WindowSave).
void BM_WindowReport(benchmark::State& state) {
    const auto window = ImportedWindow(state);
    const TempFolder folder;
    SaveThroughWindow(*window, (folder / "osoby.os").string());
    window->SDRaport().AnswerWith([name = QString::fromStdString((folder / "raport.pdf").string())](
                                      const QString&) { return std::optional(name); });
    QAction* report = nullptr;
    for (QAction* action : window->findChild<QWidget*>("RxDBGrid1")->actions())
        if (action->text().startsWith(QStringLiteral("Raport importu")))
            report = action;
    for (auto _ : state)
        report->trigger();
    state.counters["pdf_MiB"] =
        static_cast<double>(std::filesystem::file_size(folder / "raport.pdf")) / MiB;
    CountPersons(state, window->mt(), PersonsOf(state));
}

// What the save with the real dialog spends beside the export: the dialog's closing, from the
// confirmation (here a cancel) to the end of the click.
void BM_SaveDialogClose(benchmark::State& state) {
    const auto window = ShownWindow();
    for (auto _ : state)
        state.SetIterationTime(SaveThroughDialog(*window, ""));
}

void BM_CoreRound(benchmark::State& state) {
    const TempFolder folder;
    TPersonTable table;
    for (auto _ : state) {
        const TVectorOrderLines lines(Order(PersonsOf(state)).lines);
        TOrderParser().ImportPersons(lines, table);
        TPersonFileWriter().Export(table, (folder / "osoby.os").string());
    }
    CountPersons(state, table, PersonsOf(state));
}

// The peak memory is that of the process from the window's creation to the end of its rounds;
// "input_MiB" is what the process held before, the benchmark's own copies of the order
// (generated lines and rows, the clipboard's text) that a clerk's program does not hold, and
// "window_MiB" the peak less that. The real program's peak: scripts/memory-round.sh.
void BM_WindowRound(benchmark::State& state) {
    PutOrderOnClipboard(PersonsOf(state));
    const TempFolder folder;
    ResetPeakMemory();
    const double input = Memory("VmRSS:");
    const auto window = ShownWindow();
    for (auto _ : state) {
        Click(*window, "sbstaleplacowe");
        Click(*window, "SpeedButton1");
        SaveThroughWindow(*window, (folder / "osoby.os").string());
    }
    CountPersons(state, window->mt(), PersonsOf(state));
    const double peak = Memory("VmHWM:");
    state.counters["input_MiB"] = input / MiB;
    state.counters["peak_MiB"] = peak / MiB;
    state.counters["window_MiB"] = (peak - input) / MiB;
}

// Reading the box's lines whole, as a paste does.
void BM_BoxLines(benchmark::State& state) {
    PutOrderOnClipboard();
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
    PutOrderOnClipboard();
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
    PutOrderOnClipboard();
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

// The time from a letter typed in the order box to its repaint, the caret in the line typed in.
double LetterSeconds(QPlainTextEdit& box) {
    box.setFocus();
    const auto start = Clock::now();
    QTest::keyClick(&box, Qt::Key_A);
    box.viewport()->repaint();
    QCoreApplication::processEvents();
    return SecondsSince(start);
}

// A hostile paste (argument 0: one line of 30 M characters, which the box cuts; 1: 20 M line
// ends, which it refuses, the error box closed at once): how long it takes and the peak memory
// it adds, and then a letter typed at the start of the box against a letter typed in the box
// holding the 10,000 persons' order.
void BM_HostilePaste(benchmark::State& state) {
    const QString hostile =
        state.range(0) == 0 ? QString(30'000'000, u'x') : QString(20'000'000, u'\n');
    const auto window = ShownWindow();
    auto* box = window->findChild<QPlainTextEdit*>("mrozkaz");
    QTimer closeErrorBox;
    QObject::connect(&closeErrorBox, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    closeErrorBox.start(0);
    double pasteSeconds = 0, letterSeconds = 0, baselineSeconds = 0, peak = 0;
    for (auto _ : state) {
        PutOrderOnClipboard();
        Click(*window, "sbstaleplacowe");
        baselineSeconds += LetterSeconds(*box);
        QGuiApplication::clipboard()->setText(hostile);
        const double before = Memory("VmRSS:");
        ResetPeakMemory();
        const auto start = Clock::now();
        Click(*window, "sbstaleplacowe");
        pasteSeconds += SecondsSince(start);
        peak = std::max(peak, Memory("VmHWM:") - before);
        letterSeconds += LetterSeconds(*box);
        state.SetIterationTime(SecondsSince(start));
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["paste_s"] = pasteSeconds / n;
    state.counters["letter_ms"] = letterSeconds / n * 1000;
    state.counters["letter_vs_order_box"] = letterSeconds / baselineSeconds;
    state.counters["added_peak_MiB"] = peak / MiB;
}

void RoundArguments(benchmark::internal::Benchmark* bench) {
    bench->Arg(10'000)
        ->Arg(100'000)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(2)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

BENCHMARK(BM_WindowPaste)->Apply(RoundArguments)->UseManualTime();
BENCHMARK(BM_WindowImport)->Apply(RoundArguments)->UseManualTime();
BENCHMARK(BM_WindowImportEdited)->Apply(RoundArguments)->UseManualTime();
BENCHMARK(BM_CoreExport)->Apply(RoundArguments);
BENCHMARK(BM_WindowSave)->Apply(RoundArguments);
BENCHMARK(BM_WindowSaveWithDialog)->Apply(RoundArguments)->UseManualTime();
// A clerk's order holds tens of persons; 10,000 shows the report's cost per page well enough.
BENCHMARK(BM_WindowReport)
    ->Arg(10'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SaveDialogClose)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->UseManualTime();
BENCHMARK(BM_CoreRound)->Apply(RoundArguments);
BENCHMARK(BM_WindowRound)->Apply(RoundArguments);
BENCHMARK(BM_BoxLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_HostilePaste)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseManualTime();

// Keeps each benchmark's time per iteration, so that the window's steps can be set against their
// counterparts of the same run.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions, the medians stand for the benchmarks.
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration && run.aggregate_name != "median")
                continue;
            const std::string name = run.run_name.function_name + "/" + run.run_name.args;
            times_[name] = run.GetAdjustedRealTime();
            for (const auto& [counter, value] : run.counters)
                if (counter.rfind("vs_", 0) == 0)
                    counted_[name] = value.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const {
        for (const std::string persons : {"10000", "100000"}) {
            const auto ratio = [&](const std::string& window, const std::string& core) {
                return Ratio(window + "/" + persons, core + "/" + persons);
            };
            Print(persons, "paste / plain box set", Counted("BM_WindowPaste/" + persons), 1.2);
            Print(persons, "window import / core import", Counted("BM_WindowImport/" + persons), 2);
            Print(persons, "window import of an edited text / core import",
                  Counted("BM_WindowImportEdited/" + persons), 0);
            Print(persons, "window save / core export", ratio("BM_WindowSave", "BM_CoreExport"),
                  1.5);
            Print(persons, "window save with the dialog / core export",
                  ratio("BM_WindowSaveWithDialog", "BM_CoreExport"), 0);
            Print(persons, "window round / core round", ratio("BM_WindowRound", "BM_CoreRound"), 0);
            Print(persons, "window report / window save", ratio("BM_WindowReport", "BM_WindowSave"),
                  0);
        }
    }

private:
    std::optional<double> Ratio(const std::string& window, const std::string& core) const {
        const auto w = times_.find(window);
        const auto c = times_.find(core);
        if (w == times_.end() || c == times_.end())
            return std::nullopt;
        return w->second / c->second;
    }

    std::optional<double> Counted(const std::string& name) const {
        const auto ratio = counted_.find(name);
        if (ratio == counted_.end())
            return std::nullopt;
        return ratio->second;
    }

    static void Print(const std::string& persons, const char* what, std::optional<double> ratio,
                      double goal) {
        if (!ratio)
            return;
        std::printf("%s persons: %s: %.2f", persons.c_str(), what, *ratio);
        if (goal > 0)
            std::printf(" (goal: at most %.1f)", goal);
        std::printf("\n");
    }

    std::map<std::string, double> times_;   // per iteration, in the benchmarks' units
    std::map<std::string, double> counted_; // ratios a benchmark took itself
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TNoltApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
