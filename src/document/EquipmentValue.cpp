#include "document/EquipmentValue.h"

#include <algorithm>

namespace kivrun {

namespace equipment_kind {

const std::vector<std::string>& All() {
    static const std::vector<std::string> kinds = {kShoes, kBike, kBoat, kSkis, kOther};
    return kinds;
}

bool IsKind(std::string_view kind) {
    const auto& kinds = All();
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

}  // namespace equipment_kind

bool EquipmentItem::UsedFor(const std::string& sport) const {
    return std::any_of(sports.begin(), sports.end(),
                       [&](const EquipmentSport& s) { return s.sport == sport; });
}

bool EquipmentItem::DefaultFor(const std::string& sport) const {
    return std::any_of(sports.begin(), sports.end(),
                       [&](const EquipmentSport& s) { return s.sport == sport && s.isDefault; });
}

bool EquipmentTotal::OverLimit() const {
    return (item.limitKm > 0 && lifetimeKm >= item.limitKm) ||
           (item.limitSeconds > 0 && lifetimeSeconds >= item.limitSeconds);
}

}  // namespace kivrun
