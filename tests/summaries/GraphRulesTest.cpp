// The graph's rules that need no log: saved settings, restrictions, zoom, scale, layout,
// values and periods.
#include <gtest/gtest.h>

#include "summaries/GraphData.h"
#include "summaries/GraphLayout.h"
#include "summaries/GraphSettings.h"
#include "values/ProgramState.h"

namespace kivrun {
namespace {

TEST(GraphRules, SavedStateIsReadFieldByField) {
    using T = GraphType;
    using Q = GraphQuantity;
    using G = TotalsGrouping;
    const struct {
        const char* text;
        GraphSettings expected;
    } cases[] = {
        {"2,1,3,0,1,100", {T::Pie, G::Month, Q::Pace, false, true, 100}},
        {"", {}},
        {"1,2", {T::Line, G::Year, Q::Distance, false, false, 65}},
        {"x,1,9,1,1,0", {T::Bar, G::Month, Q::Distance, true, true, 65}},
        {"1,0,1,0,0,8", {T::Line, G::Week, Q::Time, false, false, 65}},
        {"1,0,1,0,0,9", {T::Line, G::Week, Q::Time, false, false, 9}},
        {"1,0,1,2,-1,40abc", {T::Line, G::Week, Q::Time, false, false, 65}},
        {"1,1,1,1,0,70,5", {T::Line, G::Month, Q::Time, true, false, 70}},
        // The restrictions hold: a pie is per sport, a bar graph of pace is not.
        {"2,0,0,0,0,100", {T::Pie, G::Week, Q::Distance, false, true, 100}},
        {"0,0,3,0,1,65", {T::Bar, G::Week, Q::Pace, false, false, 65}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseGraphState(c.text), c.expected) << c.text;
        EXPECT_EQ(ParseGraphState(GraphStateText(c.expected)), c.expected) << c.text;
    }
    EXPECT_EQ(GraphStateText({T::Pie, G::Month, Q::Pace, false, true, 100}), "2,1,3,0,1,100");
}

TEST(GraphRules, TypesQuantitiesAndSeparationRestrictEachOther) {
    GraphSettings s;
    s = WithType(s, GraphType::Pie);
    EXPECT_EQ(s.zoom, 100);
    EXPECT_TRUE(s.bySport);
    EXPECT_FALSE(CanSeparateBySport(s));
    EXPECT_EQ(WithSeparation(s, false).bySport, true);
    s = WithType(s, GraphType::Line);
    EXPECT_EQ(s.zoom, 45);
    EXPECT_TRUE(s.bySport);
    s = WithQuantity(s, GraphQuantity::Pace);
    EXPECT_TRUE(s.bySport);  // a line of pace may be per sport
    s = WithType(s, GraphType::Bar);
    EXPECT_FALSE(s.bySport);
    EXPECT_FALSE(CanSeparateBySport(s));
    EXPECT_EQ(s.zoom, 45);
    EXPECT_TRUE(WithSeparation(WithQuantity(s, GraphQuantity::Time), true).bySport);
}

TEST(GraphRules, Zoom) {
    const struct {
        int zoom;
        int in;
        int out;
    } cases[] = {{3, 3, 3}, {9, 11, 9}, {10, 12, 9}, {65, 81, 49}, {100, 125, 75}};
    for (const auto& c : cases) {
        EXPECT_EQ(ZoomedIn(c.zoom), c.in) << c.zoom;
        EXPECT_EQ(ZoomedOut(c.zoom), c.out) << c.zoom;
    }
    GraphSettings s;
    s.zoom = 9;
    EXPECT_FALSE(CanZoomOut(s));
    s.zoom = 10;
    EXPECT_TRUE(CanZoomOut(s));
    s = WithType(s, GraphType::Pie);
    s.zoom = 30;
    EXPECT_FALSE(CanZoomOut(s));
    s.zoom = 31;
    EXPECT_TRUE(CanZoomOut(s));
    // Zooming in until one period is left shows it at half the plot's width.
    EXPECT_EQ(ZoomInWithin(65, 650, GraphType::Bar), 81);
    EXPECT_EQ(ZoomInWithin(300, 650, GraphType::Bar), 325);
    EXPECT_TRUE(CanZoomIn(2));
    EXPECT_FALSE(CanZoomIn(1));
    // A zoom kept from a wider window still shows one period.
    EXPECT_EQ(EffectiveZoom(400, 2000, GraphType::Bar), 200);
    EXPECT_EQ(EffectiveZoom(400, 65, GraphType::Bar), 65);
}

// Gridlines fall on round numbers in each quantity's own terms.
TEST(GraphRules, VerticalScale) {
    using F = AxisForm;
    const struct {
        F form;
        double raw;
        double step;
    } steps[] = {
        {F::Decimal, 66969, 100000},  {F::Decimal, 4.9, 5},       {F::Decimal, 5, 5},
        {F::Decimal, 5.01, 10},       {F::Decimal, 1.1, 2},       {F::Decimal, 2.1, 2.5},
        {F::Decimal, 0.34, 0.5},      {F::Decimal, 0, 0.1},       {F::Decimal, 0.05, 0.1},
        {F::Count, 12, 20},           {F::Count, 21, 25},         {F::Count, 3, 5},
        {F::Count, 1.5, 2},           {F::Count, 0, 1},           {F::Hours, 290, 300},
        {F::Hours, 3600, 3600},       {F::Hours, 3601, 7200},     {F::Hours, 8000, 9000},
        {F::Hours, 1000000, 1800000}, {F::MinutesSeconds, 7, 10}, {F::MinutesSeconds, 40, 60},
    };
    for (const auto& c : steps)
        EXPECT_DOUBLE_EQ(RoundedStep(c.form, c.raw), c.step) << c.raw;
    // 600 pixels hold 24 gridlines; 24 pixels none.
    EXPECT_DOUBLE_EQ(GridStep(F::Decimal, 240, 600), 10);
    EXPECT_DOUBLE_EQ(GridStep(F::Decimal, 240, 24), 0);
    EXPECT_EQ(RaisedMaximum(0, 10), 11);
    EXPECT_EQ(RaisedMaximum(20, 10), 20);
    EXPECT_EQ(RaisedMaximum(0, 0), 0);
    // A maximum of 0 draws nothing rather than dividing by it.
    EXPECT_EQ(ValueHeight(5, 0, 450), 0);
    EXPECT_EQ(ValueHeight(5, 10, 450), 225);
    EXPECT_EQ(ValueHeight(50, 10, 450), 450);
}

TEST(GraphRules, Layout) {
    EXPECT_EQ(PlotRect(800, 600, false), (GraphRect{100, 75, 650, 450}));
    EXPECT_EQ(PlotRect(800, 600, true), (GraphRect{100, 75, 550, 450}));
    EXPECT_EQ(PlotRect(150, 100, false), (GraphRect{100, 75, 35, 35}));
    EXPECT_EQ(VisiblePeriods(650, 65, GraphType::Bar), 9);
    EXPECT_EQ(VisiblePeriods(650, 100, GraphType::Pie), 5);
    // The first period in view stands a zoom in; a line graph's one before it at the edge.
    EXPECT_EQ(PeriodX({100, 75, 650, 450}, 65, 0), 165);
    EXPECT_EQ(PeriodX({100, 75, 650, 450}, 65, -1), 100);
    // Every period labelled from zoom 60; below, every 75 / zoom-th.
    EXPECT_TRUE(LabelsPeriod(7, 60));
    EXPECT_TRUE(LabelsPeriod(6, 25));
    EXPECT_FALSE(LabelsPeriod(7, 25));
    EXPECT_EQ(PieRadius(100, 650, 450), 45);
    EXPECT_EQ(PieRadius(100, 650, 60), 27);
    EXPECT_EQ(SliceEndAngle(1, 4), 90);
    EXPECT_EQ(SliceEndAngle(1, 0), 0);
}

TEST(GraphRules, PaceInEachUnit) {
    // 10 miles in 1:15:00, and 10 km in the same time.
    const GraphCell miles{10, 4500, 4500, 1};
    const struct {
        int distanceUnit;
        int pace;
        double value;
        const char* text;
    } cases[] = {
        {0, 0, 8.0, "8.0"},
        {0, 1, 450, "7:30"},
        {0, 2, 4500 / 176.0, "0:25"},
        {0, 3, 16.09344 / 1.25, "12.9"},
        {0, 4, 4500 / 16.09344, "4:39"},
        {0, 5, 4500 / 160.9344, "0:27"},
        {2, 1, 4500 / (10 * 0.621371192237334), "12:04"},
        {2, 5, 45, "0:45"},
    };
    for (const auto& c : cases) {
        const GraphValue v = CellValue(miles, GraphQuantity::Pace, {c.distanceUnit, c.pace, ""});
        EXPECT_NEAR(v.value, c.value, 1e-9) << c.pace;
        EXPECT_EQ(v.text, c.text) << c.pace;
    }
    // Time without distance has no pace; nor has distance without time.
    for (const GraphCell& cell : {GraphCell{0, 3600, 0, 1}, GraphCell{5, 0, 0, 1}}) {
        const GraphValue v = CellValue(cell, GraphQuantity::Pace, {0, 1, ""});
        EXPECT_EQ(v.value, 0);
        EXPECT_EQ(v.text, "");
    }
    EXPECT_EQ(CellValue(miles, GraphQuantity::Distance, {}).text, "10.0");
    EXPECT_EQ(CellValue(miles, GraphQuantity::Time, {}).text, "1:15");
    EXPECT_EQ(CellValue(miles, GraphQuantity::Workouts, {}).text, "1");
    EXPECT_EQ(AxisValueText(4800, GraphQuantity::Time, {}), "1:20");
    EXPECT_EQ(AxisValueText(450, GraphQuantity::Pace, {0, 1, ""}), "7:30");
    EXPECT_EQ(AxisValueText(2.5, GraphQuantity::Distance, {2, 4, "K"}), "2.5K");
    EXPECT_EQ(AxisValueText(1500000, GraphQuantity::Distance, {3, 5, "m"}), "1500000m");
    EXPECT_EQ(AxisValueText(25, GraphQuantity::Workouts, {}), "25");
}

TEST(GraphRules, Periods) {
    ProgramState::Instance().Reset();  // weeks start on Monday
    using G = TotalsGrouping;
    const CDate friday(1, 1, 2021);
    EXPECT_EQ(PeriodStart(friday, G::Week), CDate(12, 28, 2020));
    EXPECT_EQ(PeriodStart(CDate(2, 17, 2021), G::Month), CDate(2, 1, 2021));
    EXPECT_EQ(PeriodStart(CDate(2, 17, 2021), G::Year), CDate(1, 1, 2021));
    EXPECT_EQ(PeriodAfter(CDate(11, 1, 2020), G::Month, 3), CDate(2, 1, 2021));
    EXPECT_EQ(PeriodAfter(CDate(1, 1, 2021), G::Month, -1), CDate(12, 1, 2020));
    EXPECT_EQ(PeriodsBetween(CDate(12, 28, 2020), CDate(1, 11, 2021), G::Week), 2);
    EXPECT_EQ(PeriodsBetween(CDate(1, 11, 2021), CDate(12, 28, 2020), G::Week), -2);
    EXPECT_EQ(PeriodsBetween(CDate(11, 1, 2020), CDate(2, 1, 2021), G::Month), 3);
    // The week that holds 1 January starts the new year's running totals.
    EXPECT_EQ(CumulativeYear(CDate(12, 28, 2020), G::Week), 2021);
    EXPECT_EQ(CumulativeYear(CDate(12, 21, 2020), G::Week), 2020);
    EXPECT_EQ(PeriodAxisLabel(CDate(12, 28, 2020), G::Week), "12/28/20");
    EXPECT_EQ(PeriodAxisLabel(CDate(1, 1, 2021), G::Month), "Jan 2021");
    EXPECT_EQ(PeriodHeading(CDate(12, 28, 2020), G::Week), "12/28/20 - 1/03/21");
    EXPECT_EQ(PeriodHeading(CDate(1, 1, 2021), G::Month), "January 2021");
    EXPECT_EQ(SportSlot("A"), 0);
    EXPECT_EQ(SportSlot("Z"), 25);
    EXPECT_EQ(SportSlot("a"), -1);
    // The titles and axis labels of distance and pace: GraphModelTest's scenes.
    EXPECT_EQ(GraphTitle(GraphQuantity::Pace, G::Month), "Pace By Month");
    EXPECT_EQ(VerticalAxisLabel(GraphQuantity::Workouts, "miles", "mpm"), "Workouts");
}

}  // namespace
}  // namespace kivrun
