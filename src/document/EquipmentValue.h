#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/Rows.h"

namespace kivrun {

// The kinds an item of equipment can be, as stored in its Kind field.
namespace equipment_kind {
inline constexpr const char* kShoes = "shoes";
inline constexpr const char* kBike = "bike";
inline constexpr const char* kBoat = "boat";
inline constexpr const char* kSkis = "skis";
inline constexpr const char* kOther = "other";
const std::vector<std::string>& All();
bool IsKind(std::string_view kind);
}  // namespace equipment_kind

struct EquipmentSport {
    std::string sport;  // SptAbbrev
    bool isDefault = false;
    friend bool operator==(const EquipmentSport&, const EquipmentSport&) = default;
};

// One item of equipment as the log keeps it. Distances are in km, the time limit in seconds;
// a limit of 0 is no limit.
struct EquipmentItem {
    RowId equipmentId = 0;
    std::string name;
    std::string kind = equipment_kind::kOther;
    std::vector<EquipmentSport> sports;  // in the sports' order
    double startKm = 0.0;
    double limitKm = 0.0;
    double limitSeconds = 0.0;
    bool retired = false;
    std::string notes;

    bool UsedFor(const std::string& sport) const;
    bool DefaultFor(const std::string& sport) const;
    friend bool operator==(const EquipmentItem&, const EquipmentItem&) = default;
};

// What an item has done: over the filtered workouts (with its starting distance), and over
// the whole log for its limit.
struct EquipmentTotal {
    EquipmentItem item;
    double km = 0.0;  // starting distance plus the filtered workouts'
    double seconds = 0.0;
    long workouts = 0;
    double firstUse = 0.0;  // serial days, 0 when none
    double lastUse = 0.0;
    double lifetimeKm = 0.0;  // starting distance plus every workout's
    double lifetimeSeconds = 0.0;

    bool HasLimit() const { return item.limitKm > 0 || item.limitSeconds > 0; }
    bool OverLimit() const;
    // What is left before the limit (negative past it); only meaningful with that limit.
    double KmLeft() const { return item.limitKm - lifetimeKm; }
    double SecondsLeft() const { return item.limitSeconds - lifetimeSeconds; }
};

}  // namespace kivrun
