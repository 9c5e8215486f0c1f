#include "store/SportsSet.h"

#include "values/Units.h"

namespace kivrun {

double CSportsSet::PaceOfCurrentSport(double seconds, double distance) const {
    if (IsEOF()) return -1.0;
    return ComputePace(PaceID, seconds, distance, DistanceID).value;
}

}  // namespace kivrun
