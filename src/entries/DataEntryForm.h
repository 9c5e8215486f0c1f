#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "document/UpdateHint.h"
#include "document/WorkingEntry.h"
#include "values/Date.h"

namespace kivrun {

class CTamselDoc;

// The data entry form's state and rules, without widgets: the form above the log list only
// shows this model and hands user input to it. Texts are what the boxes hold.
class DataEntryForm {
  public:
    // Which control takes the focus after an operation.
    // Unsaved: the write failed and the form keeps what was typed.
    enum class Focus { None, Date, Sport, Time, Distance, Pace, Route, Unsaved };

    struct Choice {
        std::string name;
        std::string abbrev;
    };

    // `self` is the view the form lives in: the document tells every view but it.
    DataEntryForm(CTamselDoc& doc, View* self);
    CTamselDoc& Document() const { return doc_; }

    // --- What the widgets show --------------------------------------------------------
    CDate date;
    int sport = -1;  // index into Sports(), -1 for none
    int cls = 0;     // index into Classes()
    double distance = 0.0;
    std::string pace;
    std::string time;
    double optionalOne = 0.0;
    double optionalTwo = 0.0;
    std::string route;
    std::string notes;

    const std::vector<Choice>& Sports() const { return sports_; }
    const std::vector<Choice>& Classes() const { return classes_; }
    const std::vector<std::string>& Routes() const { return routes_; }
    const std::vector<RoutineRow>& Routine() const { return routine_; }
    void SetRoutine(std::vector<RoutineRow> rows) { routine_ = std::move(rows); }
    // The items the "Equipment:" list offers (the sport's active ones, and any the workout
    // already has), and those ticked. A new workout starts with its sport's defaults.
    struct EquipmentChoice {
        RowId id = 0;
        std::string name;
    };
    const std::vector<EquipmentChoice>& EquipmentChoices() const { return equipmentChoices_; }
    std::vector<RowId> equipment;
    // What the last workout entered took past a limit, for the status bar; asking clears it.
    std::string TakeStatusNote() { return std::exchange(statusNote_, {}); }

    bool Editing() const { return editingId_ > 0; }
    RowId EditingId() const { return editingId_; }
    std::string Title() const { return Editing() ? "Edit Entry" : "Data Entry"; }
    std::string EnterText() const { return Editing() ? "Edit" : "&Enter"; }
    bool WeightsMode() const { return weights_; }
    bool DistanceEnabled() const { return distanceEnabled_; }
    std::string DistanceUnitLabel() const { return distanceUnit_; }
    std::string PaceUnitLabel() const { return paceUnit_; }
    // The units in words, for the labels' tooltips.
    std::string DistanceUnitTip() const { return distanceTip_; }
    std::string PaceUnitTip() const { return paceTip_; }
    std::string OptionalOneLabel() const { return optionalOneLabel_; }
    std::string OptionalTwoLabel() const { return optionalTwoLabel_; }
    bool RouteButtonEnabled() const { return routeButtonEnabled_; }
    // The typed time as the form reads it, for the label beside the box ("45 h 00 min").
    std::string TimeRead() const;
    std::string RouteButtonText() const { return routeButtonAdds_ ? "&Add" : "&Remove"; }

    // --- What the user does -----------------------------------------------------------
    // Fills the lists, clears the form and offers to turn today's event into an entry;
    // a converted race wants its distance next.
    Focus InitialUpdate();
    void Clear();
    void ChooseSport(int index);
    void ChooseClass(int index);
    Focus LeaveTime();
    // The date box holds a text that is no day: said, and the focus goes back to it.
    Focus RefuseDate();
    void LeaveDistance(double newDistance);
    void LeavePace();
    // A keystroke in the route box: completes from the list when the text grew. Returns
    // the selection the box should show (start, end) after the completion.
    std::pair<int, int> EditRoute(const std::string& text);
    void ChooseRoute(const std::string& item);
    Focus PressRouteButton();
    // Enter (or Edit): checks, then adds or changes the workout and clears the form. A time
    // whose pace no one reaches is asked about first; No goes back to the time.
    Focus Enter();
    // Whether clearing the form would lose something: an edit, or a new workout's values
    // (a box holding more than blanks).
    bool HasUnsavedValues() const;
    // Before Reset clears the form: asks whether to save what would be lost ("Save changes
    // to this entry ?" while editing, "Save this new entry ?" for typed values); true for
    // Yes. typing: a box holds text the form has not been handed yet.
    bool SaveBeforeReset(bool typing);
    // Reset, and leaving the form while editing: offers to save first (above), then a new
    // workout of today. When the entry cannot be saved as it stands, the form stays as it
    // is and says where.
    Focus Reset();
    // The form for a new workout of today, whatever it held.
    void ClearForToday();
    void Delete();
    void LoadEntry(RowId entryId, bool duplicate);
    Focus ConvertEvent(const CDate& day, const std::string& sportAbbrev, const std::string& name,
                       bool race);
    // A workout made from a planned event (its day, sport, name as the route, a race); the
    // event goes when the workout is entered, and stays when the form is cleared instead.
    Focus LogEvent(RowId eventId);
    RowId FromEvent() const { return fromEvent_; }
    void OnUpdate(const UpdateHint& hint);

  private:
    void FillLists();
    void RefillEquipment(bool takeDefaults);
    void SetOptionalLabels();
    void RefillRoutes();
    void UpdateRouteButton();
    void RememberRoute();
    void ComputePace();
    std::string Group() const;
    int IndexOfSportAbbrev(const std::string& abbrev) const;
    const SportInfo* ChosenSport();

    CTamselDoc& doc_;
    View* self_;
    std::vector<Choice> sports_;
    std::vector<Choice> classes_;
    std::vector<std::string> routes_;
    std::vector<RoutineRow> routine_;
    std::vector<EquipmentChoice> equipmentChoices_;
    std::string statusNote_;
    RowId editingId_ = -1;
    RowId fromEvent_ = 0;     // the event the new workout is made from
    bool duplicate_ = false;  // the workout began as a copy of another (Edit menu's name)
    bool weights_ = false;
    bool distanceEnabled_ = true;
    std::string distanceUnit_;
    std::string paceUnit_;
    std::string distanceTip_;
    std::string paceTip_;
    std::string optionalOneLabel_ = "AvgHR:";
    std::string optionalTwoLabel_ = "Recovery:";
    bool routeButtonEnabled_ = false;
    bool routeButtonAdds_ = true;
    size_t routeLength_ = 0;
    std::string paceBefore_;
    bool initialized_ = false;
};

}  // namespace kivrun
