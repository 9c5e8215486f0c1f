#include "values/Units.h"

#include <gtest/gtest.h>

namespace kivrun {
namespace {

TEST(Units, ConvertsThroughMilesOrKm) {
    using namespace distance_unit;
    struct Case {
        double value;
        int from;
        int to;
        double expected;
    } cases[] = {
        {1, kMiles, kYards, 1760},
        {1760, kYards, kMiles, 1},
        {1, kMiles, kKm, 1.609344},
        {1, kMiles, kMeters, 1609.344},
        {1, kKm, kMiles, 0.621371192237334},
        {1000, kMeters, kKm, 1},
        {1, kKm, kYards, 1093.6132983377078},
        {5, kMiles, kNone, 5},
        {5, kNone, kKm, 5},
        {5, 9, kKm, 5},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ConvertDistance(c.value, c.from, c.to), c.expected, 1e-9)
            << c.from << "->" << c.to;
    }
}

TEST(Units, TenMilesInOneHourFifteenInEveryPaceUnit) {
    const std::pair<double, const char*> expected[] = {
        {8.0, "8.0"},        {450.0, "7:30"},           {4500.0 / 176, "0:25"},
        {12.874752, "12.9"}, {4500 / 16.09344, "4:39"}, {4500 / 160.9344, "0:27"},
        {0.0, "0"},
    };
    for (int unit = 0; unit <= 6; ++unit) {
        const PaceResult pace = ComputePace(unit, 4500, 10, distance_unit::kMiles);
        EXPECT_NEAR(pace.value, expected[unit].first, 1e-9) << unit;
        EXPECT_EQ(pace.text, expected[unit].second) << unit;
        EXPECT_EQ(IsTimePace(unit), unit == 1 || unit == 2 || unit == 4 || unit == 5);
    }
    EXPECT_EQ(ComputePace(1, 4500, 0, 0).text, "0");
    EXPECT_EQ(ComputePace(1, 0, 10, 0).text, "0");
    EXPECT_EQ(ComputePace(4, 4500, 16093.44, distance_unit::kMeters).text, "4:39");
}

TEST(Units, TimeFromDistanceAndPace) {
    using namespace pace_unit;
    using namespace distance_unit;
    struct Case {
        int paceUnit;
        double distance;
        int distanceUnit;
        const char* pace;
        const char* time;
    } cases[] = {
        {kMinutesPerMile, 5, kMiles, "7:30", "0:37:30"},  // the form's 7:30 reads as 7 h 30
        {kMilesPerHour, 10, kMiles, "8", "1:15:00"},
        {kMilesPerHour, 16.09344, kKm, "8", "1:15:00"},
        {kKmPerHour, 30, kKm, "0", "0:00:00"},
        {kMinutesPer100Meters, 1500, kMeters, "1:30", "0:22:30"},
        {kMinutesPer100Yards, 1650, kYards, "1:20", "0:22:00"},
        {pace_unit::kNone, 10, kMiles, "7:30", "0:00:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TimeFromDistanceAndPace(c.paceUnit, c.distance, c.distanceUnit, c.pace).Format(1),
                  c.time)
            << c.paceUnit << " " << c.pace;
    }
}

TEST(Units, StoredPaceTexts) {
    const std::tuple<int, double, const char*> cases[] = {
        {0, 8.0, "8.0"}, {1, 450, "7:30"}, {4, 4530, "75:30"},
        {5, 65, "1:05"}, {1, 0, "0:00"},   {6, 0, ""},
    };
    for (const auto& [unit, pace, text] : cases)
        EXPECT_EQ(PaceText(unit, pace), text) << unit;
}
}  // namespace
}  // namespace kivrun
