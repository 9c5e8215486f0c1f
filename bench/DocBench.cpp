// The document over a large sample log: what opening, filtering, totals and single-entry
// writes cost, and what one screen of the log list costs to read. Beside them, the time the
// sqlite3 shell takes to read every entry of the same file.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "LargeLog.h"
#include "document/TamselDoc.h"
#include "views/LogListCells.h"

namespace kivrun::bench {
namespace {

constexpr int kEntries = 100000;

std::unique_ptr<CTamselDoc> OpenDoc(UserInterface& ui) {
    auto doc = std::make_unique<CTamselDoc>(ui);
    doc->OnOpenDocument(LargeLog(kEntries));
    return doc;
}

void BM_ShellReadsEveryEntry(benchmark::State& state) {
    const std::string cmd = "sqlite3 '" + LargeLog(kEntries) +
                            "' 'SELECT * FROM [Log Entry] ORDER BY [Date]' > /dev/null";
    for (auto _ : state)
        benchmark::DoNotOptimize(std::system(cmd.c_str()));
}
BENCHMARK(BM_ShellReadsEveryEntry)->Unit(benchmark::kMillisecond)->UseRealTime();

// Everything the document does on open: schema check, repairs, record sets, week shading,
// the saved filter.
void BM_OpenLog(benchmark::State& state) {
    SilentUserInterface ui;
    LargeLog(kEntries);
    for (auto _ : state) {
        auto doc = OpenDoc(ui);
        benchmark::DoNotOptimize(doc->EntryCount());
    }
}
BENCHMARK(BM_OpenLog)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ApplyFilterSportsAndDates(benchmark::State& state) {
    SilentUserInterface ui;
    auto doc = OpenDoc(ui);
    FilterState f;
    f.showAll = false;
    f.sports.fill(false);
    f.sports['R' - 'A'] = f.sports['S' - 'A'] = true;
    f.dateOn = true;
    f.dateOp = FilterState::kBetween;
    f.date1 = CDate().SubtractDays(730);
    f.date2 = CDate();
    for (auto _ : state) {
        doc->ApplyFilter(f);
        benchmark::DoNotOptimize(doc->EntryCount());
    }
    state.counters["rows"] = static_cast<double>(doc->EntryCount());
}
BENCHMARK(BM_ApplyFilterSportsAndDates)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TotalsByWeekWholeLog(benchmark::State& state) {
    SilentUserInterface ui;
    auto doc = OpenDoc(ui);
    GrandTotal grand;
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = doc->GetTotals(CDate(1, 1, 1900), CDate(12, 31, 2100), "ww", &grand).size();
        benchmark::DoNotOptimize(grand.workouts);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_TotalsByWeekWholeLog)->Unit(benchmark::kMillisecond)->UseRealTime();

WorkingEntry Workout(const CDate& day) {
    WorkingEntry e;
    e.date = day;
    e.sptAbbrev = "R";
    e.typeAbbrev = "G";
    e.distance = 6.2;
    e.time = CElapsedTime(0, 48, 30);
    e.pace = 469;
    e.route = "River loop";
    return e;
}

// Add today, change to a day a year back (its place in the list changes), delete it: each
// with its requery and week shading.
void BM_AddEntry(benchmark::State& state) {
    SilentUserInterface ui;
    auto doc = OpenDoc(ui);
    for (auto _ : state) {
        const long id = doc->AddEntry(Workout(CDate()), nullptr);
        state.PauseTiming();
        doc->DeleteEntry(id, nullptr, false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddEntry)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ChangeEntryToAnotherDay(benchmark::State& state) {
    SilentUserInterface ui;
    auto doc = OpenDoc(ui);
    long id = doc->AddEntry(Workout(CDate()), nullptr);
    bool back = false;
    for (auto _ : state) {
        id = doc->UpdateEntry(id, Workout(back ? CDate() : CDate().SubtractDays(365)), nullptr);
        back = !back;
    }
    doc->DeleteEntry(id, nullptr, false);
}
BENCHMARK(BM_ChangeEntryToAnotherDay)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ChangeEntrySameDay(benchmark::State& state) {
    SilentUserInterface ui;
    auto doc = OpenDoc(ui);
    WorkingEntry e = Workout(CDate());
    const long id = doc->AddEntry(e, nullptr);
    for (auto _ : state) {
        e.notes = e.notes.empty() ? "edited" : "";
        doc->UpdateEntry(id, e, nullptr);
    }
    doc->DeleteEntry(id, nullptr, false);
}
BENCHMARK(BM_ChangeEntrySameDay)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DeleteEntry(benchmark::State& state) {
    SilentUserInterface ui;
    auto doc = OpenDoc(ui);
    for (auto _ : state) {
        state.PauseTiming();
        const long id = doc->AddEntry(Workout(CDate().SubtractDays(400)), nullptr);
        state.ResumeTiming();
        doc->DeleteEntry(id, nullptr, false);
    }
}
BENCHMARK(BM_DeleteEntry)->Unit(benchmark::kMillisecond)->UseRealTime();

// One screen of the log list: 50 rows, every visible column's text.
void BM_ScreenOfListRows(benchmark::State& state) {
    SilentUserInterface ui;
    auto doc = OpenDoc(ui);
    LogListCells cells;
    cells.Refresh(doc->GetCatalog());
    const auto columns = doc->Columns();
    const long count = doc->EntryCount();
    long first = 0;
    for (auto _ : state) {
        size_t chars = 0;
        for (long i = first; i < first + 50; ++i) {
            const EntryRow row = *doc->EntryAt(i);
            for (const auto& c : columns)
                chars += cells.Text(row, c.id, c.format).size();
        }
        benchmark::DoNotOptimize(chars);
        first = (first + 20011) % (count - 50);
    }
}
BENCHMARK(BM_ScreenOfListRows)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kivrun::bench
