#pragma once

#include "store/RecordSet.h"

namespace kivrun {

// An exercise row: the exercise, its sets and up to four weight/reps pairs. Workouts' routines
// and routine templates keep the same row under different keys. Weights may have decimals;
// whole ones are still written as integers, as every weight was before.
class RoutineRowSet : public RecordSet {
  public:
    TextField Exercise;
    LongField Sets;
    NumberField Weight1;
    LongField Reps1;
    NumberField Weight2;
    LongField Reps2;
    NumberField Weight3;
    LongField Reps3;
    NumberField Weight4;
    LongField Reps4;

  protected:
    RoutineRowSet(LogDatabase* db, std::string table) : RecordSet(db), table_(std::move(table)) {
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

    std::string GetDefaultSQL() const override { return "[" + table_ + "]"; }
    std::string BaseTable() const override { return table_; }

  private:
    std::string table_;
};

// The weights routine rows of workouts.
class CLogEntryRoutineSet : public RoutineRowSet {
  public:
    explicit CLogEntryRoutineSet(LogDatabase* db) : RoutineRowSet(db, "Log Entry Details Routine") {
        Bind("EntryID", EntryID);
    }
    LongField EntryID;
};

// The exercise rows of routine templates.
class CRoutinesDetailsSet : public RoutineRowSet {
  public:
    explicit CRoutinesDetailsSet(LogDatabase* db) : RoutineRowSet(db, "Routine Templates Details") {
        Bind("TemplateID", TemplateID);
    }
    LongField TemplateID;
};

}  // namespace kivrun
