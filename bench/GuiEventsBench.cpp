// The events window over a log of 10,000 planned events, on the offscreen platform: opening
// it (the form and the list, every row read, shaded and painted), sorting by a column (the
// bands written again for the new order) and adding one event with the window open (which
// reads and shades the list again).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>

#include "GuiBench.h"
#include "events/ui/EventEntryForm.h"
#include "events/ui/EventView.h"

namespace kivrun::bench {
namespace {

constexpr int kEvents = 10000;

struct EventsWindow {
    CTamselDoc& doc;
    QWidget window;
    CEventEntryForm* form;
    CEventView* list;
    explicit EventsWindow(CTamselDoc& d)
        : doc(d), form(new CEventEntryForm(d, &window)), list(new CEventView(d, &window)) {
        form->setGeometry(0, 0, 1100, 170);
        list->setGeometry(0, 170, 1100, 600);
        doc.AddView(form);
        doc.AddView(list);
        window.resize(1100, 770);
        window.show();
        QApplication::processEvents();
        window.repaint();
    }
    ~EventsWindow() {
        doc.RemoveView(form);
        doc.RemoveView(list);
    }
};

void BM_OpenEventsWindow(benchmark::State& state) {
    OpenLog log(EventsLog(kEvents));
    long rows = 0;
    for (auto _ : state) {
        auto window = std::make_unique<EventsWindow>(*log.doc);
        rows = window->list->Model().rowCount();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_OpenEventsWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each run clicks the next column: date, sport, affiliation, event, details, date again
// (turned round), ... so every run orders, shades and paints afresh.
void BM_SortByColumn(benchmark::State& state) {
    OpenLog log(EventsLog(kEvents));
    EventsWindow window(*log.doc);
    int column = 0;
    for (auto _ : state) {
        window.list->SortBy(column++ % 5);
        window.list->repaint();
    }
}
BENCHMARK(BM_SortByColumn)->Unit(benchmark::kMillisecond)->UseRealTime();

// Through the event form, as a user enters one, with the list below it hearing of it. On a
// copy of the log, which later runs find as it was.
void BM_AddEvent(benchmark::State& state) {
    const std::string copy = EventsLog(kEvents) + ".add.tlg";
    std::filesystem::copy_file(EventsLog(kEvents), copy,
                               std::filesystem::copy_options::overwrite_existing);
    OpenLog log(copy);
    EventsWindow window(*log.doc);
    EventForm& form = window.form->Model();
    int added = 0;
    for (auto _ : state) {
        form.date = CDate().AddDays(added % 400);
        form.ChooseSportAbbrev("R");
        form.name = "Parkrun " + std::to_string(++added);
        form.Enter();
        window.list->repaint();
    }
    state.counters["rows"] = static_cast<double>(window.list->Model().rowCount());
    std::filesystem::remove(copy);
}
BENCHMARK(BM_AddEvent)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);

}  // namespace
}  // namespace kivrun::bench
