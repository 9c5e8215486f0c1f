#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/EventValue.h"
#include "events/AffiliationBox.h"
#include "store/Rows.h"

namespace kivrun {

class CTamselDoc;

// What the "Event" dialog and the event form hold, without widgets: date, sport, the
// affiliation box, name and details (with "\n" line breaks, as a multi-line box has them).
class EventForm {
  public:
    // The dialog and the form word the missing sport differently.
    enum class Kind { Dialog, EntryForm };

    struct SportChoice {
        std::string name;
        std::string abbrev;
    };

    EventForm(CTamselDoc& doc, View* self, Kind kind);

    CDate date;
    std::string name;
    std::string details;
    AffiliationBox affiliation;

    const std::vector<SportChoice>& Sports() const { return sports_; }
    int Sport() const { return sport_; }  // -1 for none
    // Every sport of the log in its order; the chosen one stays chosen by its letter.
    void FillSports();
    void ChooseSport(int index);
    void ChooseSportAbbrev(const std::string& abbrev);
    // The dialog on an existing event.
    void Load(const EventRow& event);
    // Empty affiliation, name and details, no sport (the date stays).
    void Reset();
    // The event as typed, or none after telling the user that it needs a sport.
    std::optional<EventValue> Read();
    // The form's "&Enter": adds the event and resets. False when nothing was added.
    bool Enter();
    // Sports and affiliations changing elsewhere.
    void OnUpdate(const UpdateHint& hint);

  private:
    CTamselDoc& doc_;
    View* self_;
    Kind kind_;
    std::vector<SportChoice> sports_;
    int sport_ = -1;
};

}  // namespace kivrun
