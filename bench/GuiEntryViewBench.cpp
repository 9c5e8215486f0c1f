// The entry view over a log of 100,000 workouts, on the offscreen platform: opening it on a
// workout (reading it, laying out, painting), one step to the next or the previous workout,
// and a day picked in its month calendar. Every paint is a real one (repaint).
#include <benchmark/benchmark.h>

#include <QApplication>

#include "GuiBench.h"
#include "values/Date.h"
#include "views/ui/EntryView.h"

namespace kivrun::bench {
namespace {

// Workouts spread over the log, so that no two opens read the same one.
RowId Spread(CTamselDoc& doc, int n) {
    const long count = doc.EntryCount();
    return doc.EntryAt((static_cast<long>(n) * 7919) % count)->entryId;
}

// An entry view the document tells of its changes, shown at the entry window's size.
struct ShownView {
    CTamselDoc& doc;
    CEntryView view{doc};
    explicit ShownView(CTamselDoc& d) : doc(d) {
        doc.AddView(&view);
        view.resize(650, 770);
        view.show();
        QApplication::processEvents();
    }
    ~ShownView() { doc.RemoveView(&view); }
};

void BM_OpenEntryView(benchmark::State& state) {
    OpenLog log;
    int opened = 0;
    for (auto _ : state) {
        log.doc->SetCurrentEntry(Spread(*log.doc, opened++), nullptr);
        ShownView shown(*log.doc);
        shown.view.repaint();
    }
}
BENCHMARK(BM_OpenEntryView)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StepEntry(benchmark::State& state) {
    OpenLog log;
    ShownView shown(*log.doc);
    CEntryView& view = shown.view;
    view.ShowEntry(Spread(*log.doc, 1));
    int step = 0;
    for (auto _ : state) {
        view.RunCommand(++step % 2 ? Command::ViewPrevious : Command::ViewNext);
        view.repaint();
    }
}
BENCHMARK(BM_StepEntry)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PickDay(benchmark::State& state) {
    OpenLog log;
    ShownView shown(*log.doc);
    CEntryView& view = shown.view;
    const CDate first = CDate().AddDays(-730);
    int picked = 0;
    for (auto _ : state) {
        view.PickDay(first.AddDays(picked++ * 11 % 730));
        view.repaint();
    }
}
BENCHMARK(BM_PickDay)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kivrun::bench
