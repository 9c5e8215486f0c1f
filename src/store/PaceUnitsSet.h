#pragma once

#include "store/RecordSet.h"

namespace kivrun {

// Pace units.
class CPaceUnitsSet : public RecordSet {
  public:
    explicit CPaceUnitsSet(LogDatabase* db) : RecordSet(db) {
        Bind("PaceName", PaceName);
        Bind("PaceID", PaceID);
    }

    TextField PaceName;
    LongField PaceID;

  protected:
    std::string GetDefaultSQL() const override { return "[Pace Units]"; }
    std::string BaseTable() const override { return "Pace Units"; }
};

}  // namespace kivrun
