#include "document/OldLogWriter.h"

#include <algorithm>
#include <climits>

#include "document/TamselDoc.h"
#include "store/ColumnSettingsSet.h"
#include "store/Criteria.h"
#include "store/Database.h"
#include "store/DefaultRows.h"
#include "store/EventsSet.h"
#include "store/LogEntrySet.h"
#include "store/PreferencesSet.h"
#include "store/RoutesSet.h"
#include "store/SportsSet.h"
#include "store/TrainingTypesSet.h"
#include "store/UserInterface.h"
#include "values/Units.h"

namespace kivrun {
namespace {

// Field sizes of the log's text columns.
constexpr std::size_t kSportNameChars = 100;
constexpr std::size_t kRouteChars = 250;
constexpr std::size_t kEventNameChars = 100;
constexpr std::size_t kEventDetailsChars = 250;
constexpr std::size_t kAffiliationChars = 100;
constexpr std::size_t kColumnFieldNameChars = 50;

// Wider than any screen; a width beyond it is damage.
constexpr long kMaxColumnWidth = 4096;
// The time column's formats: H:MM up to M:SS.ss.
constexpr long kMaxTimeFormat = 4;

constexpr int kTimeColumn = 4;

std::string Cut(const std::string& text, std::size_t chars) {
    return std::string(FirstChars(text, chars));
}

// The log compares texts without regard to the case of ASCII letters.
std::string Folded(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string RouteKey(const std::string& sport, const std::string& trainingClass,
                     const std::string& route) {
    return Folded(sport + '\t' + trainingClass + '\t' + route);
}

}  // namespace

LogWriteSets LogWriteSets::Of(CTamselDoc& doc) {
    return LogWriteSets{doc.SportsSet(),  doc.TrainingTypesSet(),  doc.RoutesSet(),
                        doc.EventsSet(),  doc.ColumnSettingsSet(), doc.PreferencesSet(),
                        doc.LogEntrySet()};
}

void LimitedMessages::Show(const std::string& text) {
    if (shown_ < kMaxShown) {
        ++shown_;
        ui_.ShowMessage(text);
    } else {
        ++held_;
    }
}

void LimitedMessages::Finish() {
    if (held_ == 0) return;
    ui_.ShowMessage("There were " + std::to_string(held_) +
                    " more lines naming columns that this log does not have.");
    held_ = 0;
}

OldLogWriter::OldLogWriter(LogWriteSets sets, LimitedMessages& messages)
    : sets_(sets), messages_(messages) {
    // The small sets are looked up by key below; they must show the log as it is now.
    sets_.sports.Requery();
    sets_.classes.Requery();
    sets_.routes.Requery();
    sets_.columns.Requery();
    sets_.preferences.Requery();
}

const OldLogWriter::Sport* OldLogWriter::FindSport(const std::string& abbrev) {
    auto [at, added] = sports_.try_emplace(abbrev);
    if (added) {
        CSportsSet& s = sets_.sports;
        if (!abbrev.empty() && s.FindFirst(criteria::Is("SptAbbrev", abbrev)))
            at->second = Sport{s.SptAbbrev, s.PaceID, s.DistanceID};
    }
    return at->second ? &*at->second : nullptr;
}

std::optional<std::string> OldLogWriter::FindClass(const std::string& abbrev) {
    auto [at, added] = classes_.try_emplace(abbrev);
    if (added) {
        CTrainingTypesSet& c = sets_.classes;
        if (!abbrev.empty() && c.FindFirst(criteria::Is("TypeAbbrev", abbrev)))
            at->second = c.TypeAbbrev.get();
    }
    return at->second;
}

bool OldLogWriter::HasWeightsSport() {
    if (!hasWeights_) hasWeights_ = sets_.sports.FindFirst(criteria::Is("SptName", "Weights"));
    return *hasWeights_;
}

void OldLogWriter::BeginSports() {
    // Sports of the file come after those the log has, in the file's order.
    int next = 0;
    CSportsSet& s = sets_.sports;
    for (s.MoveFirst(); !s.IsEOF(); s.MoveNext())
        next = std::max(next, s.Order + 1);
    orderBase_ = next;
}

void OldLogWriter::AddSport(const OldSport& sport) {
    if (FindSport(sport.abbrev) || TrimRight(sport.name).empty()) return;
    CSportsSet& s = sets_.sports;
    try {
        s.AddNew();
        s.SptAbbrev = sport.abbrev;
        s.SptName = Cut(sport.name, kSportNameChars);
        s.PaceID = sport.paceId;
        s.DistanceID = sport.distanceId;
        s.Order = orderBase_ + sport.position;
        s.Image = SportImageIndex(s.SptName);
        s.Update();
    } catch (const DbError& error) {
        if (!error.IsRefusal()) throw;  // the file or the disk failed, not the row
        s.CancelUpdate();
        return;
    }
    ++sportsAdded_;
    sports_.clear();
    hasWeights_.reset();
    const auto pending = pendingRoutes_.find(Folded(sport.abbrev));
    if (pending == pendingRoutes_.end()) return;
    const auto routes = std::move(pending->second);
    pendingRoutes_.erase(pending);
    for (const auto& [trainingClass, route] : routes)
        StoreRoute(sport.abbrev, trainingClass, route);
}

void OldLogWriter::AddRoute(const std::string& code, const std::string& route) {
    if (CharCount(code) != 2) return;
    const std::string sport(FirstChars(code, 1));
    const std::string trainingClass = code.substr(sport.size());
    if (const Sport* s = FindSport(sport)) {
        StoreRoute(s->abbrev, trainingClass, route);
    } else {
        // Kept until the file's "Sports" section has been read, wherever it stands.
        pendingRoutes_[Folded(sport)].emplace_back(trainingClass, route);
    }
}

bool OldLogWriter::AddCopiedRoute(const std::string& sport, const std::string& trainingClass,
                                  const std::string& route) {
    const Sport* s = FindSport(sport);
    return s && StoreRoute(s->abbrev, trainingClass, route);
}

bool OldLogWriter::StoreRoute(const std::string& sport, const std::string& trainingClass,
                              const std::string& route) {
    // Routes are a list to choose from: one that is there already is not added again.
    const std::optional<std::string> cls = FindClass(trainingClass);
    if (!cls) return false;
    const std::string text = Cut(route, kRouteChars);
    CRoutesSet& r = sets_.routes;
    if (!knownRoutes_) {
        knownRoutes_.emplace();
        for (r.MoveFirst(); !r.IsEOF(); r.MoveNext())
            knownRoutes_->insert(RouteKey(r.SptAbbrev, r.TrainingTypeAbbrev, r.Route));
    }
    if (!knownRoutes_->insert(RouteKey(sport, *cls, text)).second) return false;
    try {
        r.AddNew();
        r.SptAbbrev = sport;
        r.TrainingTypeAbbrev = *cls;
        r.Route = text;
        r.Update();
    } catch (const DbError& error) {
        if (!error.IsRefusal()) throw;  // the file or the disk failed, not the row
        r.CancelUpdate();
        knownRoutes_->erase(RouteKey(sport, *cls, text));
        return false;
    }
    ++routesAdded_;
    return true;
}

void OldLogWriter::AddEvent(const OldEvent& event) {
    const Sport* s = FindSport(event.sport);
    CEventsSet& e = sets_.events;
    try {
        e.AddNew();
        e.Date = event.date.ToSerial();
        e.SptAbbrev = s ? s->abbrev : event.sport;
        e.EventName = Cut(event.name, kEventNameChars);
        e.EventDetails = Cut(event.details, kEventDetailsChars);
        e.Update();
        ++eventsAdded_;
    } catch (const DbError& error) {
        if (!error.IsRefusal()) throw;  // the file or the disk failed, not the row
        e.CancelUpdate();
    }
}

bool OldLogWriter::AddCopiedEvent(double date, const std::string& sport, const std::string& name,
                                  const std::string& details, const std::string& affiliation) {
    const Sport* s = FindSport(sport);
    if (!s) return false;
    CEventsSet& e = sets_.events;
    try {
        e.AddNew();
        e.Date = date;
        e.SptAbbrev = s->abbrev;
        e.EventName = Cut(name, kEventNameChars);
        e.EventDetails = Cut(details, kEventDetailsChars);
        e.EventAffiliation = Cut(affiliation, kAffiliationChars);
        e.Update();
    } catch (const DbError& error) {
        if (!error.IsRefusal()) throw;  // the file or the disk failed, not the row
        e.CancelUpdate();
        return false;
    }
    ++eventsAdded_;
    return true;
}

void OldLogWriter::SetColumnWidth(const std::string& label, std::optional<long> width) {
    CColumnSettingsSet& c = sets_.columns;
    if (!c.FindFirst(criteria::Is("ColumnLabel", label))) {
        messages_.Show("Invalid column !!!");
        return;
    }
    if (!width || *width < 0 || *width > kMaxColumnWidth) return;
    c.Edit();
    c.ColumnWidth = static_cast<int>(*width);
    c.Update();
}

void OldLogWriter::SetWeekStart(long day) {
    // Any other number would put every week out of joint.
    if (day >= 0 && day <= 6) sets_.preferences.SetWeekStartDay(static_cast<int>(day));
}

void OldLogWriter::SetDefaultSport(const std::string& name) {
    sets_.preferences.SetDefaultSport(name);
}

void OldLogWriter::SetBackupDays(long days) {
    if (days >= 0)
        sets_.preferences.SetDaysBetweenBackup(static_cast<int>(std::min<long>(days, INT_MAX)));
}

void OldLogWriter::SetColumnOrder(const std::vector<std::optional<long>>& columnIds) {
    // The visible columns must stay numbered 0, 1, 2 ... without gaps, so unknown and
    // repeated ids take no place; when no id names a column the layout stays as it is.
    CColumnSettingsSet& c = sets_.columns;
    std::vector<int> shown;
    bool missing = false;
    for (const std::optional<long>& id : columnIds) {
        if (!id || *id < INT_MIN || *id > INT_MAX || !c.FindColumn(static_cast<int>(*id))) {
            missing = true;
        } else if (std::find(shown.begin(), shown.end(), *id) == shown.end()) {
            shown.push_back(static_cast<int>(*id));
        }
    }
    if (missing) messages_.Show("Column Setting Not Found!!!");
    if (shown.empty()) return;
    for (c.MoveFirst(); !c.IsEOF(); c.MoveNext()) {
        if (!c.ColumnVisible) continue;
        c.Edit();
        c.ColumnVisible = false;
        c.Update();
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        c.FindColumn(shown[i]);
        c.Edit();
        c.ColumnOrder = static_cast<int>(i);
        c.ColumnVisible = true;
        c.Update();
    }
    c.Requery();
}

void OldLogWriter::SetTimeColumnFormat(std::optional<long> format) {
    CColumnSettingsSet& c = sets_.columns;
    if (!c.FindColumn(kTimeColumn)) {
        messages_.Show("Time Column Setting not found!!!");
        return;
    }
    if (!format || *format < 0 || *format > kMaxTimeFormat) return;
    c.Edit();
    c.ColumnFormat = static_cast<int>(*format);
    c.Update();
}

void OldLogWriter::SetOptionalFieldName(int columnId, const std::string& name) {
    CColumnSettingsSet& c = sets_.columns;
    if (!c.FindColumn(columnId)) {
        messages_.Show("Column Setting not found!!!");
        return;
    }
    c.Edit();
    c.ColumnFieldName = Cut(name, kColumnFieldNameChars);
    c.Update();
}

void OldLogWriter::AddWorkout(const OldWorkout& w) {
    const Sport* s = FindSport(w.sport);
    if (!s) return;
    CopiedEntry row;
    row.date = w.date.ToSerial();
    row.sport = s->abbrev;
    row.trainingClass = w.trainingClass;
    row.distance = w.distance;
    row.seconds = w.seconds;
    // Minutes per mile over miles: the old program kept no such pace, so it is worked out.
    row.pace =
        s->paceId == pace_unit::kMinutesPerMile && s->distanceId == distance_unit::kMiles
            ? ComputePace(pace_unit::kMinutesPerMile, w.seconds, w.distance, distance_unit::kMiles)
                  .value
            : w.pace;
    row.route = w.route;
    row.notes = w.notes;
    row.optionalOne = w.optionalOne;
    row.optionalTwo = w.optionalTwo;
    AddEntry(row);
}

bool OldLogWriter::AddEntry(const CopiedEntry& row) {
    const Sport* s = FindSport(row.sport);
    if (!s) return false;
    // A class this log does not know becomes General, as the old classes did.
    std::optional<std::string> cls = FindClass(row.trainingClass);
    if (!cls) cls = FindClass("G");
    if (!cls) return false;
    CLogEntrySet& e = sets_.entries;
    try {
        e.AddNew();
        e.Date = row.date;
        e.SptAbbrev = s->abbrev;
        e.TrainingTypeAbbrev = *cls;
        e.Distance = row.distance;
        e.Time = row.seconds;
        e.Pace = row.pace;
        e.Route = Cut(row.route, kRouteChars);
        e.Notes = row.notes;
        e.OptionalOne = row.optionalOne;
        e.OptionalTwo = row.optionalTwo;
        e.Update();
    } catch (const DbError& error) {
        if (!error.IsRefusal()) throw;  // the file or the disk failed, not the row
        e.CancelUpdate();
        return false;
    }
    ++entriesAdded_;
    return true;
}

}  // namespace kivrun
