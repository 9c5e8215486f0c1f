// The FIT reader: its throughput in memory, and a dry run over forty real-sized files beside
// gpsbabel converting the same files, in the same run. The files are written once under
// $TMPDIR by the tests' FIT writer; KIVRUN_FIT_SAMPLES names a folder of real FIT files to
// time as well (never copied anywhere).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "RecordedFit.h"
#include "devices/ActivityFile.h"
#include "devices/FitReader.h"

namespace kivrun::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 40;

// A ride of a little over an hour, about 100 kB.
std::string Ride(int index) {
    return RecordedFit({.start = 1711864800 + index * 86400LL, .seconds = 3800 + index});
}

std::vector<fs::path> GeneratedFiles() {
    static const std::vector<fs::path> files = [] {
        const char* tmp = std::getenv("TMPDIR");
        const fs::path dir = fs::path(tmp ? tmp : "/tmp") / "kivrun-bench-fit-v2";
        fs::create_directories(dir);
        std::vector<fs::path> paths;
        for (int i = 0; i < kFiles; ++i) {
            const fs::path path = dir / ("ride-" + std::to_string(i) + ".fit");
            if (!fs::exists(path)) std::ofstream(path, std::ios::binary) << Ride(i);
            paths.push_back(path);
        }
        return paths;
    }();
    return files;
}

std::vector<fs::path> SampleFiles() {
    std::vector<fs::path> files;
    const char* dir = std::getenv("KIVRUN_FIT_SAMPLES");
    if (!dir || !fs::is_directory(dir)) return files;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().extension() == ".fit") files.push_back(entry.path());
    return files;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool HaveGpsbabel() {
    return std::system("command -v gpsbabel > /dev/null 2>&1") == 0;
}

// gpsbabel converts each file to GPX, thrown away; one shell runs all of them. A file it
// cannot convert (a settings file among samples) still counts, as it does for ours.
std::string GpsbabelCommand(const std::vector<fs::path>& files) {
    std::string command;
    for (const fs::path& file : files)
        command += " gpsbabel -i garmin_fit -f '" + file.string() + "' -o gpx -F /dev/null;";
    return "sh -c \"" + command + " true\" > /dev/null 2>&1";
}

void BM_FitDecodeInMemory(benchmark::State& state) {
    std::vector<std::string> files;
    std::size_t bytes = 0;
    for (const fs::path& path : GeneratedFiles()) {
        files.push_back(Read(path));
        bytes += files.back().size();
    }
    for (auto _ : state)
        for (const std::string& file : files)
            benchmark::DoNotOptimize(devices::ReadFit(file).sessions.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["kB_per_file"] = static_cast<double>(bytes) / kFiles / 1000.0;
}
BENCHMARK(BM_FitDecodeInMemory)->Unit(benchmark::kMillisecond);

// Reading each file from disk and decoding it, as an import's dry run does, against gpsbabel
// on the same files; ratio = ours / gpsbabel's.
void DryRunVsGpsbabel(benchmark::State& state, const std::vector<fs::path>& files) {
    if (files.empty()) return state.SkipWithError("no files (set KIVRUN_FIT_SAMPLES)");
    if (!HaveGpsbabel()) return state.SkipWithError("gpsbabel is not installed");
    const std::string reference = GpsbabelCommand(files);
    double ours = 0, theirs = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        std::size_t sessions = 0;
        for (const fs::path& file : files)
            sessions += devices::ReadActivityFile(file).sessions.size();
        benchmark::DoNotOptimize(sessions);
        ours += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        start = std::chrono::steady_clock::now();
        if (std::system(reference.c_str()) != 0) return state.SkipWithError("gpsbabel failed");
        theirs += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["files"] = static_cast<double>(files.size());
    state.counters["ours_ms"] = 1000 * ours / n;
    state.counters["gpsbabel_ms"] = 1000 * theirs / n;
    state.counters["ratio"] = ours / theirs;
}

void BM_FitDryRunVsGpsbabel(benchmark::State& state) {
    DryRunVsGpsbabel(state, GeneratedFiles());
}
BENCHMARK(BM_FitDryRunVsGpsbabel)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SampleFitDryRunVsGpsbabel(benchmark::State& state) {
    DryRunVsGpsbabel(state, SampleFiles());
}
BENCHMARK(BM_SampleFitDryRunVsGpsbabel)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace kivrun::bench
