// The entry view over a log of 100,000 workouts, on the offscreen platform: opening it on a
// workout (reading it, laying out, painting), one step to the next or the previous workout,
// and a day picked in its month calendar. Every paint is a real one (repaint).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "GuiBench.h"
#include "entries/Date.h"
#include "views/ui/EntryView.h"

namespace kivrun::bench {
namespace {

// Workouts spread over the log, so that no two opens read the same one.
RowId Spread(CTamselDoc& doc, int n) {
    const long count = doc.EntryCount();
    return doc.EntryAt((static_cast<long>(n) * 7919) % count)->entryId;
}

void BM_OpenEntryView(benchmark::State& state) {
    OpenLog log;
    int opened = 0;
    for (auto _ : state) {
        log.doc->SetCurrentEntry(Spread(*log.doc, opened++), nullptr);
        auto view = std::make_unique<CEntryView>(*log.doc);
        view->resize(650, 770);
        view->show();
        view->repaint();
    }
}
BENCHMARK(BM_OpenEntryView)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StepEntry(benchmark::State& state) {
    OpenLog log;
    CEntryView view(*log.doc);
    log.doc->AddView(&view);
    view.resize(650, 770);
    view.show();
    QApplication::processEvents();
    view.ShowEntry(Spread(*log.doc, 1));
    int step = 0;
    for (auto _ : state) {
        view.RunCommand(++step % 2 ? Command::ViewPrevious : Command::ViewNext);
        view.repaint();
    }
    log.doc->RemoveView(&view);
}
BENCHMARK(BM_StepEntry)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PickDay(benchmark::State& state) {
    OpenLog log;
    CEntryView view(*log.doc);
    log.doc->AddView(&view);
    view.resize(650, 770);
    view.show();
    QApplication::processEvents();
    const CDate first = CDate().AddDays(-730);
    int picked = 0;
    for (auto _ : state) {
        view.PickDay(first.AddDays(picked++ * 11 % 730));
        view.repaint();
    }
    log.doc->RemoveView(&view);
}
BENCHMARK(BM_PickDay)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kivrun::bench
