#pragma once

#include <string>

#include "store/RecordSet.h"

namespace kivrun {

// Distance units.
class CDistanceUnitsSet : public RecordSet {
  public:
    explicit CDistanceUnitsSet(LogDatabase* db) : RecordSet(db) {
        Bind("DistanceID", DistanceID);
        Bind("DistanceName", DistanceName);
        Bind("DistanceShortName", DistanceShortName);
    }

    // The name of a distance unit, or "" when the log has no such unit.
    std::string DistanceUnitName(int distanceId);

    LongField DistanceID;
    TextField DistanceName;
    TextField DistanceShortName;

  protected:
    std::string GetDefaultSQL() const override { return "[Distance Units]"; }
    std::string BaseTable() const override { return "Distance Units"; }
};

}  // namespace kivrun
