#include "document/ActivityImport.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "values/ElapsedTime.h"
#include "values/NumberFormat.h"
#include "values/Units.h"

namespace kivrun {
namespace {

constexpr int kMaxOffset = 14 * 3600;
// 1 January 1970 as a stored date value.
constexpr double kUnixEpochSerial = 25569;
constexpr std::size_t kRouteSize = 250;        // characters of the Route field
constexpr std::size_t kDeviceSportSize = 100;  // of the DeviceSport fields

std::string Lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> Words(const std::string& name) {
    std::vector<std::string> words;
    std::string word;
    for (char c : Lowered(name) + ' ') {
        if (c == ' ' || c == '/' || c == '\t') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

// How log sports are commonly named for a device's sport (by its full name first, then by the
// sport alone).
struct NameRule {
    const char* deviceSport;
    std::vector<const char*> beginnings;
};
const std::vector<NameRule>& NameRules() {
    static const std::vector<NameRule> rules = {
        {"running", {"run", "jog"}},
        {"cycling", {"cycl", "bik", "rid", "bicycl"}},
        {"e-biking", {"e-bik", "ebik", "cycl", "bik", "rid"}},
        {"swimming", {"swim"}},
        {"rowing", {"row"}},
        {"fitness equipment/indoor rowing", {"row", "erg"}},
        {"fitness equipment/elliptical", {"ellipt"}},
        {"training/strength", {"weight", "strength"}},
        {"walking", {"walk"}},
        {"hiking", {"hik", "hike", "trek"}},
        {"cross country skiing", {"ski", "nordic", "xc"}},
        {"alpine skiing", {"ski", "alpine"}},
        {"snowboarding", {"snowboard"}},
        {"snowshoeing", {"snowsho"}},
        {"inline skating", {"skat", "inline"}},
        {"ice skating", {"skat"}},
        {"paddling", {"paddl", "kayak", "canoe"}},
        {"kayaking", {"kayak", "paddl"}},
        {"canoeing", {"canoe", "paddl"}},
        {"stand up paddleboarding", {"sup", "paddl"}},
        {"rock climbing", {"climb"}},
        {"mountaineering", {"mountaineer", "climb"}},
    };
    return rules;
}

const NameRule* RuleFor(const std::string& deviceSport) {
    for (const NameRule& rule : NameRules())
        if (deviceSport == rule.deviceSport) return &rule;
    return nullptr;
}

bool WordBegins(const std::vector<std::string>& words, const std::string& beginning) {
    return std::any_of(words.begin(), words.end(),
                       [&](const std::string& w) { return w.rfind(beginning, 0) == 0; });
}

// Cuts text to at most n characters of UTF-8, never inside one.
std::string CutCharacters(const std::string& text, std::size_t n) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (chars++ == n) return text.substr(0, i);
    }
    return text;
}

bool Within3Percent(double a, double b) {
    return std::fabs(a - b) <= 0.03 * std::max(std::fabs(a), std::fabs(b));
}

}  // namespace

DeviceTime DeviceTimeFromText(const std::string& text) {
    return Lowered(TrimBlanks(text)) == "elapsed" ? DeviceTime::Elapsed : DeviceTime::Moving;
}

const char* DeviceTimeText(DeviceTime time) {
    return time == DeviceTime::Elapsed ? "elapsed" : "moving";
}

int HeartRateField(const std::string& preference, const std::string& fieldOneName,
                   const std::string& fieldTwoName) {
    const std::string chosen = TrimBlanks(preference);
    if (chosen == "0" || chosen == "1" || chosen == "2") return chosen[0] - '0';
    int field = 1;
    for (const std::string& name : {fieldOneName, fieldTwoName}) {
        const std::string n = Lowered(TrimBlanks(name));
        if (n == "ahr" || n == "avghr") return field;
        ++field;
    }
    return 0;
}

LocalStart LocalStartOf(std::int64_t utc, std::optional<int> fileOffset) {
    std::int64_t local = utc;
    if (fileOffset && std::abs(*fileOffset) <= kMaxOffset) {
        local += *fileOffset;
    } else {
        const std::time_t t = static_cast<std::time_t>(utc);
        std::tm parts{};
        if (localtime_r(&t, &parts)) local += parts.tm_gmtoff;
    }
    // Floor division: a start before 1970 still falls on its own day.
    std::int64_t days = local / 86400;
    if (local % 86400 < 0) --days;
    LocalStart start;
    start.day = CDate::FromSerial(kUnixEpochSerial + static_cast<double>(days));
    start.seconds = static_cast<int>(local - days * 86400);
    return start;
}

std::string ClockText(int secondsOfDay) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", secondsOfDay / 3600 % 24, secondsOfDay / 60 % 60);
    return text;
}

std::string SportByName(const std::string& deviceSport, const std::vector<SportInfo>& sports) {
    const std::string full = Lowered(deviceSport);
    const std::size_t slash = full.find('/');
    const std::string base = full.substr(0, slash);
    if (base.empty() || base == "generic") return {};
    const NameRule* rule = RuleFor(full);
    if (!rule) rule = RuleFor(base);
    std::vector<const SportInfo*> fitting;
    const SportInfo* named = nullptr;
    for (const SportInfo& s : sports) {
        const std::string name = Lowered(TrimBlanks(s.name));
        if (name == full) return s.abbrev;
        const std::vector<std::string> words = Words(name);
        const bool fits = rule && std::any_of(rule->beginnings.begin(), rule->beginnings.end(),
                                              [&](const char* b) { return WordBegins(words, b); });
        if (name == base && !named) named = &s;
        if (fits || name == base) fitting.push_back(&s);
    }
    // "running/trail" goes to "Trail Run" rather than "Running", "cycling/mountain" to
    // "Mountain Bike" rather than "Road Bike".
    if (slash != std::string::npos) {
        const std::vector<std::string> sub = Words(full.substr(slash + 1));
        if (!sub.empty() && sub.front().size() >= 3)
            for (const SportInfo* s : fitting)
                if (WordBegins(Words(s->name), sub.front())) return s->abbrev;
    }
    if (named) return named->abbrev;
    return fitting.empty() ? std::string() : fitting.front()->abbrev;
}

double SessionMetres(const devices::Session& s) {
    return s.activeLengths > 0 && s.lengthsDistance > 0 ? s.lengthsDistance : s.distance;
}

double SessionSeconds(const devices::Session& s, DeviceTime time) {
    const double chosen = time == DeviceTime::Elapsed ? s.elapsed : s.timer;
    return std::round(chosen > 0 ? chosen : std::max(s.elapsed, s.timer));
}

double LapSeconds(const devices::Lap& lap, DeviceTime time) {
    const double chosen = time == DeviceTime::Elapsed ? lap.elapsed : lap.timer;
    return std::round(chosen > 0 ? chosen : std::max(lap.elapsed, lap.timer));
}

EntryDetail WorkoutOf(const devices::Session& s, const std::string& device, const SportInfo& sport,
                      const WorkoutRules& rules) {
    EntryDetail d;
    EntryRow& e = d.entry;
    const LocalStart start = LocalStartOf(s.start, s.localOffset);
    e.date = start.day.ToSerial();
    e.sport = sport.abbrev;
    e.cls = rules.cls;
    e.time = SessionSeconds(s, rules.time);
    if (sport.distanceUnit >= distance_unit::kMiles && sport.distanceUnit < distance_unit::kNone) {
        const double km = SessionMetres(s) / 1000.0;
        e.distance = Round(ConvertDistance(km, distance_unit::kKm, sport.distanceUnit), 2);
        // Through the pace's text, as the entry form does.
        const PaceResult pace = ComputePace(sport.paceUnit, e.time, e.distance, sport.distanceUnit);
        e.pace = IsTimePace(sport.paceUnit) ? CElapsedTime(":" + pace.text).TotalSeconds()
                                            : TextToDouble(pace.text);
    }
    if (s.avgHeartRate && rules.heartRateField != 0)
        (rules.heartRateField == 1 ? e.optionalOne : e.optionalTwo) = std::round(*s.avgHeartRate);
    e.route = CutCharacters(s.trackName, kRouteSize);
    const std::string clock = ClockText(start.seconds);
    e.notes = device.empty() ? clock : device + ", " + clock;
    int number = 0;
    for (const devices::Lap& lap : s.laps)
        d.splits.push_back(
            {++number, CElapsedTime::FromSeconds(LapSeconds(lap, rules.time)).Format(5)});
    return d;
}

std::string StoredDeviceSport(const std::string& deviceSport) {
    return CutCharacters(deviceSport, kDeviceSportSize);
}

bool ProbablySameWorkout(const WorkoutSpan& a, const WorkoutSpan& b) {
    if (a.start && b.start) {
        const double aEnd = static_cast<double>(*a.start) + std::max(a.elapsed, 1.0);
        const double bEnd = static_cast<double>(*b.start) + std::max(b.elapsed, 1.0);
        return static_cast<double>(*a.start) < bEnd && static_cast<double>(*b.start) < aEnd;
    }
    if (!Within3Percent(a.distance, b.distance)) return false;
    for (double x : a.times)
        for (double y : b.times)
            if (x > 0 && y > 0 && Within3Percent(x, y)) return true;
    return false;
}

}  // namespace kivrun
