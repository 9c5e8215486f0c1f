// Record sets over a large log: opening, walking, finding, requerying and reading one
// screen of rows. Figures only; nothing here fails on a number.
#include <benchmark/benchmark.h>

#include <random>

#include "LargeLog.h"
#include "store/LogDatabase.h"
#include "store/LogEntrySet.h"
#include "store/UserInterface.h"

namespace kivrun::bench {
namespace {

const char* kDescending = "SELECT * FROM [Log Entry] ORDER BY [Date] DESC, [EntryID] DESC";

std::unique_ptr<LogDatabase> OpenLog(int entries) {
    SilentUserInterface ui;
    std::unique_ptr<LogDatabase> db;
    LogDatabase::Open(LargeLog(entries), ui, true, db);
    return db;
}

void BM_OpenFilteredSet(benchmark::State& state) {
    auto db = OpenLog(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CLogEntryFilteredSet set(db.get());
        set.Open(kDescending);
        benchmark::DoNotOptimize(set.GetRecordCount());
    }
}
BENCHMARK(BM_OpenFilteredSet)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_WalkAllRows(benchmark::State& state) {
    auto db = OpenLog(100000);
    CLogEntryFilteredSet set(db.get());
    set.Open(kDescending);
    for (auto _ : state) {
        double total = 0;
        for (set.MoveFirst(); !set.IsEOF(); set.MoveNext())
            total += set.Time;
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_WalkAllRows)->Unit(benchmark::kMillisecond);

void BM_FindEntryById(benchmark::State& state) {
    auto db = OpenLog(100000);
    CLogEntryFilteredSet set(db.get());
    set.Open(kDescending);
    std::mt19937 rng(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(set.FindFirst("EntryID = " + std::to_string(1 + rng() % 100000)));
    }
}
BENCHMARK(BM_FindEntryById)->Unit(benchmark::kMicrosecond);

void BM_FindBySportNear(benchmark::State& state) {
    auto db = OpenLog(100000);
    CLogEntryFilteredSet set(db.get());
    set.Open(kDescending);
    for (auto _ : state)
        benchmark::DoNotOptimize(set.FindFirst("SptAbbrev = 'S'"));
}
BENCHMARK(BM_FindBySportNear)->Unit(benchmark::kMillisecond);

void BM_Requery(benchmark::State& state) {
    auto db = OpenLog(100000);
    CLogEntryFilteredSet set(db.get());
    set.Open(kDescending);
    for (auto _ : state) {
        set.Requery();
        benchmark::DoNotOptimize(set.GetRecordCount());
    }
}
BENCHMARK(BM_Requery)->Unit(benchmark::kMillisecond);

// What a paint does: position on each of 50 rows and read it, at the top, middle and end.
void BM_ScreenOfRows(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    auto db = OpenLog(entries);
    CLogEntryFilteredSet set(db.get());
    set.Open(kDescending);
    const long starts[] = {0, entries / 2, entries - 50};
    int which = 0;
    for (auto _ : state) {
        const long first = starts[which++ % 3];
        for (long i = first; i < first + 50; ++i) {
            set.SetAbsolutePosition(i);
            benchmark::DoNotOptimize(set.Route->size());
        }
    }
}
BENCHMARK(BM_ScreenOfRows)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kivrun::bench

BENCHMARK_MAIN();
