// The graph over a log: its numbers against the totals, running totals, what it reads, and
// the scene it lays out.
#include <gtest/gtest.h>

#include "store/PreferencesSet.h"
#include "summaries/GraphModel.h"
#include "support/DocFixture.h"

namespace kivrun {
namespace {

using test::Entry;

class GraphModelTest : public test::DocFixture {
  protected:
    void Add(const CDate& day, const char* sport, double distance, double seconds) {
        const WorkingEntry e =
            Entry(day.Month(), day.Day(), day.Year(), sport, seconds, "G", distance);
        ASSERT_NE(doc->AddEntry(e, nullptr), 0);
    }
    void Add(int m, int d, int y, const char* sport, double distance, double seconds) {
        Add(CDate(m, d, y), sport, distance, seconds);
    }
    // Over New Year (1 January 2021 was a Friday) and into February.
    void AddSeason() {
        Add(12, 30, 2020, "R", 6, 3000);
        Add(1, 3, 2021, "B", 40, 5400);
        Add(1, 5, 2021, "W", 0, 2700);
        Add(1, 7, 2021, "R", 3.5, 1800);
        Add(2, 14, 2021, "R", 10, 4800);
    }
    static int Slot(char letter) { return letter - 'A'; }
};

TEST_F(GraphModelTest, PeriodsHoldTheTotalsNumbers) {
    doc->PreferencesSet().SetGrandTotalUnits(2);  // km
    AddSeason();
    CGraphData data;
    data.Gather(*doc);
    using G = TotalsGrouping;
    // The week over New Year is one period of the graph, though the totals list its two
    // halves under their years.
    const GraphPeriod& week = data.Period(G::Week, CDate(12, 28, 2020), false);
    EXPECT_EQ(week.all.workouts, 2);
    EXPECT_NEAR(week.all.distance, 6 * 1.609344 + 40, 1e-9);
    EXPECT_EQ(week.all.seconds, 8400);
    EXPECT_NEAR(week.sports[Slot('R')].distance, 6 * 1.609344, 1e-9);
    EXPECT_EQ(week.sports[Slot('B')].distance, 40);
    // Weights have time but no distance: it counts for time, not for pace.
    const GraphPeriod& jan = data.Period(G::Month, CDate(1, 1, 2021), false);
    EXPECT_EQ(jan.all.workouts, 3);
    EXPECT_EQ(jan.all.seconds, 9900);
    EXPECT_EQ(jan.all.secondsWithDistance, 7200);
    EXPECT_EQ(jan.sports[Slot('W')].secondsWithDistance, 0);
    GrandTotal grand;
    doc->GetTotals(CDate(1, 1, 2021), CDate(1, 31, 2021), "m", &grand);
    EXPECT_NEAR(jan.all.distance, grand.distance, 1e-9);
    EXPECT_EQ(jan.all.workouts, grand.workouts);
    EXPECT_EQ(data.Period(G::Week, CDate(1, 18, 2021), false).all.workouts, 0);
    EXPECT_EQ(data.PeriodCount(G::Week), 7);
    EXPECT_EQ(data.PeriodCount(G::Month), 3);
    EXPECT_EQ(data.PeriodCount(G::Year), 2);
    ASSERT_EQ(data.Sports().size(), 3u);
    EXPECT_EQ(data.Sports()[1].name, "Road");
    EXPECT_EQ(data.DistanceUnitName(), "km");
}

TEST_F(GraphModelTest, RunningTotalsStartAgainEachYear) {
    Add(12, 14, 2020, "R", 5, 1800);
    Add(12, 30, 2020, "R", 6, 1800);  // the week that holds 1 January 2021
    Add(1, 13, 2021, "R", 7, 1800);
    CGraphData data;
    data.Gather(*doc);
    const int reads = data.Reads();
    using G = TotalsGrouping;
    auto running = [&](G g, CDate first) { return data.Period(g, first, true).all.distance; };
    EXPECT_EQ(running(G::Week, CDate(12, 14, 2020)), 5);
    EXPECT_EQ(running(G::Week, CDate(12, 21, 2020)), 5);  // nothing that week
    EXPECT_EQ(running(G::Week, CDate(12, 28, 2020)), 6);
    EXPECT_EQ(running(G::Week, CDate(1, 11, 2021)), 13);
    EXPECT_EQ(running(G::Month, CDate(12, 1, 2020)), 11);
    EXPECT_EQ(running(G::Month, CDate(1, 1, 2021)), 7);
    EXPECT_EQ(running(G::Year, CDate(1, 1, 2021)), 18);  // years run on from the first
    // Regrouping and running totals read nothing more.
    EXPECT_EQ(data.Reads(), reads);
}

TEST_F(GraphModelTest, ChangedDaysAreReadAgainAlone) {
    AddSeason();
    CGraphData data;
    data.Gather(*doc);
    Add(1, 4, 2021, "R", 2, 600);
    Add(3, 2, 2021, "W", 0, 600);  // later than any before
    data.RegatherDays(*doc, {CDate(1, 4, 2021), CDate(3, 2, 2021)});
    CGraphData fresh;
    fresh.Gather(*doc);
    for (TotalsGrouping g : {TotalsGrouping::Week, TotalsGrouping::Month}) {
        EXPECT_EQ(data.PeriodCount(g), fresh.PeriodCount(g));
        for (int i = 0; i < fresh.PeriodCount(g); ++i) {
            const CDate first = PeriodAfter(PeriodStart(*fresh.FirstDay(), g), g, i);
            EXPECT_EQ(data.Period(g, first, true).all, fresh.Period(g, first, true).all);
        }
    }
}

TEST_F(GraphModelTest, TheModelOpensOnTheLatestPeriodsAndKeepsItsPlace) {
    // One workout a week, run and ride in turn, each longer than the last.
    const CDate monday(1, 4, 2021);
    for (int week = 0; week < 60; ++week)
        Add(monday.AddDays(7 * week), week % 2 ? "R" : "B", 10 + week, 3600);
    CGraphModel model(*doc);
    model.Resize(800, 600);
    model.Open();
    EXPECT_EQ(model.PeriodCount(), 60);
    EXPECT_EQ(model.VisibleCount(), 9);
    EXPECT_EQ(model.First(), 51);
    const GraphScene& bars = model.Scene();
    ASSERT_EQ(bars.bars.size(), 9u);
    EXPECT_EQ(bars.title, "Distance By Week");
    EXPECT_EQ(bars.verticalLabel, "Distance (miles)");
    // The tallest bar in view sets the scale: 69 miles and a tenth more.
    EXPECT_EQ(model.Maximum(), 76);
    EXPECT_EQ(bars.bars.back().rect.x, 100 + 9 * 65 - 65 / 4);
    EXPECT_FALSE(bars.gridlines.empty());
    EXPECT_EQ(bars.gridlines.front().label, "5M");  // round, with the unit

    // A new workout after the last keeps the view on the latest periods.
    Add(monday.AddDays(7 * 61), "R", 5, 1800);
    model.ReloadDays({monday.AddDays(7 * 61)});
    EXPECT_EQ(model.PeriodCount(), 62);
    EXPECT_EQ(model.First(), model.ScrollMax());

    // Month grouping shows the month the first week in view was in.
    model.ScrollTo(10);
    const CDate shown = *model.PeriodFirstDay(model.First());
    model.SetGrouping(TotalsGrouping::Month);
    EXPECT_EQ(*model.PeriodFirstDay(model.First()), PeriodStart(shown, TotalsGrouping::Month));
    EXPECT_EQ(model.Maximum(), 0);  // laid out afresh
    model.SetGrouping(TotalsGrouping::Week);

    // Stacked per sport, then a pie of each period: slices close the circle.
    model.SetBySport(true);
    EXPECT_EQ(model.Scene().legend.size(), 2u);
    model.SetType(GraphType::Pie);
    const GraphScene& pies = model.Scene();
    ASSERT_FALSE(pies.slices.empty());
    EXPECT_EQ(pies.slices.back().endAngle, 360);
    EXPECT_FALSE(pies.axes);
    EXPECT_EQ(model.Settings().zoom, 100);

    // A double click on a period selects it; beside every period, nothing.
    model.SetType(GraphType::Bar);
    const int x = PeriodX(PlotRect(800, 600, true), model.Settings().zoom, 2);
    EXPECT_TRUE(model.SelectAt(x + 3, 300));
    ASSERT_TRUE(model.Scene().selection);
    EXPECT_EQ(model.Scene().selection->lines.back().rfind("All: \t", 0), 0u);
    EXPECT_EQ(*model.Selected(), *model.PeriodFirstDay(model.First() + 2));
    EXPECT_TRUE(model.SelectAt(5, 300));
    EXPECT_FALSE(model.Selected());
}

TEST_F(GraphModelTest, AnEmptyLogShowsTitlesAndAxesOnly) {
    CGraphModel model(*doc, ParseGraphState("1,0,3,1,1,65"));
    model.Resize(800, 600);
    model.Open();
    const GraphScene& s = model.Scene();
    EXPECT_EQ(model.PeriodCount(), 0);
    EXPECT_EQ(s.title, "Pace By Week");
    EXPECT_EQ(s.verticalLabel, "Pace (mph)");
    EXPECT_TRUE(s.lines.empty());
    EXPECT_TRUE(s.ticks.empty());
    EXPECT_TRUE(s.gridlines.empty());
    EXPECT_FALSE(model.SelectAt(200, 300));
}

TEST_F(GraphModelTest, APaceLineBreaksWhereThereWasNoDistance) {
    doc->PreferencesSet().SetGrandTotalPace(1);  // min/mile
    Add(1, 4, 2021, "R", 5, 2400);
    Add(1, 11, 2021, "W", 0, 2400);
    Add(1, 18, 2021, "R", 5, 2100);
    CGraphModel model(*doc, ParseGraphState("1,0,3,0,0,65"));
    model.Resize(800, 600);
    model.Open();
    const GraphScene& s = model.Scene();
    ASSERT_EQ(s.lines.size(), 2u);
    EXPECT_EQ(s.lines[0].points.size(), 1u);
    // 8:00 a mile sets the scale, stepped by half minutes.
    EXPECT_EQ(model.Maximum(), 528);
    EXPECT_DOUBLE_EQ(model.Step(), 30);
    EXPECT_EQ(s.gridlines.front().label, "0:30");
}

// A window too small for numbers prints a page that has them: the graph is laid out again for
// the page's size, and running totals mark where each year starts again.
TEST_F(GraphModelTest, LaidOutForAPageTheGraphFillsItWithANumberedAxis) {
    AddSeason();
    Add(12, 16, 2020, "R", 5, 1800);
    CGraphModel model(*doc, ParseGraphState("1,0,0,1,0,65"));  // cumulative line by week
    model.Resize(260, 180);
    model.Open();
    EXPECT_TRUE(model.Scene().gridlines.empty());  // 30 pixels of plot: no room for one
    model.Resize(768, 1008);  // letter paper, less its margins, at 96 to the inch
    model.ScrollToEnd();
    const GraphScene& page = model.Scene();
    EXPECT_EQ(page.plot, (GraphRect{100, 75, 768 - 150, 1008 - 150}));
    ASSERT_GE(page.gridlines.size(), 5u);
    EXPECT_EQ(page.gridlines[0].label, "2M");
    EXPECT_EQ(page.gridlines[1].label, "4M");
    // The week that holds 1 January starts 2021's running totals: the mark is half a period
    // before it.
    ASSERT_EQ(page.yearMarks.size(), 1u);
    EXPECT_EQ(page.yearMarks[0].year, "2021");
    EXPECT_EQ(page.yearMarks[0].x, PeriodX(page.plot, 65, 2 - model.First()) - 65 / 2);
}

TEST_F(GraphModelTest, TheSettingsAreWrittenOnlyWhenTheyChange) {
    const GraphSettings pie = ParseGraphState("2,1,3,0,1,100");
    EXPECT_EQ(SavedGraphSettings(*doc), GraphSettings{});
    SaveGraphSettings(*doc, pie);
    EXPECT_EQ(Rows("SELECT Value FROM Preferences WHERE Preference = 'StateGraphView'"),
              "2,1,3,0,1,100");
    EXPECT_EQ(SavedGraphSettings(*doc), pie);
    const std::int64_t stamp = doc->Database().sql().ChangeStamp();
    SaveGraphSettings(*doc, pie);
    EXPECT_EQ(doc->Database().sql().ChangeStamp(), stamp);
    // A log open for reading is never written, and nobody is told it cannot be.
    doc->OnCloseDocument();
    ASSERT_TRUE(doc->OnOpenDocument(path, CTamselDoc::OpenMode::ReadOnly));
    SaveGraphSettings(*doc, GraphSettings{});
    EXPECT_EQ(SavedGraphSettings(*doc), pie);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace kivrun
