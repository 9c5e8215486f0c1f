#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a watch, bike computer or app recorded, read from a FIT, TCX or GPX file. Plain values:
// the readers fill them, the import maps them onto workouts.
namespace kivrun::devices {

enum class FileKind { Fit, Tcx, Gpx, Unknown };

enum class ReadStatus {
    Ok,
    Salvaged,       // damaged, but what could be read is usable; `reason` says what was wrong
    NotAnActivity,  // a course, settings file, planned route...; `reason` names it
    Refused,        // nothing usable; `reason` says why in one line
};

// Instants are UTC seconds since 1970-01-01; durations seconds; distances metres.
struct Lap {
    std::int64_t start = 0;
    double elapsed = 0;
    double timer = 0;
    double distance = 0;
    std::optional<double> avgHeartRate;
    friend bool operator==(const Lap&, const Lap&) = default;
};

struct Session {
    std::int64_t start = 0;
    // Local time minus UTC at the start, when the file says (FIT only, within +-14 h).
    std::optional<int> localOffset;
    // FIT's sport and sub-sport numbers; TCX and GPX sports are put onto the same numbers.
    int sport = 0;
    int subSport = 0;
    // "running", "cycling/road"; a GPX type that is no known sport keeps its own word.
    std::string sportName;
    double elapsed = 0;
    double timer = 0;  // moving time: the device's timer, pauses left out
    double distance = 0;
    std::optional<double> avgHeartRate;
    std::vector<Lap> laps;
    // Pool swims: the lengths swum (rests left out) and their distance.
    int activeLengths = 0;
    double lengthsDistance = 0;
    std::string trackName;    // GPX track name, TCX activity name
    bool transition = false;  // a multisport transition: not a workout of its own
    bool rebuilt = false;     // no session in the file: built from its records and events
    friend bool operator==(const Session&, const Session&) = default;
};

struct Activity {
    FileKind kind = FileKind::Fit;
    ReadStatus status = ReadStatus::Refused;
    // One line for anything but Ok: what was wrong, or what the file is instead.
    std::string reason;
    // Everything noticed while reading, in order; `reason` joins them for a salvaged file.
    std::vector<std::string> problems;
    // The recording device as people call it ("Forerunner 910XT"); empty when unknown.
    std::string device;
    std::vector<Session> sessions;
};

const char* KindName(FileKind kind);        // "FIT", "TCX", "GPX", "unknown"
const char* StatusName(ReadStatus status);  // "ok", "salvaged", "not an activity", "refused"

// One line per session, or one line with the status and reason when the file holds none:
// "2012-09-29 15:02:19Z +02:00 running 3011/3007 s 9.84 km HR 155 laps 10 [Forerunner 910XT]".
std::string DescribeSession(const Session& session);
std::string DescribeActivity(const Activity& activity);

// For the readers: Refused with `whyEmpty` when no session was found, else Salvaged when
// problems were noted, else Ok. Negative or endless amounts become 0, heart rates outside
// 1-255 none.
void SettleStatus(Activity& activity, const std::string& whyEmpty);
// Notes a problem found outside the reader (a damaged packing) on a finished activity.
void AddProblem(Activity& activity, const std::string& problem);

}  // namespace kivrun::devices
