#pragma once

#include "store/RecordSet.h"

namespace kivrun {

// Body parts of the exercise list, by name.
class CBodyPartsSet : public RecordSet {
  public:
    explicit CBodyPartsSet(LogDatabase* db) : RecordSet(db) {
        Bind("BodyPartID", BodyPartID);
        Bind("BodyPartName", BodyPartName);
        Bind("BodyPartDescription", BodyPartDescription);
    }

    LongField BodyPartID;
    TextField BodyPartName;
    TextField BodyPartDescription;

  protected:
    std::string GetDefaultSQL() const override { return "[BodyParts] ORDER BY [BodyPartName]"; }
    std::string BaseTable() const override { return "BodyParts"; }
};

}  // namespace kivrun
