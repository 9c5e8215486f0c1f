#pragma once

#include "store/RecordSet.h"

namespace kivrun {

// Planned calendar events, by date.
class CEventsSet : public RecordSet {
  public:
    explicit CEventsSet(LogDatabase* db) : RecordSet(db) {
        Bind("EventID", EventID);
        Bind("SptAbbrev", SptAbbrev);
        Bind("Date", Date);
        Bind("EventName", EventName);
        Bind("EventDetails", EventDetails);
        Bind("EventAffiliation", EventAffiliation);
        Bind("Background", Background);
        SetSort("Date, EventID");
    }

    LongField EventID;
    TextField SptAbbrev;
    DateField Date;
    TextField EventName;
    TextField EventDetails;
    TextField EventAffiliation;
    LongField Background;

  protected:
    std::string GetDefaultSQL() const override { return "[Calendar Events]"; }
    std::string BaseTable() const override { return "Calendar Events"; }
};

}  // namespace kivrun
