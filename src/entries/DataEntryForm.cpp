#include "entries/DataEntryForm.h"

#include <algorithm>
#include <cctype>

#include "app/TamselDoc.h"
#include "entries/NumberFormat.h"
#include "entries/Units.h"
#include "store/ColumnSettingsSet.h"
#include "store/Criteria.h"
#include "store/EventsSet.h"
#include "store/LogEntryFilteredSet.h"
#include "store/PreferencesSet.h"
#include "store/RoutesSet.h"
#include "store/SportsSet.h"
#include "store/TrainingTypesSet.h"

namespace kivrun {
namespace {

const char* kInvalidTime = "Time is not valid !! \nMust be in the form: H:MM:SS or a decimal !";

std::string TrimRight(std::string s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.pop_back();
    return s;
}

bool StartsWithNoCase(const std::string& item, const std::string& prefix) {
    if (item.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(item[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

}  // namespace

DataEntryForm::DataEntryForm(CTamselDoc& doc, View* self) : doc_(doc), self_(self) {}

void DataEntryForm::FillLists() {
    const std::string sportName = sport >= 0 ? sports_[size_t(sport)].name : std::string();
    const std::string className =
        cls >= 0 && size_t(cls) < classes_.size() ? classes_[size_t(cls)].name : std::string();
    classes_.clear();
    CTrainingTypesSet& types = doc_.TrainingTypesSet();
    types.Requery();
    for (types.MoveFirst(); !types.IsEOF(); types.MoveNext())
        classes_.push_back({types.TypeName, types.TypeAbbrev});
    sports_.clear();
    CSportsSet& set = doc_.SportsSet();
    set.Requery();
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext())
        sports_.push_back({set.SptName, set.SptAbbrev});
    // What was chosen stays chosen, by name.
    sport = -1;
    for (size_t i = 0; i < sports_.size(); ++i)
        if (!sportName.empty() && sports_[i].name == sportName) sport = static_cast<int>(i);
    for (size_t i = 0; i < classes_.size(); ++i)
        if (classes_[i].name == className) cls = static_cast<int>(i);
    if (size_t(cls) >= classes_.size()) cls = 0;
}

void DataEntryForm::SetOptionalLabels() {
    CColumnSettingsSet& columns = doc_.ColumnSettingsSet();
    if (columns.FindColumn(6)) optionalOneLabel_ = columns.ColumnFieldName.get() + ":";
    if (columns.FindColumn(7)) optionalTwoLabel_ = columns.ColumnFieldName.get() + ":";
}

DataEntryForm::Focus DataEntryForm::InitialUpdate() {
    FillLists();
    SetOptionalLabels();
    Clear();
    Focus focus = Focus::None;
    CEventsSet& events = doc_.EventsSet();
    events.Requery();
    if (events.FindFirst("Date = #" + CDate().Format(0) + "#")) {
        const long eventId = events.EventID;
        const CDate day = CDate::FromSerial(events.Date);
        const std::string sportAbbrev = events.SptAbbrev;
        const std::string name = events.EventName;
        if (doc_.ui().AskYesNo("There is an event scheduled for today!!\nWould you like to "
                               "convert the event to an entry???")) {
            focus = ConvertEvent(day, sportAbbrev, name, true);
            doc_.DeleteEvent(eventId, false);
        }
    }
    initialized_ = true;
    return focus;
}

void DataEntryForm::Clear() {
    editingId_ = -1;
    routine_.clear();
    weights_ = false;
    distanceEnabled_ = true;
    sport = -1;
    const std::string defaultSport = doc_.PreferencesSet().GetDefaultSport();
    for (size_t i = 0; i < sports_.size(); ++i)
        if (sports_[i].name == defaultSport) sport = static_cast<int>(i);
    cls = 0;
    distance = 0.0;
    pace.clear();
    paceBefore_.clear();
    time.clear();
    route.clear();
    notes.clear();
    optionalOne = optionalTwo = 0.0;
    distanceUnit_.clear();
    paceUnit_.clear();
    // The preselected sport shows its units and mode, as if the user had chosen it.
    if (sport >= 0) ChooseSport(sport);
    RefillRoutes();
    routeLength_ = 0;
    routeButtonEnabled_ = false;
    routeButtonAdds_ = true;
}

void DataEntryForm::ChooseSport(int index) {
    if (index < 0 || size_t(index) >= sports_.size()) return;
    sport = index;
    const std::string& name = sports_[size_t(index)].name;
    weights_ = name == "Weights";
    distanceEnabled_ = !weights_;
    CSportsSet& set = doc_.SportsSet();
    if (set.FindFirst(criteria::Is("SptName", name))) {
        paceUnit_ = set.PaceName;
        distanceUnit_ = set.DistanceName;
        distanceEnabled_ = !distanceUnit_.empty();
    }
    RefillRoutes();
    UpdateRouteButton();
    if (distance > 0.0 && !time.empty()) ComputePace();
}

void DataEntryForm::ChooseClass(int index) {
    if (index < 0 || size_t(index) >= classes_.size()) return;
    cls = index;
    RefillRoutes();
    UpdateRouteButton();
}

void DataEntryForm::ComputePace() {
    if (time.empty() || sport < 0) return;
    CSportsSet& set = doc_.SportsSet();
    if (!set.FindFirst(criteria::Is("SptName", sports_[size_t(sport)].name))) return;
    pace =
        kivrun::ComputePace(set.PaceID, CElapsedTime(time).TotalSeconds(), distance, set.DistanceID)
            .text;
    paceBefore_ = pace;
}

DataEntryForm::Focus DataEntryForm::LeaveTime() {
    if (time.empty()) return Focus::None;
    if (CElapsedTime::Validate(time) == 0) {
        doc_.ui().ShowMessage(kInvalidTime);
        return Focus::Time;
    }
    time = CElapsedTime::FromUserText(time).Format(5);
    if (distance > 0.0) ComputePace();
    return Focus::None;
}

void DataEntryForm::LeaveDistance(double newDistance) {
    const double before = distance;
    distance = newDistance;
    if (newDistance == 0.0 || newDistance == before) return;
    if (!time.empty()) {
        ComputePace();
    } else if (!pace.empty() && sport >= 0) {
        CSportsSet& set = doc_.SportsSet();
        if (set.FindFirst(criteria::Is("SptName", sports_[size_t(sport)].name)))
            time = TimeFromDistanceAndPace(set.PaceID, distance, set.DistanceID, pace).Format(1);
    }
}

void DataEntryForm::LeavePace() {
    if ((!time.empty() && pace == paceBefore_) || distance == 0.0 || pace.empty()) return;
    if (sport < 0) return;
    CSportsSet& set = doc_.SportsSet();
    if (!set.FindFirst(criteria::Is("SptName", sports_[size_t(sport)].name))) return;
    if (IsTimePace(set.PaceID)) {
        // 7:30 is minutes and seconds, 7.5 decimal minutes; anything else stays as typed.
        if (CElapsedTime::IsDecimal(pace))
            pace = CElapsedTime::FromSeconds(TextToDouble(pace) * 60.0).Format(3);
        else if (CElapsedTime::Validate(pace) == 1)
            pace = CElapsedTime(":" + pace).Format(3);
    }
    paceBefore_ = pace;
    time = TimeFromDistanceAndPace(set.PaceID, distance, set.DistanceID, pace).Format(1);
}

std::string DataEntryForm::Group() const {
    return size_t(cls) < classes_.size() && classes_[size_t(cls)].abbrev == "R" ? "R" : "G";
}

void DataEntryForm::RefillRoutes() {
    routes_.clear();
    if (sport < 0) return;
    CRoutesSet& set = doc_.RoutesSet();
    set.SetFilter(criteria::Is("[SptAbbrev]", sports_[size_t(sport)].abbrev) + " AND " +
                  criteria::Is("[TrainingTypeAbbrev]", Group()));
    set.Requery();
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext())
        routes_.push_back(set.Route);
    set.SetFilter({});
    set.Requery();
    std::sort(routes_.begin(), routes_.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) {
                                                return std::tolower(static_cast<unsigned char>(x)) <
                                                       std::tolower(static_cast<unsigned char>(y));
                                            });
    });
}

void DataEntryForm::UpdateRouteButton() {
    const std::string text = TrimRight(route);
    if (text.empty() || sport < 0) {
        routeButtonEnabled_ = false;
        return;
    }
    routeButtonEnabled_ = true;
    routeButtonAdds_ = std::find(routes_.begin(), routes_.end(), text) == routes_.end();
}

std::pair<int, int> DataEntryForm::EditRoute(const std::string& text) {
    route = text;
    std::pair<int, int> selection{static_cast<int>(text.size()), static_cast<int>(text.size())};
    if (text.size() > routeLength_) {
        const auto match = std::find_if(routes_.begin(), routes_.end(), [&](const std::string& r) {
            return StartsWithNoCase(r, text);
        });
        if (match != routes_.end()) {
            route = *match;
            selection = {static_cast<int>(text.size()), static_cast<int>(route.size())};
        }
    }
    routeLength_ = text.size();
    UpdateRouteButton();
    return selection;
}

void DataEntryForm::ChooseRoute(const std::string& item) {
    route = item;
    routeLength_ = item.size();
    UpdateRouteButton();
    if (routeButtonEnabled_) routeButtonAdds_ = false;
}

DataEntryForm::Focus DataEntryForm::PressRouteButton() {
    const std::string text = TrimRight(route);
    if (sport < 0 || text.empty()) return Focus::None;
    const std::string sportAbbrev = sports_[size_t(sport)].abbrev;
    Focus focus = Focus::None;
    CRoutesSet& set = doc_.RoutesSet();
    const bool listed = std::find(routes_.begin(), routes_.end(), text) != routes_.end();
    if (routeButtonAdds_) {
        if (!listed) {
            set.AddNew();
            set.Route = text;
            set.SptAbbrev = sportAbbrev;
            set.TrainingTypeAbbrev = Group();
            set.Update();
        }
    } else if (listed &&
               doc_.ui().AskYesNo("Are you sure you want to delete the selected route?")) {
        if (set.FindFirst("[Route] = " + jetsql::DoubleQuote(text) + " AND " +
                          criteria::Is("[SptAbbrev]", sportAbbrev) + " AND " +
                          criteria::Is("[TrainingTypeAbbrev]", Group())))
            set.Delete();
        route.clear();
        focus = Focus::Route;
    }
    routeButtonEnabled_ = false;
    RefillRoutes();
    return focus;
}

DataEntryForm::Focus DataEntryForm::Enter() {
    if (sport < 0) {
        doc_.ui().ShowMessage("Please specify a sport !!");
        return Focus::Sport;
    }
    if (time.empty()) {
        doc_.ui().ShowMessage("Please enter your elapsed time !!");
        return Focus::Time;
    }
    if (CElapsedTime::Validate(time) == 0) {
        doc_.ui().ShowMessage(kInvalidTime);
        return Focus::Time;
    }
    WorkingEntry e;
    e.date = date;
    CSportsSet& set = doc_.SportsSet();
    const bool sportFound = set.FindFirst(criteria::Is("SptName", sports_[size_t(sport)].name));
    e.sptAbbrev = sportFound ? set.SptAbbrev.get() : std::string(" ");
    CTrainingTypesSet& types = doc_.TrainingTypesSet();
    e.typeAbbrev = size_t(cls) < classes_.size() &&
                           types.FindFirst(criteria::Is("TypeName", classes_[size_t(cls)].name))
                       ? types.TypeAbbrev.get()
                       : std::string(" ");
    if (sportFound && set.DistanceID != distance_unit::kNone) {
        e.distance = distance;
        e.pace =
            IsTimePace(set.PaceID) ? CElapsedTime(":" + pace).TotalSeconds() : TextToDouble(pace);
    }
    e.time = CElapsedTime::FromUserText(time);
    e.optionalOne = optionalOne;
    e.optionalTwo = optionalTwo;
    e.route = route;
    e.notes = notes;
    e.routine = routine_;
    if (Editing())
        doc_.UpdateEntry(editingId_, e, self_);
    else
        doc_.AddEntry(e, self_);
    Clear();
    return Focus::None;
}

DataEntryForm::Focus DataEntryForm::Reset() {
    if (Editing() && doc_.ui().AskYesNo("Save changes to this entry ?")) {
        if (const Focus focus = Enter(); focus != Focus::None) return focus;
    }
    date = CDate();
    Clear();
    return Focus::None;
}

void DataEntryForm::Delete() {
    if (!Editing()) return;
    if (doc_.DeleteEntry(editingId_, self_, true)) Clear();
}

int DataEntryForm::IndexOfSportAbbrev(const std::string& abbrev) const {
    for (size_t i = 0; i < sports_.size(); ++i)
        if (sports_[i].abbrev == abbrev) return static_cast<int>(i);
    return -1;
}

void DataEntryForm::LoadEntry(long entryId, bool duplicate) {
    WorkingEntry e;
    if (!doc_.LoadEntry(entryId, e)) return;
    editingId_ = duplicate ? -1 : entryId;
    date = duplicate ? CDate() : e.date;
    sport = IndexOfSportAbbrev(e.sptAbbrev);
    cls = 0;
    for (size_t i = 0; i < classes_.size(); ++i)
        if (classes_[i].abbrev == e.typeAbbrev) cls = static_cast<int>(i);
    distance = e.distance;
    time = e.time.Format(5);
    route = e.route;
    notes = e.notes;
    optionalOne = e.optionalOne;
    optionalTwo = e.optionalTwo;
    routine_ = e.routine;
    const int paceUnit =
        sport >= 0 && doc_.SportsSet().FindFirst(criteria::Is("SptAbbrev", e.sptAbbrev))
            ? static_cast<int>(doc_.SportsSet().PaceID)
            : 0;
    pace = IsTimePace(paceUnit) ? CElapsedTime::FromSeconds(e.pace).Format(3)
                                : FormatNumber(e.pace, 1, true, true);
    paceBefore_ = pace;
    if (!duplicate && onEditEntry) onEditEntry(entryId);
    ChooseSport(sport);
}

DataEntryForm::Focus DataEntryForm::ConvertEvent(const CDate& day, const std::string& sportAbbrev,
                                                 const std::string& name, bool race) {
    Clear();
    date = day;
    const int index = IndexOfSportAbbrev(sportAbbrev);
    if (index >= 0) ChooseSport(index);
    route = name;
    Focus focus = Focus::None;
    if (race) {
        for (size_t i = 0; i < classes_.size(); ++i)
            if (classes_[i].abbrev == "R") cls = static_cast<int>(i);
        focus = Focus::Distance;
    }
    RefillRoutes();
    UpdateRouteButton();
    return focus;
}

void DataEntryForm::OnUpdate(const UpdateHint& hint) {
    if (!initialized_) return;
    switch (hint.kind) {
        case UpdateHint::kEntryDeleted:
            if (Editing() && hint.id() == editingId_) Clear();
            break;
        case UpdateHint::kFilterApplied:
            if (Editing()) Clear();
            break;
        case UpdateHint::kSportsChanged:
            FillLists();
            RefillRoutes();
            UpdateRouteButton();
            break;
        case UpdateHint::kOptionalFieldNames:
            SetOptionalLabels();
            break;
        default:
            break;
    }
}

}  // namespace kivrun
