#pragma once

#include "store/RecordSet.h"

namespace kivrun {

// Totals per period and sport; opened on one of the stored totals queries. Read-only.
class CTotalsSet : public RecordSet {
  public:
    explicit CTotalsSet(LogDatabase* db) : RecordSet(db) {
        Bind("SptAbbrev", SptAbbrev);
        Bind("SptName", SptName);
        Bind("DistanceShortName", DistanceShortName);
        Bind("TotalDistance", TotalDistance);
        Bind("TotalTime", TotalTime);
        Bind("Workouts", Workouts);
        Bind("Week", Week);
        Bind("Year", Year);
    }

    TextField SptAbbrev;
    TextField SptName;
    TextField DistanceShortName;
    DoubleField TotalDistance;
    DoubleField TotalTime;
    LongField Workouts;
    LongField Week;
    LongField Year;

  protected:
    std::string GetDefaultSQL() const override {
        return "PARAMETERS StartDate DateTime, EndDate DateTime; SELECT [Log Entry].SptAbbrev, "
               "Sum([Log Entry].Distance) AS TotalDistance, Sum([Log Entry].Time) AS TotalTime, "
               "Count(*) AS WorkoutCount FROM [Log Entry] WHERE ((([Log Entry].Date) Between "
               "[StartDate] And [EndDate])) GROUP BY [Log Entry].SptAbbrev";
    }
};

}  // namespace kivrun
