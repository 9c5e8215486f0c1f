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
#include "support/FitWriter.h"

extern char** environ;

namespace kivrun::bench {
namespace {

namespace fs = std::filesystem;
using test::FitField;
using namespace test::fit_type;

constexpr int kFiles = 1000;
constexpr int kEntries = 100000;

// A workout as a watch records it: a record a second with position, altitude, heart rate,
// cadence, distance, speed and power, laps every 10 minutes; runs, rides and swims by turns,
// one a day from 2020, about 100 kB each.
std::string Workout(int index) {
    static const int kSports[][2] = {{1, 0}, {2, 7}, {5, 18}};
    const int* sport = kSports[index % 3];
    test::FitWriter w;
    const std::uint32_t t0 = test::FitTime(1577858400 + index * 86400LL + (index % 5) * 3600);
    const auto f = [](std::uint8_t number, std::uint8_t type, std::uint64_t value) {
        return FitField{number, type, value};
    };
    w.Message(0, 0, {f(0, kEnum, 4), f(1, kUint16, 1), f(2, kUint16, 1328), f(4, kUint32, t0)});
    w.Message(1, 21, {f(253, kUint32, t0), f(0, kEnum, 0), f(1, kEnum, 0)});
    const int seconds = 3800 + index % 200;
    const double speed = sport[0] == 2 ? 8.0 : sport[0] == 1 ? 3.2 : 1.1;
    double metres = 0;
    for (int s = 0; s <= seconds; ++s) {
        const std::uint32_t t = t0 + s;
        metres += speed + (s % 7) * 0.01;
        w.Message(2, 20,
                  {f(253, kUint32, t), f(0, kUint32, 596523235 + s * 40),
                   f(1, kUint32, 95443717 + s * 25), f(2, kUint16, 2500 + s % 300),
                   f(3, kUint8, 120 + s % 40), f(4, kUint8, 85 + s % 10),
                   f(5, kUint32, static_cast<std::uint64_t>(metres * 100)),
                   f(6, kUint16, 7500 + s % 700), f(7, kUint16, 180 + s % 90), f(13, kUint8, 20)});
        if (s > 0 && (s % 600 == 0 || s == seconds))
            w.Message(3, 19,
                      {f(253, kUint32, t), f(2, kUint32, t - (s % 600 ? s % 600 : 600)),
                       f(7, kUint32, (s % 600 ? s % 600 : 600) * 1000ull),
                       f(8, kUint32, (s % 600 ? s % 600 : 600) * 1000ull),
                       f(9, kUint32, static_cast<std::uint64_t>(speed * 60000))});
    }
    w.Message(1, 21, {f(253, kUint32, t0 + seconds), f(0, kEnum, 0), f(1, kEnum, 4)});
    w.Message(
        4, 18,
        {f(253, kUint32, t0 + seconds), f(2, kUint32, t0), f(5, kEnum, sport[0]),
         f(6, kEnum, sport[1]), f(7, kUint32, seconds * 1000ull), f(8, kUint32, seconds * 1000ull),
         f(9, kUint32, static_cast<std::uint64_t>(metres * 100)), f(16, kUint8, 140)});
    w.Message(5, 34, {f(253, kUint32, t0 + seconds), f(5, kUint32, t0 + seconds + 3600)});
    return w.Bytes();
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
