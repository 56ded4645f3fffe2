// The person file export of 100,000 rows against a baseline that writes a file of the same size
// in one go. Both run in every iteration, one after the other, so that they meet the same disk
// and page cache; "vs_baseline" is the export's speed as a share of the baseline's. The check of
// the saved file is timed the same way, against a save whose reading back is answered from
// memory: "with_check_vs_without" is how many times longer the save with the check takes.
#include "export/TClock.h"
#include "export/TFileLayer.h"
#include "export/TPersonFileWriter.h"
#include "support/PersonRows.h"
#include "support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kRows = 100'000;

TPersonTable RowsToExport() {
    std::vector<TPersonRecord> rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        const std::string n = std::to_string(i);
        rows.push_back(Row(std::string(11 - n.size(), '0') + n, "KOWALSKI-" + n,
                           "Stanis\xB3"
                           "aw",
                           "M", "st. kpr.", "ZS00001-01-" + n,
                           "dow\xF3"
                           "dca dru\xBFyny ogniowej"));
    }
    return TableOf(rows);
}

// The same steps as the export's file (a file beside the target, flushed to disk, put in place),
// with all bytes in one write.
void WriteDurablyInOneGo(TFileLayer& files, const std::string& target, const std::string& bytes) {
    auto file = files.CreateBeside(files.PrepareTarget(target));
    file->Write(bytes);
    file->Flush();
    file->Close();
    files.Replace(file->Name(), target);
}

// The least a program can do: one write, no flush to disk.
void WritePlainlyInOneGo(TFileLayer&, const std::string& target, const std::string& bytes) {
    std::FILE* file = std::fopen(target.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

template <typename Call> double SecondsOf(Call call) {
    const auto start = std::chrono::steady_clock::now();
    call();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

template <auto Baseline> void BM_ExportAgainstOneWrite(benchmark::State& state) {
    TPersonTable table = RowsToExport();
    const TempFolder folder;
    const std::string exported = (folder / "export.os").string();
    const std::string baseline = (folder / "baseline.os").string();
    const TPersonFileWriter writer;
    writer.Export(table, exported);
    const auto size = std::filesystem::file_size(exported);
    const std::string bytes(size, 'x');
    const auto files = MakePlatformFileLayer();

    double exportSeconds = 0;
    double baselineSeconds = 0;
    for (auto _ : state) {
        baselineSeconds += SecondsOf([&] { Baseline(*files, baseline, bytes); });
        const double seconds = SecondsOf([&] { writer.Export(table, exported); });
        exportSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    const double total = static_cast<double>(size) * static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(total));
    state.counters["file_bytes"] = static_cast<double>(size);
    state.counters["baseline_bytes_per_second"] = benchmark::Counter(
        total / baselineSeconds, benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
    state.counters["vs_baseline"] = baselineSeconds / exportSeconds;
}

// The system's file layer, but the saved file reads back as what was written without asking the
// system: the save without its check.
class TTrustingFileLayer final : public TFileLayer {
public:
    std::string PrepareTarget(const std::string& name) override {
        return real_->PrepareTarget(name);
    }
    std::unique_ptr<TOpenFile> CreateBeside(const std::string& target) override {
        written_.clear();
        return std::make_unique<File>(*this, real_->CreateBeside(target));
    }
    void Replace(const std::string& written, const std::string& target) override {
        real_->Replace(written, target);
    }
    void Remove(const std::string& name) noexcept override { real_->Remove(name); }
    void ReadBack(const std::string&, const std::function<void(std::string_view)>& take) override {
        take(written_);
    }

private:
    struct File final : TOpenFile {
        File(TTrustingFileLayer& layer, std::unique_ptr<TOpenFile> real)
            : TOpenFile(real->Name()), layer(layer), real(std::move(real)) {}
        void Write(std::string_view bytes) override {
            layer.written_.append(bytes);
            real->Write(bytes);
        }
        void Flush() override { real->Flush(); }
        void Close() override { real->Close(); }
        TTrustingFileLayer& layer;
        std::unique_ptr<TOpenFile> real;
    };

    std::unique_ptr<TFileLayer> real_ = MakePlatformFileLayer();
    std::string written_;
};

class TFixedClock final : public TClock {
public:
    TDate Today() override { return {2026, 7, 5}; }
};

void BM_ExportCheckedAgainstTrusted(benchmark::State& state) {
    TPersonTable table = RowsToExport();
    const TempFolder folder;
    const std::string checked = (folder / "checked.os").string();
    const std::string trusted = (folder / "trusted.os").string();
    TFixedClock clock;
    TTrustingFileLayer trusting;
    const TPersonFileWriter writer;
    const TPersonFileWriter trustingWriter(clock, trusting);
    double checkedSeconds = 0;
    double trustedSeconds = 0;
    for (auto _ : state) {
        trustedSeconds += SecondsOf([&] { trustingWriter.Export(table, trusted); });
        const double seconds = SecondsOf([&] { writer.Export(table, checked); });
        checkedSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["with_check_vs_without"] = checkedSeconds / trustedSeconds;
}

} // namespace

BENCHMARK(BM_ExportCheckedAgainstTrusted)
    ->Name("Export100kRows/with_check_vs_without")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportAgainstOneWrite<WriteDurablyInOneGo>)
    ->Name("Export100kRows/vs_one_durable_write")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportAgainstOneWrite<WritePlainlyInOneGo>)
    ->Name("Export100kRows/vs_one_plain_write")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
