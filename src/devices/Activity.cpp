#include "devices/Activity.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "devices/UtcTime.h"

namespace kivrun::devices {
namespace {

std::string Offset(int seconds) {
    char text[16];
    const int minutes = std::abs(seconds) / 60;
    std::snprintf(text, sizeof text, "%c%02d:%02d", seconds < 0 ? '-' : '+', minutes / 60,
                  minutes % 60);
    return text;
}

// A damaged or odd file can give a negative or endless amount; none of them means anything.
void Sane(double& value) {
    if (!std::isfinite(value) || value < 0) value = 0;
}

void Sane(std::optional<double>& heartRate) {
    if (heartRate && !(*heartRate > 0 && *heartRate < 256)) heartRate.reset();
}

}  // namespace

const char* KindName(FileKind kind) {
    switch (kind) {
        case FileKind::Fit:
            return "FIT";
        case FileKind::Tcx:
            return "TCX";
        case FileKind::Gpx:
            return "GPX";
        case FileKind::Unknown:
            return "unknown";
    }
    return "";
}

const char* StatusName(ReadStatus status) {
    switch (status) {
        case ReadStatus::Ok:
            return "ok";
        case ReadStatus::Salvaged:
            return "salvaged";
        case ReadStatus::NotAnActivity:
            return "not an activity";
        case ReadStatus::Refused:
            return "refused";
    }
    return "";
}

std::string DescribeSession(const Session& s) {
    std::string line = FormatUtc(s.start) + "Z";
    line += s.localOffset ? " " + Offset(*s.localOffset) : " -";
    line += " " + s.sportName;
    if (s.transition) line += " (transition)";
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, " %.0f/%.0f s %.2f km", s.elapsed, s.timer,
                  s.distance / 1000.0);
    line += numbers;
    line += s.avgHeartRate ? " HR " + std::to_string(std::lround(*s.avgHeartRate)) : " HR -";
    line += " laps " + std::to_string(s.laps.size());
    if (s.activeLengths > 0) {
        std::snprintf(numbers, sizeof numbers, " lengths %d (%.0f m)", s.activeLengths,
                      s.lengthsDistance);
        line += numbers;
    }
    if (!s.trackName.empty()) line += " \"" + s.trackName + "\"";
    if (s.rebuilt) line += " (rebuilt)";
    return line;
}

std::string DescribeActivity(const Activity& activity) {
    std::string head = std::string(KindName(activity.kind)) + " " + StatusName(activity.status);
    if (activity.sessions.empty()) return head + ": " + activity.reason;
    std::string text;
    for (const Session& session : activity.sessions) {
        if (!text.empty()) text += '\n';
        text += head + " " + DescribeSession(session);
        if (!activity.device.empty()) text += " [" + activity.device + "]";
        if (activity.status != ReadStatus::Ok) text += " (" + activity.reason + ")";
    }
    return text;
}

void SettleStatus(Activity& activity, const std::string& whyEmpty) {
    for (Session& s : activity.sessions) {
        for (double* value : {&s.elapsed, &s.timer, &s.distance, &s.lengthsDistance})
            Sane(*value);
        Sane(s.avgHeartRate);
        for (Lap& lap : s.laps) {
            for (double* value : {&lap.elapsed, &lap.timer, &lap.distance})
                Sane(*value);
            Sane(lap.avgHeartRate);
        }
    }
    if (activity.sessions.empty()) {
        activity.status = ReadStatus::Refused;
        activity.reason = whyEmpty;
        for (const std::string& problem : activity.problems)
            activity.reason += "; " + problem;
        return;
    }
    activity.status = activity.problems.empty() ? ReadStatus::Ok : ReadStatus::Salvaged;
    activity.reason.clear();
    for (const std::string& problem : activity.problems)
        activity.reason += (activity.reason.empty() ? "" : "; ") + problem;
}

void AddProblem(Activity& activity, const std::string& problem) {
    activity.problems.insert(activity.problems.begin(), problem);
    if (activity.status == ReadStatus::Ok || activity.status == ReadStatus::Salvaged) {
        SettleStatus(activity, {});
    } else {
        activity.reason = problem + "; " + activity.reason;
    }
}

}  // namespace kivrun::devices
