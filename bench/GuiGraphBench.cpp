// The graph window over a log of 100,000 workouts, on the offscreen platform: gathering the
// filtered set, opening the window, regrouping, switching the quantity, scrolling a screen
// and saving a picture.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>

#include "GuiBench.h"
#include "print/ui/PictureFile.h"
#include "summaries/GraphModel.h"
#include "summaries/ui/GraphPrintout.h"
#include "summaries/ui/GraphView.h"
#include "summaries/ui/GraphViewFrame.h"

namespace kivrun::bench {
namespace {

constexpr int kWidth = 1200;
constexpr int kHeight = 800;

void ShowAndPaint(QWidget& w) {
    w.show();
    QApplication::processEvents();
    w.repaint();
}

// The graph window shown over the large log, its settings as the state text says.
struct ShownGraph {
    OpenLog log;
    std::unique_ptr<CGraphViewFrame> graph;
    explicit ShownGraph(const char* state) {
        SaveGraphSettings(*log.doc, ParseGraphState(state));
        graph = std::make_unique<CGraphViewFrame>(*log.doc);
        graph->resize(kWidth, kHeight);
        ShowAndPaint(*graph);
    }
};

// The one statement over the filtered set, summed per day and sport.
void BM_GatherGraph(benchmark::State& state) {
    OpenLog log;
    CGraphData data;
    for (auto _ : state) {
        data.Gather(*log.doc);
        benchmark::DoNotOptimize(data.PeriodCount(TotalsGrouping::Week));
    }
}
BENCHMARK(BM_GatherGraph)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenGraphWindow(benchmark::State& state) {
    OpenLog log;
    SaveGraphSettings(*log.doc, GraphSettings{});
    int periods = 0;
    for (auto _ : state) {
        auto graph = std::make_unique<CGraphViewFrame>(*log.doc);
        graph->resize(kWidth, kHeight);
        ShowAndPaint(*graph);
        periods = graph->Model().PeriodCount();
        state.PauseTiming();
        graph.reset();
        state.ResumeTiming();
    }
    state.counters["weeks"] = periods;
}
BENCHMARK(BM_OpenGraphWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each run changes the grouping: month, year, week... and draws the window again.
void BM_RegroupGraph(benchmark::State& state) {
    ShownGraph shown("");
    CGraphViewFrame& graph = *shown.graph;
    const Command order[] = {Command::GraphByMonth, Command::GraphByYear, Command::GraphByWeek};
    int next = 0;
    for (auto _ : state) {
        graph.RunCommand(order[next]);
        next = (next + 1) % 3;
        graph.repaint();
    }
}
BENCHMARK(BM_RegroupGraph)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each run shows the next quantity, stacked by sport.
void BM_SwitchQuantity(benchmark::State& state) {
    ShownGraph shown("0,0,0,0,1,65");
    CGraphViewFrame& graph = *shown.graph;
    int next = 1;
    for (auto _ : state) {
        graph.Model().SetQuantity(static_cast<GraphQuantity>(next));
        graph.Graph().Refresh();
        graph.repaint();
        next = (next + 1) % 4;
    }
}
BENCHMARK(BM_SwitchQuantity)->Unit(benchmark::kMillisecond)->UseRealTime();

// One screen of weeks back, laid out and drawn (Page Up).
void BM_ScrollOneScreen(benchmark::State& state) {
    ShownGraph shown("0,0,0,0,1,65");
    CGraphViewFrame& graph = *shown.graph;
    CGraphModel& model = graph.Model();
    for (auto _ : state) {
        if (model.First() == 0) model.ScrollToEnd();
        model.ScrollBy(-model.VisibleCount());
        graph.Graph().Refresh();
        graph.Graph().repaint();
    }
}
BENCHMARK(BM_ScrollOneScreen)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportPng(benchmark::State& state) {
    ShownGraph shown("0,0,0,0,1,65");
    CGraphViewFrame& graph = *shown.graph;
    const QString path = QDir::temp().filePath(QStringLiteral("kivrun-bench-graph.png"));
    for (auto _ : state) {
        CGraphPrintout picture(graph.Model());
        if (!SavePicture(picture, path).isEmpty()) state.SkipWithError("not written");
    }
    QFile::remove(path);
}
BENCHMARK(BM_ExportPng)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kivrun::bench
