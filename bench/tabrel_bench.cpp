// Speed of the engine: loading, the setup checks, the writer and the header generator, on a
// typical cluster, the largest LIN cluster and clusters of N slaves (20 N signals, 5 N
// frames). Every figure is also set against a baseline of the same run, cutting the file's
// bytes into statements, so that the machine's drift cancels. Run with scripts/bench.sh.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cluster_diff/cluster_diff.h"
#include "cluster_generator.h"
#include "codegen/generate_microchip.h"
#include "foundation/corv_file.h"
#include "foundation/heap_policy.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "signal_values/trace_reader.h"

namespace {

namespace fs = std::filesystem;

struct Size {
    const char* name;
    ClusterShape shape;
};

constexpr Size kSizes[] = {{"typical", kTypicalCluster}, {"largest_lin", kLargestLinCluster},
                           {"n50", ClusterShapeOfN(50)},        {"n500", ClusterShapeOfN(500)},
                           {"n2000", kStressCluster},    {"n5000", ClusterShapeOfN(5000)}};
constexpr int kSizeCount = static_cast<int>(std::size(kSizes));
constexpr int kFirstSizeOfN = 2;

// The generated file of each size, written once.
const fs::path& ClusterFile(int size) {
    static std::map<int, fs::path> files;
    auto found = files.find(size);
    if (found == files.end()) {
        const fs::path path = fs::temp_directory_path() /
                              ("tabrel_bench_" + std::to_string(::getpid()) + "_" +
                               kSizes[size].name + ".ldf");
        std::ofstream(path, std::ios::binary) << GenerateClusterLdf(kSizes[size].shape);
        found = files.emplace(size, path).first;
    }
    return found->second;
}

std::unique_ptr<corvdekLINDefinitionFile> Loaded(int size) {
    auto document = std::make_unique<corvdekLINDefinitionFile>();
    document->LoadFromFile(corvString(fs::path(ClusterFile(size)).u16string()));
    return document;
}

int64_t FileSize(int size) { return static_cast<int64_t>(fs::file_size(ClusterFile(size))); }

// The baseline: reading the file and finding every end of a statement, which no loader can
// do without.
void BM_CutStatements(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const corvString path(ClusterFile(size).u16string());
    for (auto _ : state) {
        std::string bytes;
        ReadWholeFile(path, bytes);
        benchmark::DoNotOptimize(std::count_if(bytes.begin(), bytes.end(),
                                               [](char c) { return c == ';' || c == '{'; }));
    }
    state.SetBytesProcessed(state.iterations() * FileSize(size));
    state.SetLabel(kSizes[size].name);
}

void BM_LoadFromFile(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const corvString path(ClusterFile(size).u16string());
    corvdekLINDefinitionFile document;
    for (auto _ : state) benchmark::DoNotOptimize(document.LoadFromFile(path));
    state.SetBytesProcessed(state.iterations() * FileSize(size));
    state.SetLabel(kSizes[size].name);
}

void BM_CheckSetup(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    auto document = Loaded(size);
    for (auto _ : state) benchmark::DoNotOptimize(document->CheckSetup());
    state.SetBytesProcessed(state.iterations() * FileSize(size));
    state.SetLabel(kSizes[size].name);
}

void BM_RenderLDF(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    auto document = Loaded(size);
    std::size_t written = 0;
    for (auto _ : state) {
        const std::string text = RenderLDF(*document);
        written = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(written));
    state.SetLabel(kSizes[size].name);
}

void BM_GenerateHeader(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    auto document = Loaded(size);
    std::string header;
    for (auto _ : state) {
        corvdekLINGenerateMicrochip::RenderHeader(*document, true, 0, header);
        benchmark::DoNotOptimize(header);
    }
    state.SetBytesProcessed(state.iterations() * FileSize(size));
    state.SetLabel(kSizes[size].name);
}

// Load, check and write together: what opening a file and seeing it costs.
void BM_LoadCheckWrite(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const corvString path(ClusterFile(size).u16string());
    corvdekLINDefinitionFile document;
    for (auto _ : state) {
        document.LoadFromFile(path);
        document.CheckSetup();
        benchmark::DoNotOptimize(RenderLDF(document));
    }
    state.SetBytesProcessed(state.iterations() * FileSize(size));
    state.SetLabel(kSizes[size].name);
}

// Comparing a cluster with a revision of it loaded from the same file: every object is
// matched and every field compared. Loading the two files is the figure to stay below.
void BM_CompareClusters(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    auto before = Loaded(size);
    auto after = Loaded(size);
    for (auto _ : state) benchmark::DoNotOptimize(CompareClusters(*before, *after));
    state.SetBytesProcessed(state.iterations() * 2 * FileSize(size));
    state.SetLabel(kSizes[size].name);
}

// A bus log of a million lines over the typical cluster's frames (time stamp, identifier,
// data bytes), read and decoded line by line as `tabrel-cli decode --trace` does, without
// printing. Items are lines; bytes those of the log.
void BM_DecodeTrace(benchmark::State& state) {
    constexpr int kLines = 1'000'000;
    auto document = Loaded(0);
    std::vector<std::pair<int, int>> frames;  // identifier and data bytes of each frame
    for (int i = 0; i < document->frames.GetCount(); ++i) {
        std::string why;
        if (const auto codec = FrameCodec::Find(*document, document->frames.Get(i)->name.ToUtf8(), why)) {
            frames.emplace_back(codec->Id(), codec->Length());
        }
    }
    std::string log;
    char line[64];
    unsigned noise = 12345;
    for (int n = 0; n < kLines; ++n) {
        const auto [id, length] = frames[static_cast<std::size_t>(n) % frames.size()];
        int at = std::snprintf(line, sizeof line, "%.4f %02X", n * 0.005, id);
        for (int k = 0; k < length; ++k) {
            noise = noise * 1103515245u + 12345u;
            at += std::snprintf(line + at, sizeof line - static_cast<std::size_t>(at), " %02X", noise >> 24);
        }
        log.append(line, static_cast<std::size_t>(at)).push_back('\n');
    }
    const TraceDecoder decoder(*document);
    TraceFrame frame;
    std::vector<DecodedSignal> values;
    std::string why;
    for (auto _ : state) {
        std::size_t decoded = 0;
        for (std::size_t start = 0; start < log.size();) {
            const std::size_t end = log.find('\n', start);
            if (decoder.Read(std::string_view(log).substr(start, end - start), frame, why) ==
                TraceDecoder::Line::kFrame) {
                frame.codec->Decode(frame.bytes, values);
                decoded += values.size();
            }
            start = end + 1;
        }
        benchmark::DoNotOptimize(decoded);
    }
    state.SetItemsProcessed(state.iterations() * kLines);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(log.size()));
}

// Prints what the targets are stated in once the runs are done: each operation against the
// baseline of the same size, and the cost per byte of the largest N against the smallest.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_None) {}  // plain text, also in a terminal

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Iteration || median) {
                const std::string name = run.run_name.function_name + "/" + run.run_name.args;
                secondsPerByte_[name] = 1.0 / run.counters.at("bytes_per_second");
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nAgainst cutting the same file into statements (times as long):\n");
        for (const char* operation : kOperations) PrintRow(operation, &RatioReporter::AgainstBaseline);
        std::printf("\nCost per byte against N = 50 (1.0 is linear):\n");
        for (const char* operation : kOperations) PrintRow(operation, &RatioReporter::AgainstSmallest);
    }

private:
    static constexpr const char* kOperations[] = {"BM_LoadFromFile", "BM_CheckSetup", "BM_RenderLDF",
                                                  "BM_GenerateHeader", "BM_LoadCheckWrite"};

    double Cost(const char* operation, int size) const {
        const auto found = secondsPerByte_.find(std::string(operation) + "/" + std::to_string(size));
        return found == secondsPerByte_.end() ? 0.0 : found->second;
    }
    double AgainstBaseline(const char* operation, int size) const {
        return Cost(operation, size) / Cost("BM_CutStatements", size);
    }
    double AgainstSmallest(const char* operation, int size) const {
        return Cost(operation, size) / Cost(operation, kFirstSizeOfN);
    }

    void PrintRow(const char* operation, double (RatioReporter::*ratio)(const char*, int) const) const {
        std::printf("  %-18s", operation + 3);
        for (int size = kFirstSizeOfN; size < kSizeCount; ++size) {
            const double value = (this->*ratio)(operation, size);
            if (value > 0.0 && value < 1e9) std::printf("  %s %6.2f", kSizes[size].name, value);
        }
        std::printf("\n");
    }

    // Seconds per byte of input, by "function/size".
    std::map<std::string, double> secondsPerByte_;
};

BENCHMARK(BM_CutStatements)->DenseRange(0, kSizeCount - 1)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_LoadFromFile)->DenseRange(0, kSizeCount - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckSetup)->DenseRange(0, kSizeCount - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderLDF)->DenseRange(0, kSizeCount - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateHeader)->DenseRange(0, kSizeCount - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCheckWrite)->DenseRange(0, kSizeCount - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompareClusters)->DenseRange(0, kSizeCount - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeTrace)->Unit(benchmark::kMillisecond);

std::size_t HeapInUse() { return mallinfo2().uordblks; }

// The heap a loaded model takes: the whole, as the load adds it, and the signals with their
// texts and lists, and the frames likewise, as freeing them returns it.
void PrintModelMemory() {
    std::printf("\nModel memory (heap bytes): N, per signal, per frame, whole model / file size\n");
    for (int size = kFirstSizeOfN; size < kSizeCount; ++size) {
        const std::size_t before = HeapInUse();
        auto document = Loaded(size);
        const std::size_t loaded = HeapInUse();
        const int signals = document->signals.GetCount();
        const int frames = document->frames.GetCount();
        document->signals.Clear();
        const std::size_t withoutSignals = HeapInUse();
        document->frames.Clear();
        const std::size_t withoutFrames = HeapInUse();
        std::printf("  %-6s %8.0f %8.0f %8.2f\n", kSizes[size].name,
                    static_cast<double>(loaded - withoutSignals) / signals,
                    static_cast<double>(withoutSignals - withoutFrames) / frames,
                    static_cast<double>(loaded - before) / static_cast<double>(FileSize(size)));
    }
}

}  // namespace

int main(int argc, char** argv) {
    // The heap as the editor keeps it, so that a load or check does not measure the system
    // handing back memory that the one before freed.
    tabrel::KeepFreedMemoryInTheHeap();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintModelMemory();
    benchmark::Shutdown();
    for (int size = 0; size < kSizeCount; ++size) fs::remove(ClusterFile(size));
    return 0;
}
