#pragma once

#include "store/RecordSet.h"

namespace kivrun {

// Event affiliations per sport.
class CAffiliationsSet : public RecordSet {
  public:
    explicit CAffiliationsSet(LogDatabase* db) : RecordSet(db) {
        Bind("AffiliationID", AffiliationID);
        Bind("SptAbbrev", SptAbbrev);
        Bind("Affiliation", Affiliation);
    }

    LongField AffiliationID;
    TextField SptAbbrev;
    TextField Affiliation;

  protected:
    std::string GetDefaultSQL() const override { return "[Affiliations]"; }
    std::string BaseTable() const override { return "Affiliations"; }
};

}  // namespace kivrun
