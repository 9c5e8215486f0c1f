#include <gtest/gtest.h>

#include <tuple>

#include "prefs/GeneralPrefs.h"
#include "prefs/HtmlPrefs.h"
#include "store/ColumnSettingsSet.h"
#include "store/Criteria.h"
#include "store/PreferencesSet.h"
#include "support/DocFixture.h"
#include "values/ProgramState.h"

namespace kivrun::prefs {
namespace {

class GeneralPrefsTest : public test::DocFixture {
  protected:
    std::string Stored(const char* key) {
        CPreferencesSet p(&doc->Database());
        p.Open();
        return p.FindFirst(criteria::Is("Preference", key)) ? p.Value.get() : "(none)";
    }
    OptionalField Column(int id) {
        CColumnSettingsSet c(&doc->Database());
        c.Open();
        EXPECT_TRUE(c.FindColumn(id));
        return {c.ColumnFieldName, c.ColumnLabel};
    }
};

TEST_F(GeneralPrefsTest, LoadsTheSportsAndBringsNumbersIntoRange) {
    EXPECT_EQ(LoadGeneralPrefs(*doc).sports,
              (std::vector<std::string>{"Running", "Road", "Weights"}));
    doc->PreferencesSet().SetDaysBetweenBackup(0);
    doc->PreferencesSet().SetGrandTotalPace(9);
    EXPECT_EQ(LoadGeneralPrefs(*doc).backupDays, 1);
    EXPECT_EQ(LoadGeneralPrefs(*doc).grandTotalPace, 0);
}

TEST_F(GeneralPrefsTest, ChangingOnlyTheWeekStartStoresItEverywhereAndSendsHint11) {
    GeneralPrefs g = LoadGeneralPrefs(*doc);
    ASSERT_TRUE(ApplyGeneralPrefs(*doc, g, false));  // nothing changed: nothing told
    EXPECT_TRUE(view.hints.empty());
    EXPECT_EQ(Stored("DefaultSport"), "");
    g.weekStartDay = 0;
    ASSERT_TRUE(ApplyGeneralPrefs(*doc, g, false));
    EXPECT_EQ(ProgramState::Instance().WeekStartDay(), 0);
    EXPECT_EQ(Stored("WeekStartDay"), "0");
    EXPECT_EQ(view.kinds(), (std::vector<int>{11}));
    EXPECT_EQ(Stored("DaysBetweenBackup"), "7");
}

TEST_F(GeneralPrefsTest, StoresTheRestAndTheOptionalFieldsWithHint12) {
    GeneralPrefs g = LoadGeneralPrefs(*doc);
    g.defaultSport = "Road";
    g.backupDays = 30;
    g.grandTotalUnits = 2;
    g.grandTotalPace = 4;
    RenameOptionalField(g.fields[1], "Temp");
    RenameOptionalField(g.fields[0], "Cadence");
    ASSERT_TRUE(ApplyGeneralPrefs(*doc, g, true));
    EXPECT_EQ(Stored("DefaultSport"), "Road");
    EXPECT_EQ(Stored("DaysBetweenBackup"), "30");
    EXPECT_EQ(Stored("GrandTotalUnits"), "2");
    EXPECT_EQ(Stored("GrandTotalPace"), "4");
    EXPECT_EQ(Column(6), (OptionalField{"Cadence", "AHR"}));
    EXPECT_EQ(Column(7), (OptionalField{"Temp", "Tmp"}));
    EXPECT_EQ(view.kinds(), (std::vector<int>{12}));
    const GeneralPrefs back = LoadGeneralPrefs(*doc);
    EXPECT_EQ(
        std::tie(back.defaultSport, back.backupDays, back.grandTotalUnits, back.grandTotalPace,
                 back.fields),
        std::tie(g.defaultSport, g.backupDays, g.grandTotalUnits, g.grandTotalPace, g.fields));
}

TEST_F(GeneralPrefsTest, HtmlSettingsDefaultToEverythingShownAndRoundTrip) {
    HtmlPrefs h = LoadHtmlPrefs(*doc);
    EXPECT_EQ(h, HtmlPrefs{});
    EXPECT_EQ(Stored("HTMLShowWeeklyTotals"), "1");  // reading leaves the row behind
    h.browserTitle = "My <log>";
    h.heading = "Training";
    h.subheading = "Line one\nLine two";
    h.weeklyTotals = false;
    h.routineDetails = false;
    ASSERT_TRUE(ApplyHtmlPrefs(*doc, h));
    EXPECT_EQ(Stored("HTMLShowWeeklyTotals"), "0");
    EXPECT_EQ(Stored("HTMLShowYearlyTotals"), "1");
    EXPECT_EQ(LoadHtmlPrefs(*doc), h);
}

}  // namespace
}  // namespace kivrun::prefs
