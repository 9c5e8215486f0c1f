#include <gtest/gtest.h>

#include "document/SampleLog.h"
#include "store/PreferencesSet.h"
#include "summaries/TotalsRows.h"
#include "summaries/TotalsTable.h"
#include "support/DocFixture.h"

namespace kivrun {
namespace {

class TotalsRowsTest : public test::DocFixture {
  protected:
    void Add(int m, int d, int y, const char* sport, double seconds, double distance = 5) {
        ASSERT_NE(doc->AddEntry(test::Entry(m, d, y, sport, seconds, "G", distance), nullptr), 0);
    }
};

std::vector<std::string> Lines(const TotalsResult& r) {
    std::vector<std::string> lines;
    for (const auto& row : r.rows)
        lines.push_back(row.text[0] + "|" + row.text[1] + "|" + row.text[2] + "|" + row.text[3] +
                        "|" + row.text[4] + (row.isTotal ? " T" : ""));
    return lines;
}

// One walk of the filtered set gives, for every grouping and week start, what the stored
// totals queries give; regrouping reads nothing more.
TEST_F(TotalsRowsTest, OneWalkSumsWhatTheTotalsQueriesSum) {
    const std::string sample = dir.File("sample.tlg");
    ASSERT_TRUE(WriteSampleLog(sample, 1500, 7, ui));
    CTamselDoc log(ui);
    ASSERT_TRUE(log.OnOpenDocument(sample, CTamselDoc::OpenMode::ReadOnly));
    // Newest first, as a log may keep it.
    EXPECT_TRUE(log.DateSortDescending());
    TotalsData data;
    data.Gather(log);
    const CDate first = *log.FirstEntryDay(), last = *log.LastEntryDay();
    for (int weekStart : {1, 0, 4}) {
        ProgramState::Instance().SetWeekStartDay(weekStart);
        const struct {
            TotalsGrouping grouping;
            const char* query;
        } groupings[] = {{TotalsGrouping::Week, "ww"},
                         {TotalsGrouping::Month, "m"},
                         {TotalsGrouping::Year, "yyyy"}};
        for (const auto& g : groupings) {
            SCOPED_TRACE(std::string(g.query) + " from day " + std::to_string(weekStart));
            const std::vector<TotalsRecord> ours =
                data.Records(g.grouping, log.GetCatalog(), weekStart);
            const std::vector<TotalsRecord> query = log.GetTotals(first, last, g.query);
            ASSERT_EQ(ours.size(), query.size());
            for (std::size_t i = 0; i < ours.size(); ++i) {
                EXPECT_EQ(ours[i].year, query[i].year);
                EXPECT_EQ(ours[i].period, query[i].period);
                EXPECT_EQ(ours[i].sport, query[i].sport);
                EXPECT_EQ(ours[i].sportName, query[i].sportName);
                EXPECT_EQ(ours[i].distanceShortName, query[i].distanceShortName);
                EXPECT_EQ(ours[i].workouts, query[i].workouts);
                EXPECT_NEAR(ours[i].distance, query[i].distance, 1e-6);
                EXPECT_NEAR(ours[i].time, query[i].time, 1e-6);
            }
        }
    }
    EXPECT_EQ(data.Reads(), 1);
}

TEST_F(TotalsRowsTest, AnEmptyLogSaysSo) {
    EXPECT_TRUE(BuildTotalsRows(*doc, TotalsGrouping::Week).noEntries);
}

TEST_F(TotalsRowsTest, WeeksAreLabelledAndTotalledAcrossNewYear) {
    // 1 January 2021 was a Friday; the week from Monday 28 December holds Sunday 3 January.
    Add(1, 3, 2021, "R", 3600, 6);
    Add(1, 5, 2021, "B", 5400, 40);
    Add(1, 6, 2021, "W", 2700, 0);  // a sport without distance
    Add(1, 7, 2021, "R", 1800, 3.55);
    EXPECT_EQ(Lines(BuildTotalsRows(*doc, TotalsGrouping::Week)),
              (std::vector<std::string>{
                  "||||",
                  "12/28/20 -||||",
                  "1/03/21|Running|1|6.0M|1:00",
                  " |Total:|1|6.0M|1:00 T",
                  "||||",
                  "1/04/21 -|Running|1|3.6M|0:30",
                  "1/10/21|Road|1|40.0K|1:30",
                  "|Weights|1|--|0:45",
                  " |Total:|3|28.4M|2:45 T",
              }));
}

TEST_F(TotalsRowsTest, MonthsAndYearsFollowTheGrandTotalUnit) {
    doc->PreferencesSet().SetGrandTotalUnits(2);  // km
    Add(1, 10, 2025, "R", 600, 1);
    Add(1, 20, 2026, "R", 600, 1);
    const auto months = Lines(BuildTotalsRows(*doc, TotalsGrouping::Month));
    ASSERT_EQ(months.size(), 8u);
    EXPECT_EQ(months[1], "January,||||");
    EXPECT_EQ(months[2], "2025|Running|1|1.0M|0:10");  // periods run oldest first
    EXPECT_EQ(months[3], " |Total:|1|1.6K|0:10 T");
    EXPECT_EQ(months[6], "2026|Running|1|1.0M|0:10");
    const auto years = Lines(BuildTotalsRows(*doc, TotalsGrouping::Year));
    EXPECT_EQ(years[1], "2025||||");
    EXPECT_EQ(years[2], "|Running|1|1.0M|0:10");
}

TEST_F(TotalsRowsTest, AWorkoutOfASportTheLogNoLongerHasIsListedButNotTotalled) {
    Add(6, 1, 2026, "R", 1800, 4);
    // A log from before relations kept workouts of a sport it had deleted.
    doc->Database().sql().Exec("DROP TRIGGER \"kivrun_rel_SportsToEntry_insert\"");
    doc->Database().sql().Exec(
        "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Distance, Time) "
        "VALUES (46175, 'X', 'G', 9, 600)");
    doc->ReapplyFilter();
    EXPECT_EQ(Lines(BuildTotalsRows(*doc, TotalsGrouping::Year)),
              (std::vector<std::string>{"||||", "2026||1|9.0|0:10", "|Running|1|4.0M|0:30",
                                        " |Total:|1|4.0M|0:30 T"}));
}

TEST_F(TotalsRowsTest, TheGroupingIsKeptInTheLog) {
    EXPECT_EQ(SavedTotalsGrouping(*doc), TotalsGrouping::Week);
    SaveTotalsGrouping(*doc, TotalsGrouping::Year);
    EXPECT_EQ(Rows("SELECT Value FROM Preferences WHERE Preference = 'TotalsGrouping'"), "2");
    EXPECT_EQ(SavedTotalsGrouping(*doc), TotalsGrouping::Year);
    EXPECT_EQ(ParseTotalsGrouping("month"), TotalsGrouping::Month);
    EXPECT_EQ(ParseTotalsGrouping("fortnight"), std::nullopt);
}

TEST_F(TotalsRowsTest, OnPaperTheListKeepsItsWidthsAndGreyTotalLines) {
    Add(3, 2, 2026, "R", 1800);
    auto rows =
        std::make_shared<std::vector<TotalsRow>>(BuildTotalsRows(*doc, TotalsGrouping::Month).rows);
    const TotalsPrintSource paper(rows, TotalsGrouping::Month);
    std::vector<std::string> titles;
    std::vector<int> widths;
    for (const PrintListColumn& c : paper.Columns(4000)) {
        titles.push_back(c.title);
        widths.push_back(c.width);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Month", "Sport", "#", "Distance", "Time"}));
    EXPECT_EQ(widths, (std::vector<int>{300, 700, 150, 300, 300}));
    ASSERT_EQ(paper.RowCount(), 4);
    EXPECT_EQ(paper.CellText(2, 1), "Running");
    EXPECT_EQ(paper.RowBackground(2), (Rgb{255, 255, 174}));
    EXPECT_EQ(paper.RowBackground(3), (Rgb{210, 210, 210}));
}

}  // namespace
}  // namespace kivrun
