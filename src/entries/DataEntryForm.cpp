#include "entries/DataEntryForm.h"

#include <algorithm>
#include <cctype>

#include "document/TamselDoc.h"
#include "entries/TimeChecks.h"
#include "values/NumberFormat.h"
#include "values/Units.h"

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
    const Catalog& catalog = doc_.GetCatalog();
    classes_.clear();
    for (const ClassInfo& c : catalog.classes)
        classes_.push_back({c.name, c.abbrev});
    sports_.clear();
    for (const SportInfo& s : catalog.sports)
        sports_.push_back({s.name, s.abbrev});
    // What was chosen stays chosen, by name.
    sport = -1;
    for (size_t i = 0; i < sports_.size(); ++i)
        if (!sportName.empty() && sports_[i].name == sportName) sport = static_cast<int>(i);
    for (size_t i = 0; i < classes_.size(); ++i)
        if (classes_[i].name == className) cls = static_cast<int>(i);
    if (size_t(cls) >= classes_.size()) cls = 0;
}

void DataEntryForm::SetOptionalLabels() {
    for (const ListColumn& c : doc_.Columns(true)) {
        if (c.id == 6) optionalOneLabel_ = c.fieldName + ":";
        if (c.id == 7) optionalTwoLabel_ = c.fieldName + ":";
    }
}

const SportInfo* DataEntryForm::ChosenSport() {
    if (sport < 0 || size_t(sport) >= sports_.size()) return nullptr;
    return doc_.GetCatalog().SportNamed(sports_[size_t(sport)].name);
}

DataEntryForm::Focus DataEntryForm::InitialUpdate() {
    FillLists();
    SetOptionalLabels();
    Clear();
    Focus focus = Focus::None;
    const CDate today;
    // A copy opened read-only cannot take the workout, nor let the event go.
    const std::vector<EventRow> events =
        doc_.IsReadOnly() ? std::vector<EventRow>() : doc_.EventsBetween(today, today);
    if (!events.empty()) {
        const EventRow event = events.front();
        if (doc_.ui().AskYesNo("There is an event scheduled for today!!\nWould you like to "
                               "convert the event to an entry???"))
            focus = LogEvent(event.eventId);
    }
    initialized_ = true;
    return focus;
}

void DataEntryForm::Clear() {
    editingId_ = -1;
    fromEvent_ = 0;
    duplicate_ = false;
    routine_.clear();
    weights_ = false;
    distanceEnabled_ = true;
    sport = -1;
    const std::string defaultSport = doc_.Preference("DefaultSport");
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
    distanceTip_.clear();
    paceTip_.clear();
    equipment.clear();
    // The preselected sport shows its units and mode, as if the user had chosen it.
    if (sport >= 0)
        ChooseSport(sport);
    else
        RefillEquipment(false);
    RefillRoutes();
    routeLength_ = 0;
    routeButtonEnabled_ = false;
    routeButtonAdds_ = true;
}

void DataEntryForm::RefillEquipment(bool takeDefaults) {
    const SportInfo* s = ChosenSport();
    const std::string abbrev = s ? s->abbrev : std::string();
    if (takeDefaults) equipment = doc_.DefaultEquipment(abbrev);
    equipmentChoices_.clear();
    for (const EquipmentItem& item : doc_.Equipment()) {
        const bool ticked =
            std::find(equipment.begin(), equipment.end(), item.equipmentId) != equipment.end();
        if (ticked || (!item.retired && item.UsedFor(abbrev)))
            equipmentChoices_.push_back({item.equipmentId, item.name});
    }
}

void DataEntryForm::ChooseSport(int index) {
    if (index < 0 || size_t(index) >= sports_.size()) return;
    sport = index;
    // A new workout takes what its sport takes by default; an edit keeps its own items.
    RefillEquipment(!Editing());
    const std::string& name = sports_[size_t(index)].name;
    weights_ = name == "Weights";
    distanceEnabled_ = !weights_;
    if (const SportInfo* s = doc_.GetCatalog().SportNamed(name)) {
        paceUnit_ = s->paceName;
        distanceUnit_ = s->distanceName;
        paceTip_ = paceUnit_.empty() ? std::string() : PaceUnitMeaning(s->paceUnit);
        distanceTip_ = distanceUnit_.empty() ? std::string() : DistanceUnitMeaning(s->distanceUnit);
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
    if (time.empty()) return;
    const SportInfo* s = ChosenSport();
    if (!s) return;
    pace = kivrun::ComputePace(s->paceUnit, CElapsedTime(time).TotalSeconds(), distance,
                               s->distanceUnit)
               .text;
    paceBefore_ = pace;
}

DataEntryForm::Focus DataEntryForm::RefuseDate() {
    doc_.ui().ShowMessage(
        "Date is not valid !! \nType it as M/D/YYYY or choose it from the calendar !");
    return Focus::Date;
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
    } else if (!pace.empty()) {
        if (const SportInfo* s = ChosenSport())
            time = TimeFromDistanceAndPace(s->paceUnit, distance, s->distanceUnit, pace).Format(1);
    }
}

void DataEntryForm::LeavePace() {
    if ((!time.empty() && pace == paceBefore_) || distance == 0.0 || pace.empty()) return;
    const SportInfo* s = ChosenSport();
    if (!s) return;
    if (IsTimePace(s->paceUnit)) {
        // 7:30 is minutes and seconds, 7.5 decimal minutes; anything else stays as typed.
        if (CElapsedTime::IsDecimal(pace))
            pace = CElapsedTime::FromSeconds(TextToDouble(pace) * 60.0).Format(3);
        else if (CElapsedTime::Validate(pace) == 1)
            pace = CElapsedTime(":" + pace).Format(3);
    }
    paceBefore_ = pace;
    time = TimeFromDistanceAndPace(s->paceUnit, distance, s->distanceUnit, pace).Format(1);
}

std::string DataEntryForm::Group() const {
    return size_t(cls) < classes_.size() && classes_[size_t(cls)].abbrev == "R" ? "R" : "G";
}

void DataEntryForm::RefillRoutes() {
    routes_.clear();
    if (sport < 0) return;
    for (const RouteRow& r : doc_.Routes(sports_[size_t(sport)].abbrev, Group()))
        routes_.push_back(r.route);
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
    const bool listed = std::find(routes_.begin(), routes_.end(), text) != routes_.end();
    if (routeButtonAdds_) {
        if (!listed) doc_.AddRoute(sportAbbrev, Group(), text, self_);
    } else if (listed &&
               doc_.ui().AskYesNo("Are you sure you want to delete the selected route?")) {
        doc_.RemoveRoute(sportAbbrev, Group(), text, self_);
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
    const SportInfo* s = ChosenSport();
    e.sptAbbrev = s ? s->abbrev : std::string(" ");
    const ClassInfo* c = nullptr;
    if (size_t(cls) < classes_.size())
        for (const ClassInfo& info : doc_.GetCatalog().classes)
            if (!c && info.name == classes_[size_t(cls)].name) c = &info;
    e.typeAbbrev = c ? c->abbrev : std::string(" ");
    if (s && s->distanceUnit != distance_unit::kNone) {
        e.distance = distance;
        e.pace =
            IsTimePace(s->paceUnit) ? CElapsedTime(":" + pace).TotalSeconds() : TextToDouble(pace);
    }
    e.time = CElapsedTime::FromUserText(time);
    // "45:00" is 45 hours: a pace no one reaches or falls to is asked about before it is kept.
    if (s && e.distance > 0.0 &&
        !IsPlausiblePace(s->paceUnit, kivrun::ComputePace(s->paceUnit, e.time.TotalSeconds(),
                                                          e.distance, s->distanceUnit)
                                          .value) &&
        !doc_.ui().AskYesNo(ImplausibleTimeQuestion(e.time)))
        return Focus::Time;
    e.optionalOne = optionalOne;
    e.optionalTwo = optionalTwo;
    e.route = route;
    e.notes = notes;
    e.routine = routine_;
    e.equipment = equipment;
    const RowId written = Editing()         ? doc_.UpdateEntry(editingId_, e, self_)
                          : fromEvent_ != 0 ? doc_.AddEntryFromEvent(e, fromEvent_, self_)
                                            : doc_.AddEntry(e, self_,
                                                            duplicate_ ? undo_name::kDuplicateEntry
                                                                       : undo_name::kAddEntry);
    // A write that failed has said why; what the user typed stays for another try.
    if (written == 0) return Focus::Unsaved;
    statusNote_.clear();
    for (const std::string& warning : doc_.TakeEquipmentWarnings())
        statusNote_ += (statusNote_.empty() ? "" : "  ") + warning;
    doc_.SetCurrentEntry(written, self_);
    RememberRoute();
    Clear();
    return Focus::None;
}

void DataEntryForm::RememberRoute() {
    // A route a workout was kept with is offered next time, as if Add had been pressed.
    const std::string text = TrimRight(route);
    if (text.empty() || sport < 0 ||
        std::find(routes_.begin(), routes_.end(), text) != routes_.end())
        return;
    doc_.AddRoute(sports_[size_t(sport)].abbrev, Group(), text, self_);
}

std::string DataEntryForm::TimeRead() const {
    return TimeAsRead(time);
}

bool DataEntryForm::HasUnsavedValues() const {
    const auto blank = [](const std::string& s) { return TrimRight(s).empty(); };
    return Editing() || distance != 0.0 || !blank(pace) || !blank(time) || optionalOne != 0.0 ||
           optionalTwo != 0.0 || !blank(route) || !blank(notes) || !routine_.empty();
}

bool DataEntryForm::SaveBeforeReset(bool typing) {
    // A read-only copy keeps nothing, so there is nothing to offer.
    if (doc_.IsReadOnly()) return false;
    if (Editing()) return doc_.ui().AskYesNo("Save changes to this entry ?");
    // A workout typed and not entered is not thrown away without a word.
    return (typing || HasUnsavedValues()) && doc_.ui().AskYesNo("Save this new entry ?");
}

DataEntryForm::Focus DataEntryForm::Reset() {
    if (SaveBeforeReset(false)) {
        if (const Focus focus = Enter(); focus != Focus::None) return focus;
    }
    ClearForToday();
    return Focus::None;
}

void DataEntryForm::ClearForToday() {
    date = CDate();
    Clear();
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

void DataEntryForm::LoadEntry(RowId entryId, bool duplicate) {
    WorkingEntry e;
    if (!doc_.LoadEntry(entryId, e)) return;
    editingId_ = duplicate ? -1 : entryId;
    duplicate_ = duplicate;
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
    const SportInfo* info = doc_.GetCatalog().Sport(e.sptAbbrev);
    const int paceUnit = sport >= 0 && info ? info->paceUnit : 0;
    pace = IsTimePace(paceUnit) ? CElapsedTime::FromSeconds(e.pace).Format(3)
                                : FormatNumber(e.pace, 1, true, true);
    paceBefore_ = pace;
    if (!duplicate) doc_.SetCurrentEntry(entryId, self_);
    ChooseSport(sport);
    equipment = e.equipment;  // a copy uses what the workout used
    RefillEquipment(false);
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

DataEntryForm::Focus DataEntryForm::LogEvent(RowId eventId) {
    const std::optional<EventRow> event = doc_.Event(eventId);
    if (!event) return Focus::None;
    const Focus focus =
        ConvertEvent(CDate::FromSerial(event->date), event->sport, event->name, true);
    fromEvent_ = eventId;
    return focus;
}

void DataEntryForm::OnUpdate(const UpdateHint& hint) {
    if (!initialized_) return;
    switch (hint.kind) {
        case Notice::EntryDeleted:
            if (Editing() && hint.id == editingId_) Clear();
            break;
        case Notice::FilterApplied:
            if (Editing()) Clear();
            break;
        case Notice::SportsChanged:
            FillLists();
            RefillRoutes();
            UpdateRouteButton();
            break;
        case Notice::OptionalFieldNames:
            SetOptionalLabels();
            break;
        case Notice::EquipmentChanged:
            RefillEquipment(false);
            break;
        default:
            break;
    }
}

}  // namespace kivrun
