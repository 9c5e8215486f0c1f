#pragma once

#include <map>
#include <string>

#include "document/ActivityImport.h"

namespace kivrun {
class CTamselDoc;
}

namespace kivrun::prefs {

// What the General page shows and edits of importing activity files.
struct ActivityPrefs {
    DeviceTime time = DeviceTime::Moving;
    int heartRateField = 0;                           // 1, 2, or 0 for nowhere
    std::map<std::string, std::string> deviceSports;  // device sport -> log sport's letter
    friend bool operator==(const ActivityPrefs&, const ActivityPrefs&) = default;
};

ActivityPrefs LoadActivityPrefs(CTamselDoc& doc);

// Stores what differs from before: the time, the heart rate field (from then on chosen, no
// longer following the field named AHR) and the device sports. False when the log refused
// (the user was told).
bool ApplyActivityPrefs(CTamselDoc& doc, const ActivityPrefs& prefs, const ActivityPrefs& before);

}  // namespace kivrun::prefs
