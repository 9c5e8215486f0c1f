#include "store/DistanceUnitsSet.h"

#include "store/Criteria.h"

namespace kivrun {

std::string CDistanceUnitsSet::DistanceUnitName(int distanceId) {
    if (!FindFirst(criteria::Is("DistanceID", distanceId))) return {};
    return DistanceName;
}

}  // namespace kivrun
