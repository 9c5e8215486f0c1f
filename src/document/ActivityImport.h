#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "devices/Activity.h"
#include "store/Rows.h"
#include "values/Date.h"

// How an activity from a watch or app file becomes a workout of the log: each rule a plain
// function of what it is given.
namespace kivrun {

// Which of an activity's times a workout takes: the moving (timer) time, pauses left out, or
// the whole elapsed time. Kept in the log as the preference "DeviceTime".
enum class DeviceTime { Moving, Elapsed };
inline constexpr const char* kDeviceTimePreference = "DeviceTime";
// Where the average heart rate goes: "1" or "2" for an optional field, "0" nowhere; empty
// (as in a log that never chose) for the optional field named AHR, if there is one.
inline constexpr const char* kDeviceHeartRatePreference = "DeviceHeartRate";

// "elapsed" in any case gives Elapsed; anything else Moving.
DeviceTime DeviceTimeFromText(const std::string& text);
const char* DeviceTimeText(DeviceTime time);  // "moving", "elapsed"

// The optional field (1 or 2) that takes the average heart rate, 0 for none: the one the
// preference names, else the one whose name is AHR or AvgHR (whose label is AHR).
int HeartRateField(const std::string& preference, const std::string& fieldOneName,
                   const std::string& fieldTwoName);

// The local calendar day and clock time of a start.
struct LocalStart {
    CDate day{1, 1, 1970};
    int seconds = 0;  // since local midnight
};
// With the file's own offset from UTC when it has one within +-14 h; else with the machine's
// time zone rules for that instant (TCX and GPX give UTC only).
LocalStart LocalStartOf(std::int64_t utc, std::optional<int> fileOffset);
// "17:02"
std::string ClockText(int secondsOfDay);

// The log sport a device sport ("running", "cycling/road") goes to by its name: of the sports
// named like it or with a word that begins as the sport's usual names do (Run..., Cycl...,
// Bik..., Rid..., Swim...), the one that also names the sub-sport, else the one named like
// it, else the first in the log's order. Empty when none fits; "generic" is never guessed.
std::string SportByName(const std::string& deviceSport, const std::vector<SportInfo>& sports);

// What the log says about how an activity becomes a workout.
struct WorkoutRules {
    DeviceTime time = DeviceTime::Moving;
    int heartRateField = 0;  // 1 OptionalOne, 2 OptionalTwo, 0 nowhere
    std::string cls;         // the class of new workouts
};

// Metres: the lengths swum for a pool swim, else the distance the device measured.
double SessionMetres(const devices::Session& session);
// Whole seconds of the chosen time; the other one when the file lacks it.
double SessionSeconds(const devices::Session& session, DeviceTime time);
double LapSeconds(const devices::Lap& lap, DeviceTime time);

// The workout of one session in a log sport: the local day; the distance in the sport's unit
// (none for a sport without one); the chosen time; the pace as the entry form computes it;
// the laps as split times; the heart rate in its optional field; the track's name as the
// route; and a notes line naming the device and the local start ("Forerunner 910XT, 17:02").
EntryDetail WorkoutOf(const devices::Session& session, const std::string& device,
                      const SportInfo& sport, const WorkoutRules& rules);

// A device sport as the log keeps it: cut to the 100 characters its tables hold (a GPX file's
// type is any text).
std::string StoredDeviceSport(const std::string& deviceSport);

// What the log keeps of an imported activity, to know it again.
struct ActivityFingerprint {
    std::int64_t start = 0;  // UTC seconds
    double elapsed = 0;      // seconds
    std::string deviceSport;
    double metres = 0;
    std::string fileName;  // without its folder
};

// A workout made from an activity, with what the log keeps of the activity.
struct ImportedWorkout {
    EntryDetail workout;
    ActivityFingerprint fingerprint;
};

// One recording of a workout against another: true when both starts are known and their
// times overlap; when either start is unknown (a typed workout), when distance and time are
// within 3 %.
struct WorkoutSpan {
    std::optional<std::int64_t> start;  // UTC seconds
    double elapsed = 0;
    double distance = 0;        // any one unit for both
    std::vector<double> times;  // seconds; any one of them may match
};
bool ProbablySameWorkout(const WorkoutSpan& a, const WorkoutSpan& b);

}  // namespace kivrun
