#include <gtest/gtest.h>

#include "prefs/PrefsChoices.h"
#include "prefs/SportRules.h"

namespace kivrun::prefs {
namespace {

// Distance: 0 miles, 1 yards, 2 km, 3 meters, 4 N/A.
// Pace: 0 miles/hr, 1 min/mile, 2 min/100yds, 3 km/hr, 4 min/km, 5 min/100mtr, 6 N/A.
TEST(SportRules, UnitsAndPaceStayConsistent) {
    struct Case {
        const char* what;
        UnitChoice before;
        bool pace;  // which list the user chose in
        int chosen;
        UnitChoice after;
    };
    const Case cases[] = {
        {"pace fills empty units", {-1, -1}, true, 1, {0, 1}},
        {"min/100yds gives yards", {-1, -1}, true, 2, {1, 2}},
        {"min/km gives km", {-1, -1}, true, 4, {2, 4}},
        {"min/100mtr gives meters", {-1, -1}, true, 5, {3, 5}},
        {"pace N/A gives units N/A", {-1, -1}, true, 6, {4, 6}},
        {"units fill empty pace", {-1, -1}, false, 0, {0, 0}},
        {"yards give min/100yds", {-1, -1}, false, 1, {1, 2}},
        {"km give km/hr", {-1, -1}, false, 2, {2, 3}},
        {"meters give min/100mtr", {-1, -1}, false, 3, {3, 5}},
        {"units N/A give pace N/A", {-1, -1}, false, 4, {4, 6}},
        {"pace N/A over miles", {0, 1}, true, 6, {4, 6}},
        {"units N/A over min/mile", {0, 1}, false, 4, {4, 6}},
        {"metric pace resets imperial units to km", {0, 1}, true, 5, {2, 5}},
        {"imperial pace resets metric units to miles", {3, 5}, true, 2, {0, 2}},
        {"metric units reset imperial pace to km/hr", {1, 2}, false, 3, {3, 3}},
        {"imperial units reset metric pace to miles/hr", {2, 4}, false, 1, {1, 0}},
        {"same system is left alone", {0, 1}, false, 1, {1, 1}},
        {"same system is left alone (metric)", {2, 3}, true, 4, {2, 4}},
        // A real pace cannot go with no distance, nor real units with a pace of N/A.
        {"a pace over units N/A", {4, 6}, true, 4, {2, 4}},
        {"units over pace N/A", {4, 6}, false, 0, {0, 0}},
    };
    for (const Case& c : cases) {
        const UnitChoice got =
            c.pace ? ChoosePace(c.before, c.chosen) : ChooseDistance(c.before, c.chosen);
        EXPECT_EQ(got, c.after) << c.what;
    }
    // Minutes per 100 meters is a swimmer's pace: meters give min/km to any other sport.
    const std::pair<const char*, int> named[] = {
        {"Open water SWIM", 5}, {"Swimming", 5}, {"Track", 4}, {"Kayak", 4}};
    for (const auto& [name, pace] : named)
        EXPECT_EQ(ChooseDistance({-1, -1}, 3, IsSwimmingName(name)), (UnitChoice{3, pace})) << name;
}

// Every name offered has defaults (what they fill in: SportsPageTest), and each default pair
// is consistent: choosing either again changes nothing.
TEST(SportRules, BuiltInSportsBringConsistentDefaults) {
    for (const char* name : kBuiltInSports) {
        const SportDefaults* d = BuiltInSport(name);
        ASSERT_NE(d, nullptr) << name;
        const UnitChoice units{d->distance, d->pace};
        EXPECT_EQ(ChoosePace(units, d->pace), units) << name;
        EXPECT_EQ(ChooseDistance(units, d->distance), units) << name;
    }
    EXPECT_EQ(BuiltInSport("running"), nullptr);  // exact names only
}

TEST(SportRules, LettersPreferTheUsualOneElseTheFirstFree) {
    LetterSet letters;
    EXPECT_EQ(letters.Choose('R'), 'R');
    letters.Use('R');
    letters.Use('A');
    EXPECT_EQ(letters.Choose('R'), 'B');
    for (char c = 'A'; c <= 'Z'; ++c)
        letters.Use(c);
    EXPECT_EQ(letters.Choose('R'), 0);
    EXPECT_EQ(letters.FreeCount(), 0);
    letters.Use('Q', false);
    EXPECT_EQ(letters.Choose(0), 'Q');
    // A name of the user's own: the first free letter of the name, else the first free one.
    LetterSet some;
    some.Use('K');
    some.Use('A');
    EXPECT_EQ(some.ChooseFor("kayak"), 'Y');
    EXPECT_EQ(some.ChooseFor("Kaka"), 'B');
    EXPECT_EQ(some.ChooseFor("3x3"), 'X');
}

TEST(SportRules, NamesAreTrimmedAtBothEnds) {
    EXPECT_EQ(TrimName("  Nordic walking \t"), "Nordic walking");
    EXPECT_EQ(TrimName("   "), "");
}

// Renaming an optional field (an offered name brings its label): GeneralPrefsTest.

}  // namespace
}  // namespace kivrun::prefs
