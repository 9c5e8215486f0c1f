#pragma once

#include "store/RecordSet.h"

namespace kivrun {

// The exercise rows of routine templates.
class CRoutinesDetailsSet : public RecordSet {
  public:
    explicit CRoutinesDetailsSet(LogDatabase* db) : RecordSet(db) {
        Bind("TemplateID", TemplateID);
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

    LongField TemplateID;
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
    std::string GetDefaultSQL() const override { return "[Routine Templates Details]"; }
    std::string BaseTable() const override { return "Routine Templates Details"; }
};

}  // namespace kivrun
