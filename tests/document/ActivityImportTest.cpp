#include "document/ActivityImport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <ctime>

#include "values/Units.h"

namespace kivrun {
namespace {

SportInfo Sport(const char* abbrev, const char* name, int distanceUnit = distance_unit::kKm,
                int paceUnit = pace_unit::kMinutesPerKm) {
    SportInfo s;
    s.abbrev = abbrev;
    s.name = name;
    s.distanceUnit = distanceUnit;
    s.paceUnit = paceUnit;
    return s;
}

TEST(ActivityImport, DeviceSportsGoToTheLogSportNamedLikeThem) {
    const std::vector<SportInfo> usual = {Sport("R", "Trail Run"), Sport("U", "Running"),
                                          Sport("B", "Road Bike"), Sport("M", "Mountain Bike"),
                                          Sport("S", "Swim"),      Sport("W", "Weights")};
    const std::vector<SportInfo> plain = {Sport("C", "Cycling"), Sport("O", "Rowing"),
                                          Sport("X", "XC Ski"), Sport("K", "Hiking")};
    struct Case {
        const char* deviceSport;
        const std::vector<SportInfo>* sports;
        const char* expected;
    } cases[] = {
        {"running", &usual, "U"},        // a sport named as the device names it comes first
        {"running/trail", &usual, "R"},  // ... then the one that also names the sub-sport
        {"cycling/road", &usual, "B"},
        {"cycling/mountain", &usual, "M"},
        {"cycling/indoor", &usual, "B"},  // the first bike in the log's order
        {"e-biking", &usual, "B"},
        {"swimming/pool", &usual, "S"},
        {"training/strength", &usual, "W"},
        {"cycling/virtual", &plain, "C"},
        {"fitness equipment/indoor rowing", &plain, "O"},
        {"cross country skiing", &plain, "X"},
        {"HIKING", &plain, "K"},
        {"generic", &usual, ""},  // never guessed
        {"sport 99", &usual, ""},
        {"walking", &usual, ""},  // nothing fits
        {"rowing", &usual, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SportByName(c.deviceSport, *c.sports), c.expected) << c.deviceSport;
}

// The day of a start in local time, through the file's offset or the machine's zone rules.
class LocalTime : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* tz = std::getenv("TZ")) saved_ = tz;
    }
    void TearDown() override {
        if (saved_)
            setenv("TZ", saved_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    static void Zone(const char* tz) {
        setenv("TZ", tz, 1);
        tzset();
    }

  private:
    std::optional<std::string> saved_;
};

TEST_F(LocalTime, ARunAtHalfPastElevenOnNewYearsEveStaysInTheOldYear) {
    constexpr std::int64_t kNewYearUtc = 1704067200;  // 2024-01-01 00:00Z
    struct Case {
        const char* zone;
        std::int64_t utc;
        std::optional<int> offset;
        CDate day;
        const char* clock;
    } cases[] = {
        // The file's offset wins over the machine's zone.
        {"UTC", kNewYearUtc - 1800 - 3600, 3600, {12, 31, 2023}, "23:30"},
        {"Pacific/Auckland", kNewYearUtc - 1800 + 5 * 3600, -5 * 3600, {12, 31, 2023}, "23:30"},
        // No offset (TCX, GPX): the zone rules at that instant, summer time included.
        {"America/New_York", kNewYearUtc - 1800 + 5 * 3600, std::nullopt, {12, 31, 2023}, "23:30"},
        {"Pacific/Auckland", kNewYearUtc - 1800 - 13 * 3600, std::nullopt, {12, 31, 2023}, "23:30"},
        {"America/New_York", kNewYearUtc + 1800 + 5 * 3600, std::nullopt, {1, 1, 2024}, "00:30"},
        // An offset beyond 14 hours means nothing: the zone rules again.
        {"Europe/Berlin", kNewYearUtc - 1800 - 3600, 20 * 3600, {12, 31, 2023}, "23:30"},
        {"UTC", 0, std::nullopt, {1, 1, 1970}, "00:00"},
    };
    for (const Case& c : cases) {
        Zone(c.zone);
        const LocalStart start = LocalStartOf(c.utc, c.offset);
        EXPECT_EQ(start.day, c.day) << c.zone << " " << c.utc;
        EXPECT_EQ(ClockText(start.seconds), c.clock) << c.zone << " " << c.utc;
    }
}

devices::Session Session(double metres, double elapsed, double timer) {
    devices::Session s;
    s.start = 1711864800;  // 2024-03-31 06:00Z
    s.localOffset = 7200;
    s.sportName = "running";
    s.distance = metres;
    s.elapsed = elapsed;
    s.timer = timer;
    s.avgHeartRate = 151.6;
    s.laps = {{s.start, 1830.4, 1800.2, 5000, 150}, {s.start + 1830, 1770, 1769.6, 5000, 153}};
    return s;
}

TEST(ActivityImport, AWorkoutTakesTheSportsUnitsAndTheChosenTime) {
    devices::Session pool = Session(200, 300, 240);
    pool.activeLengths = 6;
    pool.lengthsDistance = 150;
    pool.laps.clear();
    using D = std::array<double, 5>;  // distance, time, pace, optional fields one and two
    using Splits = std::vector<SplitTime>;
    const Splits laps = {{1, "0:30:00"}, {2, "0:29:30"}};
    struct Case {
        devices::Session session;
        SportInfo sport;
        WorkoutRules rules;
        D values;
        Splits splits;
    } cases[] = {
        {Session(10000, 3600, 3570),
         Sport("R", "Running", distance_unit::kMiles, pace_unit::kMinutesPerMile),
         {DeviceTime::Moving, 1, "G"},
         D{6.21, 3570, 574, 152, 0},
         laps},
        {Session(10000, 3600, 3570),
         Sport("R", "Running"),
         {DeviceTime::Elapsed, 2, "G"},
         D{10, 3600, 360, 0, 152},
         Splits{{1, "0:30:30"}, {2, "0:29:30"}}},
        {Session(40000, 3600, 3600),
         Sport("B", "Bike", distance_unit::kKm, pace_unit::kKmPerHour),
         {DeviceTime::Moving, 0, "G"},
         D{40, 3600, 40.0, 0, 0},
         laps},
        // Pool swims count the lengths swum, rests left out.
        {pool,
         Sport("S", "Swim", distance_unit::kMeters, pace_unit::kMinutesPer100Meters),
         {DeviceTime::Moving, 1, "G"},
         D{150, 240, 160, 152, 0},
         {}},
        {pool,
         Sport("Y", "Swim yd", distance_unit::kYards, pace_unit::kMinutesPer100Yards),
         {DeviceTime::Moving, 1, "G"},
         D{164.04, 240, 146, 152, 0},
         {}},
        // A sport without distance has neither distance nor pace.
        {Session(500, 1800, 1700),
         Sport("W", "Weights", distance_unit::kNone, pace_unit::kNone),
         {DeviceTime::Moving, 1, "G"},
         D{0, 1700, 0, 152, 0},
         laps},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sport.name);
        const EntryDetail d = WorkoutOf(c.session, "Forerunner 910XT", c.sport, c.rules);
        EXPECT_EQ(d.entry.date, CDate(3, 31, 2024).ToSerial());
        EXPECT_NEAR(d.entry.distance, c.values[0], 1e-9);
        EXPECT_EQ(d.entry.time, c.values[1]);
        EXPECT_NEAR(d.entry.pace, c.values[2], 1e-9);
        EXPECT_EQ(d.entry.optionalOne, c.values[3]);
        EXPECT_EQ(d.entry.optionalTwo, c.values[4]);
        EXPECT_EQ(d.entry.notes, "Forerunner 910XT, 08:00");
        EXPECT_EQ(d.entry.cls, "G");
        EXPECT_EQ(d.splits, c.splits);
    }
}

TEST(ActivityImport, TheHeartRateGoesWhereTheLogSaysOrToTheFieldNamedAhr) {
    struct Case {
        const char* preference;
        const char* one;
        const char* two;
        int field;
    } cases[] = {{"", "AHR", "Weight", 1},  {"", "Weight", "AvgHR", 2}, {"", "Weight", "Temp", 0},
                 {"2", "AHR", "Weight", 2}, {"0", "AHR", "Weight", 0},  {" 1 ", "Temp", "", 1}};
    for (const Case& c : cases)
        EXPECT_EQ(HeartRateField(c.preference, c.one, c.two), c.field)
            << "'" << c.preference << "' " << c.one << " " << c.two;
}

TEST(ActivityImport, TwoRecordingsAreOneWorkoutWhenTheirTimesOverlap) {
    const std::int64_t t = 1639300553;
    WorkoutSpan watch{t, 355, 2.20, {355, 355}};
    WorkoutSpan app{t - 4, 370, 3.12, {370, 369}};  // the same ride from an app, 4 s earlier
    WorkoutSpan later{t + 400, 355, 2.20, {355, 355}};
    WorkoutSpan typed{std::nullopt, 0, 2.25, {360}};
    WorkoutSpan typedLonger{std::nullopt, 0, 2.20, {400}};
    struct Case {
        const WorkoutSpan* a;
        const WorkoutSpan* b;
        bool same;
    } cases[] = {
        {&watch, &app, true},          {&app, &watch, true},
        {&watch, &later, false},  // alike, but one after the other
        {&watch, &typed, true},   // no start to compare: within 3 % in distance and time
        {&watch, &typedLonger, false}, {&typed, &typedLonger, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProbablySameWorkout(*c.a, *c.b), c.same) << c.a->distance << "/" << c.b->distance;
}

}  // namespace
}  // namespace kivrun
