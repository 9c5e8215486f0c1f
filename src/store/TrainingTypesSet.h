#pragma once

#include <string>

#include "store/RecordSet.h"

namespace kivrun {

// Training classes in their display order.
class CTrainingTypesSet : public RecordSet {
  public:
    explicit CTrainingTypesSet(LogDatabase* db) : RecordSet(db) {
        Bind("TypeAbbrev", TypeAbbrev);
        Bind("TypeName", TypeName);
        Bind("ColorCode", ColorCode);
        Bind("Order", Order);
    }

    // Moves to the class with that abbreviation; false when there is none.
    bool FindClass(const std::string& abbreviation);

    TextField TypeAbbrev;
    TextField TypeName;
    TextField ColorCode;
    LongField Order;

  protected:
    std::string GetDefaultSQL() const override {
        return "SELECT * FROM [Training Types] ORDER BY [Training Types].Order;";
    }
    std::string BaseTable() const override { return "Training Types"; }
};

}  // namespace kivrun
