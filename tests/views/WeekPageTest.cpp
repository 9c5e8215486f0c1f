#include "views/WeekPage.h"

#include <gtest/gtest.h>

#include "PageSupport.h"
#include "document/TamselDoc.h"
#include "support/DocFixture.h"

namespace kivrun {
namespace {

using test::PageCatalog;
using test::Workout;

const CDate kMonday(3, 2, 2026);

TEST(WeekLayout, BoxesHeadersAndLines) {
    const WeekLayout layout(kMonday, 800, 600);
    EXPECT_EQ(layout.BoxWidth(), 390);
    EXPECT_EQ(layout.BoxHeight(), 145);
    EXPECT_EQ(layout.Box(5), (PixelRect{400, 155, 790, 300}));
    EXPECT_EQ(layout.HeaderRect(5), (PixelRect{405, 157, 775, 177}));
    EXPECT_EQ(layout.HeaderText(0), "Monday, Mar 2, 2026");
    EXPECT_EQ(layout.HeaderText(6), "Sunday, Mar 8, 2026");
    EXPECT_EQ(layout.HeaderText(WeekLayout::kSummaryBox), "Summary");
    EXPECT_EQ(
        layout.Lines(),
        (std::vector<PixelLine>{
            {10, 155, 790, 155}, {10, 300, 790, 300}, {10, 445, 790, 445}, {400, 10, 400, 590}}));
    EXPECT_EQ(layout.SummaryArea(), (PixelRect{405, 470, 789, 589}));
    EXPECT_EQ(layout.BoxOf(CDate(3, 8, 2026)), 6);
    EXPECT_EQ(layout.BoxOf(CDate(3, 9, 2026)), -1);
    EXPECT_EQ(layout.BoxOf(CDate(3, 1, 2026)), -1);
}

TEST(WeekFill, TheSameLinesInEitherDateOrder) {
    std::vector<EntryRow> rows = {Workout(1, CDate(3, 3, 2026)), Workout(2, CDate(3, 3, 2026)),
                                  Workout(3, CDate(3, 8, 2026), "B", 30, 3600, 30),
                                  Workout(4, CDate(3, 9, 2026))};  // next week
    rows[0].route = "Harbour";
    const WeekPage up = WeekPage::Fill(WeekLayout(kMonday, 800, 600), rows, PageCatalog());
    ASSERT_EQ(up.items.size(), 3u);
    EXPECT_EQ(up.items[0].cell, 1);
    EXPECT_EQ(std::make_pair(up.items[0].x, up.items[0].y), std::make_pair(15, 180));
    EXPECT_EQ(up.items[1].y, 199);
    EXPECT_EQ(up.items[0].label, "5M  0:40H  8:00mpm   Harbour");
    EXPECT_EQ(up.items[2].fitWidth, 390);
    std::reverse(rows.begin(), rows.end());
    EXPECT_EQ(test::Lines(WeekPage::Fill(WeekLayout(kMonday, 800, 600), rows, PageCatalog()).items),
              test::Lines(up.items));
}

TEST(WeekSummary, OneLinePerSportInAsManyColumnsAsFitAt37Pixels) {
    const std::vector<TotalsRecord> totals = {{"R", "Running", "M", 12.5, 4800, 2},
                                              {"W", "Weights", "", 0, 2700, 1},
                                              {"Y", "Kayak", "M", 6, 3600, 1},
                                              {"B", "Road", "K", 40, 5400, 1},
                                              {"S", "Swimming", "m", 1500, 1800, 1}};
    GrandTotal grand{60.34, CElapsedTime::FromSeconds(18300), 6};
    struct Case {
        int width, height, columns;
        std::vector<std::pair<int, int>> spots;  // where each sport's text starts
        std::pair<int, int> total;
    } cases[] = {
        {800, 600, 1, {{423, 470}, {423, 489}, {423, 508}, {423, 527}, {423, 546}}, {405, 570}},
        // Taken at the least size: a line a column, five columns of 38 pixels.
        {200, 300, 5, {{233, 281}, {271, 281}, {309, 281}, {347, 281}, {385, 281}}, {215, 318}},
    };
    for (const Case& c : cases) {
        WeekPage page{WeekLayout(kMonday, c.width, c.height), {}, {}, 0};
        WeekPage::Summarise(page, totals, grand, PageCatalog(), 0);
        EXPECT_EQ(page.summaryColumns, c.columns);
        ASSERT_EQ(page.summary.size(), c.spots.size() + 1) << c.width;
        for (std::size_t i = 0; i < c.spots.size(); ++i)
            EXPECT_EQ(std::make_pair(page.summary[i].x, page.summary[i].y), c.spots[i]);
        EXPECT_EQ(std::make_pair(page.summary.back().x, page.summary.back().y), c.total);
    }
    WeekPage page{WeekLayout(kMonday, 800, 600), {}, {}, 0};
    WeekPage::Summarise(page, totals, grand, PageCatalog(), 2);
    EXPECT_EQ(page.summary[0].text, "12.5M  1:20H  2x");
    EXPECT_EQ(page.summary[0].image, 2);
    EXPECT_EQ(page.summary[0].fitWidth, 364);
    EXPECT_EQ(page.summary[1].text, "0:45H  1x");  // no distance
    EXPECT_EQ(page.summary[2].text, "Y: 6M  1:00H  1x");
    EXPECT_EQ(page.summary[4].image, kMissingSportImage);
    EXPECT_EQ(page.summary.back().text, "Total:  60.3K  5:05H  6x");
    EXPECT_EQ(page.summary.back().image, -1);
    grand.distance = 0;
    EXPECT_EQ(GrandTotalText(grand, "M"), "Total:  5:05H  6x");
    WeekPage::Summarise(page, {}, grand, PageCatalog(), 0);
    EXPECT_TRUE(page.summary.empty());  // a week without workouts says nothing
}

TEST(WeekNavigation, PreviousStopsAtTheFirstWorkoutNextAtTheLaterOfLastAndToday) {
    const CDate earliest(3, 4, 2026), today(3, 20, 2026);
    EXPECT_FALSE(CanGoBack(kMonday, earliest));
    EXPECT_TRUE(CanGoBack(kMonday.AddDays(7), earliest));
    EXPECT_FALSE(CanGoBack(kMonday.AddDays(7), std::nullopt));
    EXPECT_TRUE(CanGoForward(kMonday, earliest, today));  // this week holds no workout
    EXPECT_FALSE(CanGoForward(CDate(3, 16, 2026), earliest, today));
    EXPECT_TRUE(CanGoForward(CDate(3, 16, 2026), CDate(3, 23, 2026), today));
    EXPECT_FALSE(CanGoForward(kMonday, std::nullopt, today));
}

// Through the log: only the filtered workouts and events of the shown days are read.
using PagesFromTheLog = test::DocFixture;

TEST_F(PagesFromTheLog, ReadTheShownDaysOnly) {
    WorkingEntry lift = test::Entry(3, 4, 2026, "W", 1800, "G", 0);
    for (const WorkingEntry& e :
         {test::Entry(3, 3, 2026, "R", 2400), lift, test::Entry(2, 1, 2026, "R", 3000),
          test::Entry(3, 10, 2026, "B", 3600)})
        ASSERT_NE(doc->AddEntry(e, nullptr), 0);
    WeekPage week = WeekPage::Read(*doc, kMonday, 800, 600);
    EXPECT_EQ(test::Lines(week.items),
              (std::vector<std::pair<int, std::string>>{{1, "5M  0:40H"}, {2, "0:30H"}}));
    ASSERT_EQ(week.summary.size(), 3u);
    EXPECT_EQ(week.summary.back().text, "Total:  5M  1:10H  2x");
    FilterState onlyRuns = doc->Filter();
    onlyRuns.showAll = false;
    onlyRuns.sports.fill(false);
    onlyRuns.sports['R' - 'A'] = true;
    doc->ApplyFilter(onlyRuns);
    week = WeekPage::Read(*doc, kMonday, 800, 600);
    EXPECT_EQ(week.items.size(), 1u);
    EXPECT_EQ(week.summary.back().text, "Total:  5M  0:40H  1x");
    // A window too narrow gets the week at its least size, the Summary with it.
    EXPECT_EQ(WeekPage::Read(*doc, kMonday, 100, 600).summary.size(), 2u);
}

}  // namespace
}  // namespace kivrun
