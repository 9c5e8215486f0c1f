#pragma once

#include "store/RecordSet.h"

namespace kivrun {

// The weights routine rows of workouts.
class CLogEntryRoutineSet : public RecordSet {
  public:
    explicit CLogEntryRoutineSet(LogDatabase* db) : RecordSet(db) {
        Bind("EntryID", EntryID);
        Bind("Exercise", Exercise);
        Bind("Sets", Sets);
        Bind("Weight1", Weight1);
        Bind("Reps1", Reps1);
        Bind("Weight2", Weight2);
        Bind("Reps2", Reps2);
        Bind("Weight3", Weight3);
        Bind("Reps3", Reps3);
        Bind("Weight4", Weight4);
        Bind("Reps4", Reps4);
    }

    LongField EntryID;
    TextField Exercise;
    LongField Sets;
    LongField Weight1;
    LongField Reps1;
    LongField Weight2;
    LongField Reps2;
    LongField Weight3;
    LongField Reps3;
    LongField Weight4;
    LongField Reps4;

  protected:
    std::string GetDefaultSQL() const override { return "[Log Entry Details Routine]"; }
    std::string BaseTable() const override { return "Log Entry Details Routine"; }
};

}  // namespace kivrun
