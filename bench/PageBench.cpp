// What the month calendar, the week view and the entry view read from a log of 100,000
// workouts, without drawing: the rows and events of a month's grid, a week's rows with their
// totals, the days of a month that have workouts.
#include <benchmark/benchmark.h>

#include "LargeLog.h"
#include "document/TamselDoc.h"
#include "views/CalendarPage.h"
#include "views/EntryCursor.h"
#include "views/WeekPage.h"

namespace kivrun::bench {
namespace {

struct Log {
    SilentUserInterface ui;
    std::unique_ptr<CTamselDoc> doc = std::make_unique<CTamselDoc>(ui);
    Log() { doc->OnOpenDocument(LargeLog(100000)); }
};

void BM_ReadMonth(benchmark::State& state) {
    Log log;
    const CDate first = CDate().AddDays(-730);
    int shown = 0;
    std::size_t lines = 0;
    for (auto _ : state)
        lines = CalendarPage::Read(*log.doc, first.AddDays(30 * (shown++ % 24)), 1200, 800)
                    .items.size();
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ReadMonth)->Unit(benchmark::kMillisecond);

void BM_ReadWeek(benchmark::State& state) {
    Log log;
    const CDate first = CDate().AddDays(-730);
    int shown = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(WeekPage::Read(
            *log.doc, first.AddDays(7 * (shown++ % 104)).FirstDayOfWeek(), 1200, 800));
}
BENCHMARK(BM_ReadWeek)->Unit(benchmark::kMillisecond);

void BM_WeekTotalsOnly(benchmark::State& state) {
    Log log;
    const CDate first = CDate().AddDays(-730);
    int shown = 0;
    for (auto _ : state) {
        const CDate start = first.AddDays(7 * (shown++ % 104));
        benchmark::DoNotOptimize(log.doc->GetTotals(start, start.AddDays(6), ""));
    }
}
BENCHMARK(BM_WeekTotalsOnly)->Unit(benchmark::kMillisecond);

void BM_BoldDaysOfMonth(benchmark::State& state) {
    Log log;
    const CDate first = CDate().AddDays(-730);
    int shown = 0;
    std::size_t days = 0;
    for (auto _ : state) {
        const CDate month = first.AddDays(30 * (shown++ % 24));
        days = EntryDaysOfMonth(*log.doc, month.Year(), month.Month()).size();
    }
    state.counters["days"] = static_cast<double>(days);
}
BENCHMARK(BM_BoldDaysOfMonth)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kivrun::bench
