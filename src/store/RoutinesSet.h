#pragma once

#include <string>

#include "store/RecordSet.h"

namespace kivrun {

// Saved routine templates.
class CRoutinesSet : public RecordSet {
  public:
    explicit CRoutinesSet(LogDatabase* db) : RecordSet(db) {
        Bind("TemplateID", TemplateID);
        Bind("Name", Name);
    }

    // Moves to the template with that id; false when there is none.
    bool FindTemplate(int templateId);

    LongField TemplateID;
    TextField Name;

  protected:
    std::string GetDefaultSQL() const override { return "[Routine Templates]"; }
    std::string BaseTable() const override { return "Routine Templates"; }
};

}  // namespace kivrun
