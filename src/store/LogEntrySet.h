#pragma once

#include "store/RecordSet.h"

namespace kivrun {

// Every workout of the log, oldest first.
class CLogEntrySet : public RecordSet {
  public:
    explicit CLogEntrySet(LogDatabase* db) : RecordSet(db) {
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
        Bind("EntryID", EntryID);
    }

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
    LongField EntryID;

  protected:
    std::string GetDefaultSQL() const override { return "[Log Entry] ORDER BY [Date]"; }
    std::string BaseTable() const override { return "Log Entry"; }
};

// The workouts that pass the filter, in the log's date order; opened on FilteredSetQuery.
class CLogEntryFilteredSet : public CLogEntrySet {
  public:
    using CLogEntrySet::CLogEntrySet;

  protected:
    std::string GetDefaultSQL() const override { return "[Log Entry]"; }
};

}  // namespace kivrun
