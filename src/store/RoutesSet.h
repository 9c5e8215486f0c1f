#pragma once

#include "store/RecordSet.h"

namespace kivrun {

// Routes per sport and class group.
class CRoutesSet : public RecordSet {
  public:
    explicit CRoutesSet(LogDatabase* db) : RecordSet(db) {
        Bind("RouteID", RouteID);
        Bind("SptAbbrev", SptAbbrev);
        Bind("TrainingTypeAbbrev", TrainingTypeAbbrev);
        Bind("Route", Route);
    }

    LongField RouteID;
    TextField SptAbbrev;
    TextField TrainingTypeAbbrev;
    TextField Route;

  protected:
    std::string GetDefaultSQL() const override { return "[Routes]"; }
    std::string BaseTable() const override { return "Routes"; }
};

}  // namespace kivrun
