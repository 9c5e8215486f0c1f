#pragma once

#include <string>
#include <vector>

#include "store/Rows.h"
#include "values/Date.h"
#include "values/ElapsedTime.h"

namespace kivrun {

// The in-memory copy of one workout that the entry form fills and the document writes.
// Distance is in the sport's unit, pace as stored (a speed, or seconds per unit).
struct WorkingEntry {
    CDate date;
    std::string sptAbbrev;
    std::string typeAbbrev;
    double distance = 0.0;
    double pace = 0.0;
    CElapsedTime time;
    std::string route;
    std::string notes;
    double optionalOne = 0.0;
    double optionalTwo = 0.0;
    std::vector<RoutineRow> routine;
    std::vector<RowId> equipment;  // the items it used (EquipmentIDs)
};

}  // namespace kivrun
