#pragma once

#include "store/RecordSet.h"

namespace kivrun {

// The workouts that pass the filter, in the log's date order; opened on FilteredSetQuery.
class CLogEntryFilteredSet : public RecordSet {
  public:
    explicit CLogEntryFilteredSet(LogDatabase* db) : RecordSet(db) {
        Bind("EntryID", EntryID);
        Bind("Date", Date);
        Bind("SptAbbrev", SptAbbrev);
        Bind("TrainingTypeAbbrev", TrainingTypeAbbrev);
        Bind("Distance", Distance);
        Bind("Time", Time);
        Bind("Pace", Pace);
        Bind("Route", Route);
        Bind("Notes", Notes);
        Bind("OptionalOne", OptionalOne);
        Bind("OptionalTwo", OptionalTwo);
        Bind("Background", Background);
    }

    LongField EntryID;
    DateField Date;
    TextField SptAbbrev;
    TextField TrainingTypeAbbrev;
    DoubleField Distance;
    DoubleField Time;
    DoubleField Pace;
    TextField Route;
    TextField Notes;
    DoubleField OptionalOne;
    DoubleField OptionalTwo;
    LongField Background;

  protected:
    std::string GetDefaultSQL() const override { return "[Log Entry]"; }
    std::string BaseTable() const override { return "Log Entry"; }
};

}  // namespace kivrun
