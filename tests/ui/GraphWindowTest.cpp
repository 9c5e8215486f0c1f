// The graph window in the running program: its commands and dialog bar, scrolling and zoom,
// how it follows the log, its printout and its pictures. The graph's rules (restrictions,
// zoom, periods, scenes, saved settings) are GraphRulesTest's and GraphModelTest's; here,
// that the window's controls reach them and follow them.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>

#include "PdfSupport.h"
#include "ShellSupport.h"
#include "controls/ui/HoverTipWindow.h"
#include "summaries/GraphModel.h"
#include "summaries/ui/GraphView.h"
#include "summaries/ui/GraphViewFrame.h"

namespace kivrun::test {
namespace {

class GraphWindow : public ShellTest {
  protected:
    // A sample log of a few years, open in a main window of 1200 x 800.
    CTamselDoc& OpenLog() {
        PlugFakeViews({WindowKind::LogWindow});
        WindowTemplates::Instance().SetContentFactory(WindowKind::Graphs, &CGraphViewFrame::Create);
        StartedOnSample(1500, 7, "season.tlg");
        ShowFrame(1200, 800);
        return *app->Document();
    }
    CGraphViewFrame& OpenGraph() {
        frame().Run(Command::ViewGraph);
        Settle();
        ChildFrame* window = frame().FindChild(WindowKind::Graphs);
        EXPECT_NE(window, nullptr);
        return *dynamic_cast<CGraphViewFrame*>(window->Panes().front());
    }
    ChildFrame& Window() { return *frame().FindChild(WindowKind::Graphs); }
    static void Key(CGraphViewFrame& g, Qt::Key key) {
        QTest::keyClick(&g.Graph(), key);
        Settle();
    }

    PrintsToPdf pdf{Path("graph.pdf")};
};

TEST_F(GraphWindow, CommandsDialogBarScrollingAndZoom) {
    OpenLog();
    CGraphViewFrame& g = OpenGraph();
    // A new log: a bar graph of distance by week, at its latest weeks.
    CGraphModel& model = g.Model();
    EXPECT_TRUE(Checked(Command::GraphBar));
    EXPECT_TRUE(Checked(Command::GraphByWeek));
    EXPECT_FALSE(Checked(Command::GraphCumulative));
    EXPECT_EQ(g.ScrollBar().value(), g.ScrollBar().maximum());
    EXPECT_EQ(g.ScrollBar().maximum(), model.ScrollMax());

    // The keyboard and the wheel scroll, the scroll bar follows.
    Key(g, Qt::Key_Home);
    EXPECT_EQ(g.ScrollBar().value(), 0);
    Key(g, Qt::Key_Right);
    Key(g, Qt::Key_PageDown);
    EXPECT_EQ(model.First(), 1 + model.VisibleCount());
    Wheel(&g.Graph(), -240, QPointF(200, 200));
    EXPECT_EQ(model.First(), 3 + model.VisibleCount());
    EXPECT_EQ(g.ScrollBar().value(), model.First());
    g.ScrollBar().setValue(5);
    EXPECT_EQ(model.First(), 5);

    // The per-sport box and its command go together, and both go where it cannot be.
    g.BySportBox().click();
    EXPECT_TRUE(Checked(Command::GraphBySport));
    g.QuantityList().setCurrentIndex(3);  // pace
    emit g.QuantityList().activated(3);
    EXPECT_FALSE(g.BySportBox().isEnabled());
    EXPECT_FALSE(g.BySportBox().isChecked());
    EXPECT_FALSE(Enabled(Command::GraphBySport));

    // The menu's commands reach the graph and the dialog bar follows them.
    frame().Run(Command::GraphLine);
    frame().Run(Command::GraphByMonth);
    g.QuantityList().setCurrentIndex(1);
    emit g.QuantityList().activated(1);
    frame().Run(Command::GraphCumulative);
    Settle();
    EXPECT_TRUE(g.CumulativeBox().isChecked());
    EXPECT_EQ(model.Scene().title, "Time By Month");
    frame().Run(Command::GraphPie);  // always per sport
    Settle();
    EXPECT_TRUE(g.BySportBox().isChecked());
    EXPECT_FALSE(g.BySportBox().isEnabled());

    // Zoom: in while two periods show, out down to the smallest.
    frame().Run(Command::GraphBar);
    frame().Run(Command::GraphByWeek);
    while (Enabled(Command::GraphZoomIn))
        frame().Run(Command::GraphZoomIn);
    EXPECT_EQ(model.VisibleCount(), 1);
    while (Enabled(Command::GraphZoomOut))
        frame().Run(Command::GraphZoomOut);

    // The log keeps the settings: the window opens as it closed.
    const GraphSettings kept = model.Settings();
    Window().close();
    Settle();
    EXPECT_EQ(OpenGraph().Model().Settings(), kept);
}

TEST_F(GraphWindow, FollowsTheLogAndTellsAPeriodsValues) {
    CTamselDoc& doc = OpenLog();
    CGraphViewFrame& g = OpenGraph();
    CGraphModel& model = g.Model();
    const int last = model.PeriodCount() - 1;
    const double before = model.Values(last).all.value;
    WorkingEntry run = Entry(1, 1, 2026, doc.GetCatalog().sports.front().abbrev.c_str(), 36000);
    run.date = *model.PeriodFirstDay(last);
    run.distance = 100;
    ASSERT_NE(doc.AddEntry(run, nullptr), 0);
    Settle();
    EXPECT_GT(model.Values(last).all.value, before + 50);

    // A filter that leaves nothing: titles and axes only.
    const FilterState all = doc.Filter();
    doc.ApplyFilter(LongerThan(100000));
    Settle();
    EXPECT_EQ(g.ScrollBar().maximum(), 0);
    doc.ApplyFilter(all);
    Settle();
    ASSERT_GT(model.PeriodCount(), 0);

    // The mouse resting on a bar shows its period's values; a double click selects it.
    CGraphView& view = g.Graph();
    const GraphScene::Tip tip = model.Scene().tips.back();
    const QPoint over(tip.rect.x + tip.rect.width / 2, tip.rect.y + tip.rect.height - 5);
    QMouseEvent move(QEvent::MouseMove, over, view.mapToGlobal(over), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
    QTest::qWait(view.Tip().delay() + 100);
    EXPECT_TRUE(view.Tip().isTipShown());
    EXPECT_NE(tip.text.find("\nAll: \t"), std::string::npos);
    QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, over);
    Settle();
    ASSERT_TRUE(model.Selected());
    EXPECT_EQ(model.Scene().selection->lines.front(), tip.text.substr(0, tip.text.find('\n')));
    Key(g, Qt::Key_Escape);
    EXPECT_FALSE(model.Selected());
}

TEST_F(GraphWindow, PrintsAndSavesPictures) {
    OpenLog();
    CGraphViewFrame& g = OpenGraph();
    ASSERT_TRUE(Enabled(Command::FilePrint));
    frame().Run(Command::FilePrint);
    const PdfFacts facts = pdf.Read();
    EXPECT_EQ(facts.pages, 1);
    EXPECT_NE(facts.text.find("Distance By Week"), std::string::npos) << facts.text;

    // File > Export: the graph at the window's size (what an SVG holds: PrintCommandLine
    // .TheGraphIsSavedAsAPicture).
    const QString png = Path("graph.png");
    dialogs->saveFiles = {png, Path("graph.gif2")};
    ASSERT_TRUE(Enabled(Command::FileExport));
    frame().Run(Command::FileExport);
    EXPECT_EQ(QImage(png).size(), g.Graph().size());
    EXPECT_TRUE(dialogs->messages.empty());
    ASSERT_FALSE(dialogs->saveSpecs.empty());
    EXPECT_EQ(dialogs->saveSpecs.front().defaultSuffix, "png");
    // A name that is no picture format is refused, and nothing is written.
    frame().Run(Command::FileExport);
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_TRUE(dialogs->messages.front().startsWith("Couldn't save the graph as"));
    EXPECT_FALSE(QFile::exists(Path("graph.gif2")));

    EXPECT_TRUE(SaveModalScreenshot([&] { frame().Run(Command::FilePrintPreview); },
                                    "graph-print-preview"));
}

}  // namespace
}  // namespace kivrun::test
