// The month calendar and the week view over a log of 100,000 workouts, on the offscreen
// platform: showing a month or a week (reading its rows, laying out, painting), stepping
// to the next or the previous one, and the memory that stepping 500 times leaves behind.
// Every paint is a real one (repaint).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <fstream>
#include <memory>

#include "GuiBench.h"
#include "views/ui/CalendarView.h"
#include "views/ui/WeekView.h"

namespace kivrun::bench {
namespace {

template <class ViewClass>
std::unique_ptr<ViewClass> Show(CTamselDoc& doc) {
    auto view = std::make_unique<ViewClass>(doc);
    doc.AddView(view.get());
    view->resize(1200, 800);
    view->show();
    QApplication::processEvents();
    view->repaint();
    return view;
}

// Resident memory in kB.
double ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024.0;
}

void BM_ShowMonth(benchmark::State& state) {
    OpenLog log;
    auto view = Show<CCalendarView>(*log.doc);
    // The two years up to today, over and over: full months, none read twice running.
    const CDate first = CDate().AddDays(-730);
    int shown = 0;
    for (auto _ : state) {
        view->ShowMonth(first.AddDays(30 * (shown++ % 24)));
        view->repaint();
    }
    state.counters["lines"] = static_cast<double>(view->Drawn().items.size());
    log.doc->RemoveView(view.get());
}
BENCHMARK(BM_ShowMonth)->Unit(benchmark::kMillisecond)->UseRealTime();

template <class ViewClass>
void StepBackAndForth(benchmark::State& state) {
    OpenLog log;
    auto view = Show<ViewClass>(*log.doc);
    view->RunCommand(Command::ViewPrevious);  // a week or month that is full
    int step = 0;
    double before = 0;
    for (auto _ : state) {
        if (step == 50) before = ResidentKb();  // once the caches are warm
        view->RunCommand(++step % 2 ? Command::ViewPrevious : Command::ViewNext);
        view->repaint();
    }
    if (step > 50) state.counters["kB_grown_after_warmup"] = ResidentKb() - before;
    log.doc->RemoveView(view.get());
}

void BM_StepMonth(benchmark::State& state) {
    StepBackAndForth<CCalendarView>(state);
}
BENCHMARK(BM_StepMonth)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(550);

void BM_ShowWeek(benchmark::State& state) {
    OpenLog log;
    auto view = Show<CWeekView>(*log.doc);
    const CDate first = CDate().AddDays(-730);
    int shown = 0;
    for (auto _ : state) {
        view->ShowWeek(first.AddDays(7 * (shown++ % 104)));
        view->repaint();
    }
    state.counters["lines"] = static_cast<double>(view->Drawn().items.size());
    log.doc->RemoveView(view.get());
}
BENCHMARK(BM_ShowWeek)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StepWeek(benchmark::State& state) {
    StepBackAndForth<CWeekView>(state);
}
BENCHMARK(BM_StepWeek)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(550);

}  // namespace
}  // namespace kivrun::bench
