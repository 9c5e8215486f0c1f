// The totals window over a log of 100,000 workouts, on the offscreen platform: opening it
// by week (the rows made and shown, not only the totals query), changing the grouping, and
// laying out the week totals for printing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include "GuiBench.h"
#include "store/LogDatabase.h"
#include "summaries/TotalsRows.h"
#include "summaries/TotalsTable.h"
#include "summaries/ui/TotalsFrame.h"
#include "summaries/ui/TotalsModel.h"
#include "summaries/ui/TotalsView.h"
#include "views/ui/PrintListPrintout.h"

namespace kivrun::bench {
namespace {

void ShowAndPaint(QWidget& w) {
    w.show();
    QApplication::processEvents();
    w.repaint();
}

// The core's part of opening: the totals query and the rows made from it.
void BM_TotalsRowsByWeek(benchmark::State& state) {
    OpenLog log;
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildTotalsRows(*log.doc, TotalsGrouping::Week));
}
BENCHMARK(BM_TotalsRowsByWeek)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenTotalsByWeek(benchmark::State& state) {
    OpenLog log;
    SaveTotalsGrouping(*log.doc, TotalsGrouping::Week);
    long rows = 0;
    for (auto _ : state) {
        auto totals = std::make_unique<CTotalsFrame>(*log.doc);
        totals->resize(420, 700);
        ShowAndPaint(*totals);
        rows = totals->Left().Model().rowCount();
        state.PauseTiming();
        totals.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_OpenTotalsByWeek)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each run changes the grouping: week, month, year, week...
void BM_Regroup(benchmark::State& state) {
    OpenLog log;
    CTotalsFrame totals(*log.doc);
    totals.resize(420, 700);
    ShowAndPaint(totals);
    const TotalsGrouping order[] = {TotalsGrouping::Month, TotalsGrouping::Year,
                                    TotalsGrouping::Week};
    int next = 0;
    for (auto _ : state) {
        totals.SetGrouping(order[next]);
        next = (next + 1) % 3;
        totals.repaint();
    }
}
BENCHMARK(BM_Regroup)->Unit(benchmark::kMillisecond)->UseRealTime();

// A filter change as the totals window takes it: its workouts read again and its rows made,
// beside the least any such reading costs (the four columns of the filtered set, scanned in
// the same run): the ratio does not hang on how busy the machine is.
void BM_TotalsAfterFilterChange(benchmark::State& state) {
    OpenLog log;
    CTotalsFrame totals(*log.doc);
    totals.resize(420, 700);
    ShowAndPaint(totals);
    FilterState f = log.doc->Filter();
    bool narrow = false;
    double scan = 0, refill = 0;
    for (auto _ : state) {
        state.PauseTiming();
        narrow = !narrow;
        f.showAll = !narrow;
        f.sports.fill(false);
        f.sports['R' - 'A'] = true;
        log.doc->ApplyFilter(f);
        QElapsedTimer timer;
        timer.start();
        {
            SqliteDb& db = log.doc->Database().sql();
            ReadTransaction tx(db);
            Statement rows = db.Prepare("SELECT Date, SptAbbrev, Distance, Time FROM (" +
                                        log.doc->FilteredSqlAnyOrder() + ")");
            double sum = 0;
            while (rows.Step())
                sum += rows.Real(3);
            benchmark::DoNotOptimize(sum);
        }
        scan += timer.nsecsElapsed() / 1e6;
        state.ResumeTiming();
        timer.restart();
        totals.Left().Invalidate();
        totals.Left().Fill();
        totals.repaint();
        refill += timer.nsecsElapsed() / 1e6;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["refill_ms"] = refill / n;
    state.counters["scan_ms"] = scan / n;
    state.counters["ratio"] = refill / scan;
}
BENCHMARK(BM_TotalsAfterFilterChange)->Unit(benchmark::kMillisecond)->UseRealTime();

// The week totals on letter pages at 600 dots to the inch: every cell wrapped and measured.
void BM_PaginateWeekTotals(benchmark::State& state) {
    OpenLog log;
    auto rows = std::make_shared<const std::vector<TotalsRow>>(
        BuildTotalsRows(*log.doc, TotalsGrouping::Week).rows);
    CPrintListPrintout printout(std::make_shared<TotalsPrintSource>(rows, TotalsGrouping::Week),
                                QStringLiteral("Totals"));
    for (auto _ : state)
        printout.Layout(GPage{QSize(4800, 6300), 600});
    state.counters["rows"] = static_cast<double>(rows->size());
    state.counters["pages"] = printout.PageCount();
}
BENCHMARK(BM_PaginateWeekTotals)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kivrun::bench
