#include "document/FilterState.h"

#include <gtest/gtest.h>

#include <string>

#include "values/Calendar.h"

namespace kivrun {
namespace {

class FilterStateTest : public ::testing::Test {
  protected:
    void SetUp() override { calendar::SetTodayForTesting(calendar::Ymd{2003, 6, 15}); }
    void TearDown() override { calendar::SetTodayForTesting(std::nullopt); }

    static std::string Repeat(const std::string& field, int times) {
        std::string out;
        for (int i = 0; i < times; ++i)
            out += field;
        return out;
    }

    static FilterState Full() {
        FilterState s;
        s.showAll = false;
        s.sports.fill(false);
        s.sports[0] = s.sports[25] = true;
        s.classes[1] = false;
        s.dateOn = s.distanceOn = s.timeOn = s.paceOn = s.routeOn = s.notesOn = true;
        s.repeatAllYears = true;
        s.dateOp = FilterState::kBetween;
        s.date1 = CDate(1, 5, 2003);
        s.date2 = CDate(12, 31, 2003);
        s.distanceOp = FilterState::kLess;
        s.distance1 = 10.5;
        s.distance2 = 7;
        s.timeOp = FilterState::kGreater;
        s.time1 = CElapsedTime(1, 8, 5.5);
        s.time2 = CElapsedTime(0, 45, 0);
        s.paceOp = FilterState::kBetween;
        s.pace1 = 450;
        s.pace2 = 7.5;
        s.routeOp = FilterState::kContains;
        s.route = "hill";
        s.notes = "easy";
        return s;
    }
};

TEST_F(FilterStateTest, NewStateAndItsSavedForm) {
    const FilterState s;
    EXPECT_TRUE(s.showAll);
    EXPECT_FALSE(s.AnyCriterion());
    EXPECT_EQ(s.Save(), "Sports:" + Repeat(",1", 26) + ",Classes:" + Repeat(",1", 26) +
                            ",Date:,0,-1,6/15/2003,6/15/2003,0,Distance:,0,-1,0,0"
                            ",Time:,0,-1,0:00:00,0:00:00,Pace:,0,-1,0,0,Route:,0,0,,Notes:,0,0,");
    // Nothing readable gives the new state, route and notes operators "Matches".
    for (const char* text : {"", "garbage", ",,,,", "Route:"}) {
        EXPECT_EQ(FilterState::Restore(text).Save(), s.Save()) << text;
    }
}

TEST_F(FilterStateTest, FullStateSavesFieldByFieldAndReadsBack) {
    const FilterState s = Full();
    const std::string saved = s.Save();
    EXPECT_EQ(saved, "Sports:,1" + Repeat(",0", 24) + ",1,Classes:,1,0" + Repeat(",1", 24) +
                         ",Date:,1,3,1/05/2003,12/31/2003,1,Distance:,1,2,10.5,7.0"
                         ",Time:,1,0,1:08:05.5,0:45:00,Pace:,1,3,450.0,7.5"
                         ",Route:,1,1,hill,Notes:,1,0,easy");
    const FilterState back = FilterState::Restore(saved);
    EXPECT_EQ(back.Save(), saved);
    EXPECT_EQ(back.time1, s.time1);
    EXPECT_EQ(back.date1, s.date1);
}

TEST_F(FilterStateTest, AnyRouteAndNotesTextSurvives) {
    const char* texts[] = {"a,b",  "say \"hi\"",     "O'Hare", "\"quoted\"",  "",      ",", "\"",
                           "\"\"", "x,Notes:,1,1,y", "Notes:", "line\nbreak", "trail,"};
    for (const char* text : texts) {
        FilterState s = Full();
        s.route = text;
        s.notes = text;
        const FilterState back = FilterState::Restore(s.Save());
        EXPECT_EQ(back.route, text);
        EXPECT_EQ(back.notes, text);
        EXPECT_TRUE(back.notesOn) << text;
    }
    FilterState s;
    s.route = "up, down";
    s.notes = "said \"go\"";
    EXPECT_NE(s.Save().find(",Route:,0,0,\"up, down\",Notes:,0,0,\"said \"\"go\"\"\""),
              std::string::npos);
}

TEST_F(FilterStateTest, ReadsTextsOfEarlierVersions) {
    // Written without quoting: the notes label and the end of the text still bound them.
    const std::string head = "Sports:" + Repeat(",1", 26) + ",Classes:" + Repeat(",1", 26);
    FilterState s = FilterState::Restore(head + ",Route:,1,1,up, then down,Notes:,1,1,a, b");
    EXPECT_EQ(s.route, "up, then down");
    EXPECT_EQ(s.notes, "a, b");
    s = FilterState::Restore(head + ",Route:,1,0,\"hill\",Notes:,0,0,\"say\" it\"");
    EXPECT_EQ(s.route, "hill");
    EXPECT_EQ(s.notes, "say\" it");
}

TEST_F(FilterStateTest, DamagedTextsGiveWhatCouldBeRead) {
    // Short sections, letters, huge numbers, an unclosed quote; no Pace section at all.
    const FilterState s = FilterState::Restore(
        "Sports:,0,x,1,Classes:,0,Date:,1,99999999999999999999,1/01/99999999,2/30/2003,7,"
        "Distance:,1,-7,1e999,nan,Time:,1,1,99999999999:99:99,abc,Route:,1,5,\"open");
    EXPECT_FALSE(s.sports[1]);
    EXPECT_TRUE(s.sports[2]);
    EXPECT_TRUE(s.sports[3]);
    EXPECT_FALSE(s.classes[0]);
    EXPECT_TRUE(s.classes[1]);
    EXPECT_EQ(s.dateOp, -1);
    EXPECT_EQ(s.date1, s.date2);  // the first date was after the second
    EXPECT_EQ(s.distanceOp, -1);
    EXPECT_EQ(s.distance1, 0.0);
    EXPECT_EQ(s.distance2, 0.0);
    EXPECT_GT(s.time1.TotalSeconds(), 0.0);
    EXPECT_EQ(s.paceOp, -1);
    EXPECT_EQ(s.routeOp, 0);
    EXPECT_EQ(s.route, "\"open");
    // Every cut of a full text reads; what was cut off is initial.
    const std::string saved = Full().Save();
    for (std::size_t n = 0; n <= saved.size(); ++n) {
        const FilterState s = FilterState::Restore(saved.substr(0, n));
        EXPECT_LE(s.date1, s.date2);
        if (n < saved.find("Notes:")) {
            EXPECT_FALSE(s.notesOn) << n;
        }
    }
}

TEST_F(FilterStateTest, DatePickersPushEachOther) {
    FilterState s;
    s.SetFirstDate(CDate(7, 1, 2003));
    EXPECT_EQ(s.date2, CDate(7, 1, 2003));
    s.SetSecondDate(CDate(1, 1, 2003));
    EXPECT_EQ(s.date1, CDate(1, 1, 2003));
    s.SetSecondDate(CDate(3, 1, 2003));
    EXPECT_EQ(s.date1, CDate(1, 1, 2003));

    struct Case {
        CDate first, second;
        int firstYear, lastYear;
        CDate expectFirst, expectSecond;
    } cases[] = {
        {{12, 1, 2002}, {12, 31, 2002}, 2001, 2003, {12, 1, 2001}, {12, 31, 2003}},
        {{2, 29, 2004}, {2, 29, 2004}, 2003, 2005, {2, 28, 2003}, {2, 28, 2005}},
        {{12, 1, 2002}, {1, 31, 2003}, 2003, 2003, {12, 1, 2003}, {12, 1, 2003}},
    };
    for (const auto& c : cases) {
        s.date1 = c.first;
        s.date2 = c.second;
        s.WidenToYears(c.firstYear, c.lastYear);
        EXPECT_EQ(s.date1, c.expectFirst) << c.first.Format(1);
        EXPECT_EQ(s.date2, c.expectSecond) << c.second.Format(1);
    }
}

}  // namespace
}  // namespace kivrun
