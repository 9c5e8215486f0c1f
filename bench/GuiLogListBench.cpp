// The log list over a log of 100,000 workouts, on the offscreen platform: what showing it,
// scrolling a page, a filter change, an added workout, fitting a column and laying out the
// printed pages cost. Every paint is a real one (repaint), so the figures include reading
// the rows on screen from the log.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QScrollBar>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "GuiBench.h"
#include "document/TamselDoc.h"
#include "print/PaperText.h"
#include "print/ui/CharWidths.h"
#include "print/ui/GPrintDriver.h"
#include "store/LogEntrySet.h"
#include "views/ui/LogListModel.h"
#include "views/ui/LogListPrinter.h"
#include "views/ui/TamselView.h"

namespace kivrun::bench {
namespace {

// A log list as the log window shows it, painted once.
std::unique_ptr<CTamselView> ShowList(CTamselDoc& doc) {
    auto list = std::make_unique<CTamselView>(doc);
    doc.AddView(list.get());
    list->resize(1200, 700);
    list->show();
    QApplication::processEvents();
    list->viewport()->repaint();
    return list;
}

void BM_ShowLogList(benchmark::State& state) {
    OpenLog log;
    for (auto _ : state) {
        auto list = ShowList(*log.doc);
        state.PauseTiming();
        log.doc->RemoveView(list.get());
        list.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(log.doc->EntryCount());
}
BENCHMARK(BM_ShowLogList)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScrollOnePage(benchmark::State& state) {
    OpenLog log;
    auto list = ShowList(*log.doc);
    QScrollBar* bar = list->verticalScrollBar();
    // Far apart, so that no row read for one page is read again for the next.
    const int stride = std::max(1, bar->maximum() / 97);
    int at = 0;
    for (auto _ : state) {
        at = (at + stride) % std::max(1, bar->maximum());
        bar->setValue(at);
        list->viewport()->repaint();
    }
    state.counters["rows_on_screen"] = list->viewport()->height() / list->rowHeight(0);
    log.doc->RemoveView(list.get());
}
BENCHMARK(BM_ScrollOnePage)->Unit(benchmark::kMillisecond)->UseRealTime();

// The filter applied with and without the list listening: the difference is what the list
// adds (week shading over the filtered set, the new row count, a paint).
void FilterChange(benchmark::State& state, bool withList) {
    OpenLog log;
    std::unique_ptr<CTamselView> list;
    if (withList) list = ShowList(*log.doc);
    FilterState f = log.doc->Filter();
    bool narrow = false;
    for (auto _ : state) {
        narrow = !narrow;
        f.showAll = !narrow;
        f.sports.fill(false);
        f.sports['R' - 'A'] = true;
        log.doc->ApplyFilter(f);
        if (list) list->viewport()->repaint();
    }
    if (list) log.doc->RemoveView(list.get());
}
void BM_FilterChangeDocumentOnly(benchmark::State& state) {
    FilterChange(state, false);
}
void BM_FilterChangeWithList(benchmark::State& state) {
    FilterChange(state, true);
}
BENCHMARK(BM_FilterChangeDocumentOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FilterChangeWithList)->Unit(benchmark::kMillisecond)->UseRealTime();

// A workout added by the form: the document's add, then the list's new row and paint.
void BM_AddEntryWithList(benchmark::State& state) {
    OpenLog log;
    auto list = ShowList(*log.doc);
    WorkingEntry e;
    e.sptAbbrev = "R";
    e.typeAbbrev = "G";
    e.distance = 6.2;
    e.time = CElapsedTime(0, 48, 30);
    for (auto _ : state) {
        const long id = log.doc->AddEntry(e, nullptr);
        list->viewport()->repaint();
        state.PauseTiming();
        log.doc->DeleteEntry(id, nullptr, false);
        state.ResumeTiming();
    }
    log.doc->RemoveView(list.get());
}
BENCHMARK(BM_AddEntryWithList)->Unit(benchmark::kMillisecond)->UseRealTime();

// Deleting selected rows scattered over the log, on a copy of it made for each run.
void BM_DeleteSelectedRows(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string copy =
        (std::filesystem::temp_directory_path() / "kivrun-bench-delete.tlg").string();
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::copy_file(LargeLog(kEntries), copy,
                                   std::filesystem::copy_options::overwrite_existing);
        auto log = std::make_unique<OpenLog>(copy);
        auto list = ShowList(*log->doc);
        const int rows = list->Model().rowCount();
        for (int i = 0; i < count; ++i)
            list->selectionModel()->select(list->Model().index(i * (rows / count), 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        state.ResumeTiming();
        list->DeleteSelectedEntries();
        state.PauseTiming();
        log->doc->RemoveView(list.get());
        list.reset();
        log.reset();
        state.ResumeTiming();
    }
    std::filesystem::remove(copy);
}
BENCHMARK(BM_DeleteSelectedRows)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

void BM_FitColumnOnDivider(benchmark::State& state) {
    OpenLog log;
    auto list = ShowList(*log.doc);
    const int route = list->Model().IndexOfColumn(LogListCells::kRoute);
    for (auto _ : state)
        list->FitColumnToContents(route);
    log.doc->RemoveView(list.get());
}
BENCHMARK(BM_FitColumnOnDivider)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Page breaks for the whole log on letter paper: every workout read, Route and Notes wrapped.
void BM_LayOutPrintedPages(benchmark::State& state) {
    OpenLog log;
    CLogListModel model(*log.doc);
    model.SetColumns(log.doc->Columns());
    CLogListPrinter paper(model);
    for (auto _ : state)
        paper.Layout(GPage{QSize(4800, 6300), 600});
    state.counters["pages"] = paper.PageCount();
}
BENCHMARK(BM_LayOutPrintedPages)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

double SecondsOf(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

// The whole list to a PDF, as `kivrun --print --view log` makes it, beside the sqlite3 shell
// writing the same rows as text in the same run: what the ratio says does not hang on how
// busy the machine is.
void BM_ListToPdf(benchmark::State& state) {
    OpenLog log;
    const std::string pdf = (std::filesystem::temp_directory_path() / "kivrun-bench-log.pdf");
    const std::string shell = "sqlite3 -separator '\t' '" + LargeLog(kEntries) +
                              "' \"SELECT * FROM [Log Entry] ORDER BY Date, EntryID\" > /dev/null";
    double ours = 0, reference = 0;
    int pages = 0;
    for (auto _ : state) {
        ours += SecondsOf([&] {
            const std::unique_ptr<GPrintout> printout = CLogListPrinter::ForLog(*log.doc);
            GPrintDriver::PrintToPdf(*printout, QString::fromStdString(pdf));
            pages = printout->PageCount();
        });
        reference += SecondsOf([&] {
            if (std::system(shell.c_str()) != 0) std::abort();
        });
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["pdf_ms"] = 1000 * ours / n;
    state.counters["shell_ms"] = 1000 * reference / n;
    state.counters["ratio"] = ours / reference;
    state.counters["pages"] = pages;
    std::filesystem::remove(pdf);
}
BENCHMARK(BM_ListToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// A note of n bytes wrapped into a Notes column of the printed list, in the paper's font,
// beside measuring the whole note once: wrapping costs a few times one pass over the text,
// whatever its length.
void BM_WrapNote(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0));
    const char16_t* words[] = {u"tempo ", u"easy ",    u"hills ",    u"legs ",
                               u"heavy ", u"cadence ", u"recovery ", u"intervals "};
    std::u16string note;
    for (std::size_t i = 0; note.size() < bytes; ++i)
        note += words[(i * 7 + i / 3) % 8];
    note.resize(bytes);
    CharWidths widths(PaperFont(QStringLiteral("Arial"), PaperUnits(9.0)));
    const controls::TextWidth measure = widths.Measure();
    std::size_t lines = 0;
    double wrap = 0, once = 0;
    for (auto _ : state) {
        wrap += SecondsOf([&] { lines = paper::WrapLines(note, 2400, measure).size(); });
        once += SecondsOf([&] { benchmark::DoNotOptimize(measure(note)); });
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["ratio_to_one_pass"] = wrap / once;
}
BENCHMARK(BM_WrapNote)
    ->Arg(32 << 10)
    ->Arg(128 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace kivrun::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(sports);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
