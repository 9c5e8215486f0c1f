#include "prefs/ActivityPrefs.h"

#include "document/ActivityBatch.h"
#include "document/TamselDoc.h"

namespace kivrun::prefs {

ActivityPrefs LoadActivityPrefs(CTamselDoc& doc) {
    const WorkoutRules rules = WorkoutRulesOf(doc);
    return {rules.time, rules.heartRateField, doc.DeviceSports()};
}

bool ApplyActivityPrefs(CTamselDoc& doc, const ActivityPrefs& prefs, const ActivityPrefs& before) {
    if (prefs.time != before.time &&
        !doc.SetPreference(kDeviceTimePreference, DeviceTimeText(prefs.time)))
        return false;
    if (prefs.heartRateField != before.heartRateField &&
        !doc.SetPreference(kDeviceHeartRatePreference, std::to_string(prefs.heartRateField)))
        return false;
    return prefs.deviceSports == before.deviceSports || doc.SaveDeviceSports(prefs.deviceSports);
}

}  // namespace kivrun::prefs
