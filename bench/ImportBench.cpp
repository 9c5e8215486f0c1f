// Importing a season and more of activity files into a large log: 1,000 FIT files of about
// 100 kB into a copy of the 100,000-workout sample log, by kivrun-tool as a whole process,
// beside its dry run on the same files and log in the same run (reading, decoding and the
// duplicate checks, without writing). The goal: under 3 s, with peak memory under twice the
// largest file plus 30 MB. The files are written once under $TMPDIR by the tests' FIT writer.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "LargeLog.h"
#include "RecordedFit.h"

extern char** environ;

namespace kivrun::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 1000;
constexpr int kEntries = 100000;

// Runs, rides and swims by turns, one a day from 2020, about 100 kB each.
std::string Workout(int index) {
    static const int kSports[][2] = {{1, 0}, {2, 7}, {5, 18}};
    const int* sport = kSports[index % 3];
    return RecordedFit({.start = 1577858400 + index * 86400LL + (index % 5) * 3600,
                        .seconds = 3800 + index % 200,
                        .sport = sport[0],
                        .subSport = sport[1],
                        .speed = sport[0] == 2   ? 8.0
                                 : sport[0] == 1 ? 3.2
                                                 : 1.1,
                        .product = 1328,
                        .localOffset = 3600});
}

struct Files {
    fs::path folder;
    std::uintmax_t largest = 0;
    std::uintmax_t total = 0;
};

const Files& ActivityFiles() {
    static const Files files = [] {
        Files f;
        const char* tmp = std::getenv("TMPDIR");
        f.folder = fs::path(tmp ? tmp : "/tmp") / "kivrun-bench-import-v1";
        fs::create_directories(f.folder);
        for (int i = 0; i < kFiles; ++i) {
            const fs::path path = f.folder / ("activity-" + std::to_string(1000 + i) + ".fit");
            if (!fs::exists(path)) std::ofstream(path, std::ios::binary) << Workout(i);
            f.largest = std::max(f.largest, fs::file_size(path));
            f.total += fs::file_size(path);
        }
        return f;
    }();
    return files;
}

struct Child {
    double seconds = 0;
    double peakMb = 0;  // the process's own peak resident memory
};

// Runs kivrun-tool with its output thrown away; aborts when it does not end with an expected
// status, since a broken run must not pass for a fast one.
Child RunTool(const std::vector<std::string>& args) {
    std::vector<std::string> all = {KIVRUN_TOOL_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) std::abort();
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Child child;
    child.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    child.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::abort();
    return child;
}

void BM_Import1000FilesInto100000Workouts(benchmark::State& state) {
    const Files& files = ActivityFiles();
    const std::string log = LargeLog(kEntries);
    const std::string copy = log + ".import-copy.tlg";
    const std::vector<std::string> args = {"import-activities", copy, files.folder.string(),
                                           "--map", "cycling=Road"};
    double imported = 0, dry = 0, peak = 0, dryPeak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(log, copy, fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        std::vector<std::string> dryRun = args;
        dryRun.push_back("--dry-run");
        const Child reference = RunTool(dryRun);
        const Child import = RunTool(args);
        dry += reference.seconds;
        imported += import.seconds;
        dryPeak = std::max(dryPeak, reference.peakMb);
        peak = std::max(peak, import.peakMb);
    }
    fs::remove(copy);
    const double n = static_cast<double>(state.iterations());
    state.counters["files"] = kFiles;
    state.counters["largest_kB"] = static_cast<double>(files.largest) / 1000.0;
    state.counters["total_MB"] = static_cast<double>(files.total) / 1e6;
    state.counters["import_ms"] = 1000 * imported / n;
    state.counters["dryrun_ms"] = 1000 * dry / n;
    state.counters["ratio"] = imported / dry;
    state.counters["peak_MB"] = peak;
    state.counters["dryrun_peak_MB"] = dryPeak;
    state.counters["limit_MB"] = 2.0 * static_cast<double>(files.largest) / 1048576.0 + 30.0;
}
BENCHMARK(BM_Import1000FilesInto100000Workouts)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
}  // namespace kivrun::bench
