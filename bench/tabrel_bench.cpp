// Speed of the engine at three cluster sizes: loading, the setup checks, the writer and
// the header generator. Run with scripts/bench.sh.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "cluster_generator.h"
#include "codegen/generate_microchip.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"

namespace {

namespace fs = std::filesystem;

struct Size {
    const char* name;
    ClusterShape shape;
};

constexpr Size kSizes[] = {{"typical", kTypicalCluster},
                           {"largest_lin", kLargestLinCluster},
                           {"stress", kStressCluster},
                           {"stress_shape_4k", kStressShapeAt4k}};
constexpr int kSizeCount = static_cast<int>(std::size(kSizes));

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

void BM_LoadFromFile(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const corvString path(ClusterFile(size).u16string());
    corvdekLINDefinitionFile document;
    for (auto _ : state) benchmark::DoNotOptimize(document.LoadFromFile(path));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(ClusterFile(size))));
    state.SetLabel(kSizes[size].name);
}

void BM_CheckSetup(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    auto document = Loaded(size);
    for (auto _ : state) benchmark::DoNotOptimize(document->CheckSetup());
    state.SetLabel(kSizes[size].name);
}

void BM_RenderLDF(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    auto document = Loaded(size);
    for (auto _ : state) benchmark::DoNotOptimize(RenderLDF(*document));
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
    state.SetLabel(kSizes[size].name);
}

BENCHMARK(BM_LoadFromFile)->DenseRange(0, kSizeCount - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckSetup)->DenseRange(0, kSizeCount - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderLDF)->DenseRange(0, kSizeCount - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateHeader)->DenseRange(0, kSizeCount - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCheckWrite)->DenseRange(0, kSizeCount - 1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (int size = 0; size < kSizeCount; ++size) fs::remove(ClusterFile(size));
    return 0;
}
