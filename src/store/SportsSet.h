#pragma once

#include <string>

#include "store/RecordSet.h"

namespace kivrun {

// Sports with their unit names, in the log's sport order. Updatable through the join:
// the Sports columns are written, the unit names are read-only companions.
class CSportsSet : public RecordSet {
  public:
    explicit CSportsSet(LogDatabase* db) : RecordSet(db) {
        Bind("SptName", SptName);
        Bind("DistanceID", DistanceID);
        Bind("PaceID", PaceID);
        Bind("Order", Order);
        Bind("Image", Image);
        Bind("SptAbbrev", SptAbbrev);
        Bind("DistanceName", DistanceName, false);
        Bind("DistanceShortName", DistanceShortName, false);
        Bind("PaceName", PaceName, false);
    }

    // Pace of a workout in the current sport's pace unit; -1.0 past the end of the set.
    double PaceOfCurrentSport(double seconds, double distance) const;

    TextField SptName;
    LongField DistanceID;
    LongField PaceID;
    LongField Order;
    LongField Image;
    TextField SptAbbrev;
    TextField DistanceName;
    TextField DistanceShortName;
    TextField PaceName;

  protected:
    std::string GetDefaultSQL() const override {
        return "SELECT Sports.SptAbbrev, Sports.SptName, Sports.PaceID, Sports.DistanceID, "
               "Sports.Order, Sports.Image, [Pace Units].PaceName, [Distance Units].DistanceName, "
               "[Distance Units].DistanceShortName FROM [Distance Units] INNER JOIN ([Pace Units] "
               "INNER JOIN Sports ON [Pace Units].PaceID = Sports.PaceID) ON [Distance "
               "Units].DistanceID = Sports.DistanceID ORDER BY Sports.Order;";
    }
    std::string BaseTable() const override { return "Sports"; }
    bool FetchFromBaseTable() const override { return false; }
    // A table inside a bracketed join shows no rowid; reach it through the key.
    std::string KeyExpression() const override {
        return "(SELECT rowid FROM \"Sports\" AS kivrun_s WHERE kivrun_s.\"SptAbbrev\" = "
               "Sports.SptAbbrev)";
    }
};

}  // namespace kivrun
