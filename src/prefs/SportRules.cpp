#include "prefs/SportRules.h"

#include "prefs/PrefsChoices.h"
#include "values/NumberFormat.h"

namespace kivrun::prefs {

namespace {

// Distance: 0 miles, 1 yards, 2 km, 3 meters, 4 N/A.
// Pace: 0 miles/hr, 1 min/mile, 2 min/100yds, 3 km/hr, 4 min/km, 5 min/100mtr, 6 N/A.
bool MetricDistance(int d) {
    return d == 2 || d == 3;
}
bool MetricPace(int p) {
    return p >= 3 && p <= 5;
}

constexpr SportDefaults kBuiltIn[] = {
    {"Road", 'B', 0, 0, 0},     {"MTB", 'M', 0, 0, 1},
    {"Indoor", 'I', 0, 0, 6},   {"Rowing", 'O', 3, 5, 4},
    {"Running", 'R', 0, 1, 2},  {"Skiing", 'K', 2, 3, 8},
    {"Swimming", 'S', 1, 2, 3}, {"Weights", 'W', kNoDistance, kNoPace, 5},
};

}  // namespace

const SportDefaults* BuiltInSport(std::string_view name) {
    for (const SportDefaults& d : kBuiltIn) {
        if (name == d.name) return &d;
    }
    return nullptr;
}

bool LetterSet::IsUsed(char letter) const {
    if (letter < 'A' || letter > 'Z') return false;
    return used_[static_cast<size_t>(letter - 'A')];
}

void LetterSet::Use(char letter, bool used) {
    if (letter >= 'A' && letter <= 'Z') used_[static_cast<size_t>(letter - 'A')] = used;
}

char LetterSet::Choose(char preferred) const {
    if (preferred >= 'A' && preferred <= 'Z' && !IsUsed(preferred)) return preferred;
    for (char c = 'A'; c <= 'Z'; ++c) {
        if (!IsUsed(c)) return c;
    }
    return 0;
}

char LetterSet::ChooseFor(std::string_view name) const {
    for (char c : name) {
        const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        if (upper >= 'A' && upper <= 'Z' && !IsUsed(upper)) return upper;
    }
    return Choose(0);
}

int LetterSet::FreeCount() const {
    int n = 0;
    for (bool u : used_)
        n += u ? 0 : 1;
    return n;
}

int DistanceForPace(int pace) {
    switch (pace) {
        case 0:
        case 1:
            return 0;
        case 2:
            return 1;
        case 3:
        case 4:
            return 2;
        case 5:
            return 3;
        default:
            return kNoDistance;
    }
}

int PaceForDistance(int distance) {
    switch (distance) {
        case 0:
            return 0;
        case 1:
            return 2;
        case 2:
            return 3;
        case 3:
            return 5;
        default:
            return kNoPace;
    }
}

bool IsSwimmingName(std::string_view name) {
    std::string lower(name);
    for (char& ch : lower)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return lower.find("swim") != std::string::npos;
}

UnitChoice ChooseDistance(UnitChoice current, int distance, bool swimming) {
    UnitChoice c{distance, current.pace};
    if (distance < 0) return c;
    // A pace of N/A against a real distance is as empty as no pace at all; likewise a real
    // pace cannot go with no distance.
    if (c.pace < 0 || distance == kNoDistance || c.pace == kNoPace) {
        // Minutes per 100 meters is a swimmer's pace; a runner or rower in meters thinks in
        // minutes per km.
        c.pace = distance == 3 && !swimming ? 4 : PaceForDistance(distance);
    } else if (MetricDistance(distance) != MetricPace(c.pace)) {
        c.pace = MetricDistance(distance) ? 3 : 0;
    }
    return c;
}

UnitChoice ChoosePace(UnitChoice current, int pace) {
    UnitChoice c{current.distance, pace};
    if (pace < 0) return c;
    if (c.distance < 0 || pace == kNoPace || c.distance == kNoDistance) {
        c.distance = DistanceForPace(pace);
    } else if (MetricPace(pace) != MetricDistance(c.distance)) {
        c.distance = MetricPace(pace) ? 2 : 0;
    }
    return c;
}

std::string TrimName(std::string_view name) {
    return TrimBlanks(name);
}

}  // namespace kivrun::prefs
