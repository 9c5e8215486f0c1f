#include "document/ActivityBatch.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

#include "document/TamselDoc.h"
#include "store/Database.h"
#include "store/LogDatabase.h"
#include "values/NumberFormat.h"
#include "values/TextEncoding.h"
#include "values/Units.h"

namespace kivrun {
namespace {

constexpr int kFieldOneColumn = 6;
constexpr int kFieldTwoColumn = 7;

std::string Lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// How device sports are looked up: any case, as the log keeps them.
std::string Key(const std::string& deviceSport) {
    return Lowered(StoredDeviceSport(deviceSport));
}

std::string BaseSport(const std::string& deviceSport) {
    return deviceSport.substr(0, deviceSport.find('/'));
}

// A file's name may be any bytes; the log keeps UTF-8.
std::string FileName(const std::string& path) {
    return Utf8OrWindows1252(std::filesystem::path(path).filename().string());
}

template <typename Map>
const std::string* Find(const Map& map, const std::string& key) {
    auto it = map.find(key);
    return it == map.end() ? nullptr : &it->second;
}

}  // namespace

const std::string& ActivityItem::DeviceSport() const {
    static const std::string none;
    return session ? session->sportName : none;
}

WorkoutRules WorkoutRulesOf(CTamselDoc& doc) {
    WorkoutRules rules;
    rules.time = DeviceTimeFromText(
        doc.Preference(kDeviceTimePreference, DeviceTimeText(DeviceTime::Moving)));
    std::string names[2];
    for (const ListColumn& column : doc.Columns(true))
        if (column.id == kFieldOneColumn || column.id == kFieldTwoColumn)
            names[column.id - kFieldOneColumn] = column.fieldName;
    rules.heartRateField =
        HeartRateField(doc.Preference(kDeviceHeartRatePreference, ""), names[0], names[1]);
    const Catalog& catalog = doc.GetCatalog();
    // The class a new workout of the entry form starts with.
    rules.cls = catalog.classes.empty() ? std::string(" ") : catalog.classes.front().abbrev;
    return rules;
}

ActivityBatch::ActivityBatch(CTamselDoc& doc) : doc_(doc), rules_(WorkoutRulesOf(doc)) {
    logKnowsImports_ = doc.Database().TableExists("Imported Activities");
    for (const auto& [deviceSport, sport] : doc.DeviceSports())
        remembered_[Key(deviceSport)] = sport;
}

void ActivityBatch::MapDeviceSport(const std::string& deviceSport, const std::string& sport) {
    mapped_[Key(TrimBlanks(deviceSport))] = sport;
}

std::string ActivityBatch::SportFor(const std::string& deviceSport) const {
    const std::string full = Key(deviceSport);
    const std::string base = BaseSport(full);
    const Catalog& catalog = doc_.GetCatalog();
    for (const std::string* sport : {Find(chosen_, full), Find(mapped_, full), Find(mapped_, base),
                                     Find(remembered_, full), Find(remembered_, base)})
        if (sport && catalog.Sport(*sport)) return *sport;
    return SportByName(deviceSport, catalog.sports);
}

void ActivityBatch::Add(const std::string& path, devices::Activity activity) {
    ActivityItem file;
    file.path = path;
    file.kind = activity.kind;
    file.read = activity.status;
    file.device = activity.device;
    std::size_t workouts = 0;
    for (devices::Session& session : activity.sessions) {
        if (session.transition) continue;
        ++workouts;
        ActivityItem item = file;
        if (activity.status == devices::ReadStatus::Salvaged) item.reason = activity.reason;
        item.start = LocalStartOf(session.start, session.localOffset);
        item.sport = SportFor(session.sportName);
        item.session = std::move(session);
        items_.push_back(std::move(item));
        Evaluate(items_.size() - 1);
    }
    if (workouts > 0) return;
    file.reason = activity.reason;
    if (activity.status == devices::ReadStatus::NotAnActivity) {
        file.status = ActivityItem::Status::NotAnActivity;
    } else {
        file.status = ActivityItem::Status::Refused;
        if (file.reason.empty()) file.reason = "only multisport transitions";
    }
    items_.push_back(std::move(file));
}

WorkoutSpan ActivityBatch::SpanOf(const ActivityItem& item) const {
    WorkoutSpan span;
    const devices::Session& s = *item.session;
    if (s.start > 0) span.start = s.start;
    span.elapsed = std::max(s.elapsed, s.timer);
    span.times = {SessionSeconds(s, DeviceTime::Moving), SessionSeconds(s, DeviceTime::Elapsed)};
    if (const SportInfo* sport = doc_.GetCatalog().Sport(item.sport);
        sport && sport->distanceUnit < distance_unit::kNone)
        span.distance = Round(
            ConvertDistance(SessionMetres(s) / 1000.0, distance_unit::kKm, sport->distanceUnit), 2);
    return span;
}

void ActivityBatch::Evaluate(std::size_t index) {
    ActivityItem& item = items_[index];
    item.status = ActivityItem::Status::New;
    item.sameEntry = 0;
    item.sameItem = -1;
    FindInLog(item);
    if (item.status == ActivityItem::Status::New) FindInBatch(index);
    item.checked = item.status == ActivityItem::Status::New && CanCheck(index);
}

void ActivityBatch::FindInLog(ActivityItem& item) const {
    SqliteDb& db = doc_.Database().sql();
    const devices::Session& s = *item.session;
    if (logKnowsImports_) {
        // The same activity, from this file or a copy of it, whose workout is still there.
        Statement& same = db.Cached(
            "SELECT i.EntryID FROM \"Imported Activities\" i JOIN \"Log Entry\" e ON e.EntryID = "
            "i.EntryID WHERE i.Start = ? AND i.DeviceSport = ? AND abs(coalesce(i.Distance, 0) - "
            "?) < 1 LIMIT 1");
        same.Bind(1, s.start).Bind(2, StoredDeviceSport(s.sportName)).Bind(3, SessionMetres(s));
        if (same.Step()) {
            item.status = ActivityItem::Status::InLog;
            item.sameEntry = same.Int64(0);
        }
        same.Reset();
        if (item.status != ActivityItem::Status::New) return;
    }
    if (item.sport.empty()) return;
    const WorkoutSpan span = SpanOf(item);
    Statement& day = db.Cached(
        logKnowsImports_
            ? "SELECT e.EntryID, e.Distance, e.Time, i.Start, i.Elapsed FROM \"Log Entry\" e "
              "LEFT JOIN \"Imported Activities\" i ON i.EntryID = e.EntryID "
              "WHERE e.Date >= ?1 AND e.Date < ?1 + 1 AND e.SptAbbrev = ?2 ORDER BY e.Date, "
              "e.EntryID"
            : "SELECT EntryID, Distance, Time, NULL, NULL FROM \"Log Entry\" "
              "WHERE Date >= ?1 AND Date < ?1 + 1 AND SptAbbrev = ?2 ORDER BY Date, EntryID");
    day.Bind(1, item.start.day.ToSerial()).Bind(2, item.sport);
    while (day.Step()) {
        WorkoutSpan other;
        other.distance = day.IsNull(1) ? 0 : day.Real(1);
        other.times = {day.IsNull(2) ? 0 : day.Real(2)};
        if (!day.IsNull(3)) {
            other.start = day.Int64(3);
            other.elapsed = day.IsNull(4) ? 0 : day.Real(4);
        }
        if (ProbablySameWorkout(span, other)) {
            item.status = ActivityItem::Status::SameWorkout;
            item.sameEntry = day.Int64(0);
            break;
        }
    }
    day.Reset();
}

void ActivityBatch::FindInBatch(std::size_t index) {
    ActivityItem& item = items_[index];
    if (item.sport.empty()) return;
    const WorkoutSpan span = SpanOf(item);
    for (std::size_t j = 0; j < index; ++j) {
        const ActivityItem& other = items_[j];
        if (other.status != ActivityItem::Status::New || !other.session ||
            other.sport != item.sport || other.start.day != item.start.day)
            continue;
        if (ProbablySameWorkout(span, SpanOf(other))) {
            item.status = ActivityItem::Status::SameWorkout;
            item.sameItem = static_cast<int>(j);
            return;
        }
    }
}

bool ActivityBatch::CanCheck(std::size_t index) const {
    const ActivityItem& item = items_.at(index);
    return item.session && !item.sport.empty() && item.entryId == 0;
}

void ActivityBatch::SetChecked(std::size_t index, bool checked) {
    if (CanCheck(index)) items_[index].checked = checked;
}

std::vector<std::size_t> ActivityBatch::ChooseSport(std::size_t index, const std::string& sport) {
    std::vector<std::size_t> changed;
    if (index >= items_.size() || !items_[index].session || !doc_.GetCatalog().Sport(sport))
        return changed;
    const std::string deviceSport = Key(items_[index].DeviceSport());
    chosen_[deviceSport] = sport;
    // Later activities may be duplicates of these: everything after the first one touched
    // is looked at again, keeping the user's checks where nothing changed.
    for (std::size_t i = 0; i < items_.size(); ++i) {
        ActivityItem& item = items_[i];
        if (!item.session || item.entryId != 0) continue;
        const bool ours = Key(item.DeviceSport()) == deviceSport;
        if (changed.empty() && !ours) continue;
        const ActivityItem before = item;
        if (ours) item.sport = sport;
        Evaluate(i);
        if (!ours && item.status == before.status && item.sameEntry == before.sameEntry &&
            item.sameItem == before.sameItem) {
            item.checked = before.checked;
            continue;
        }
        changed.push_back(i);
    }
    return changed;
}

void ActivityBatch::CheckDuplicates() {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const ActivityItem::Status s = items_[i].status;
        if (s == ActivityItem::Status::InLog || s == ActivityItem::Status::SameWorkout)
            SetChecked(i, true);
    }
}

std::size_t ActivityBatch::CheckedCount() const {
    return static_cast<std::size_t>(std::count_if(
        items_.begin(), items_.end(), [](const ActivityItem& item) { return item.checked; }));
}

std::optional<EntryDetail> ActivityBatch::Workout(std::size_t index) const {
    const ActivityItem& item = items_.at(index);
    const SportInfo* sport = doc_.GetCatalog().Sport(item.sport);
    if (!item.session || !sport) return std::nullopt;
    return WorkoutOf(*item.session, item.device, *sport, rules_);
}

std::string ActivityBatch::EntryText(RowId entryId) const {
    const std::optional<EntryDetail> entry = doc_.Entry(entryId);
    if (!entry) return "a workout of the log";
    const EntryRow& e = entry->entry;
    const SportInfo* sport = doc_.GetCatalog().Sport(e.sport);
    std::string text =
        (sport ? sport->name : e.sport) + " on " + CDate::FromSerial(e.date).Format(1);
    if (sport && sport->distanceUnit < distance_unit::kNone)
        text += ", " + FormatNumber(e.distance, 2, true, false) + " " + sport->distanceShortName;
    return text + ", " + CElapsedTime::FromSeconds(e.time).Format(1);
}

std::string ActivityBatch::StatusText(std::size_t index) const {
    const ActivityItem& item = items_.at(index);
    const std::string damage =
        item.read == devices::ReadStatus::Salvaged ? "; damaged: " + item.reason : std::string();
    switch (item.status) {
        case ActivityItem::Status::New:
            if (item.entryId != 0) return "imported" + damage;
            if (item.sport.empty()) return "no sport for " + item.DeviceSport() + damage;
            return "new" + damage;
        case ActivityItem::Status::InLog:
            return "already in the log";
        case ActivityItem::Status::SameWorkout:
            if (item.sameEntry != 0)
                return "probably the same workout as " + EntryText(item.sameEntry);
            return "probably the same workout as " + FileName(items_[item.sameItem].path);
        case ActivityItem::Status::NotAnActivity:
            return "not an activity: " + item.reason;
        case ActivityItem::Status::Refused:
            return "refused: " + item.reason;
    }
    return {};
}

int ActivityBatch::Import(View* sender) {
    std::vector<ImportedWorkout> workouts;
    std::vector<std::size_t> written;
    std::map<std::string, std::string> remember;
    // A workout from a device takes the equipment its sport takes by default.
    std::map<std::string, std::vector<RowId>> defaults;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const ActivityItem& item = items_[i];
        if (!item.checked || !CanCheck(i)) continue;
        std::optional<EntryDetail> workout = Workout(i);
        if (!workout) continue;
        const auto known = defaults.find(item.sport);
        workout->equipment = known != defaults.end()
                                 ? known->second
                                 : defaults[item.sport] = doc_.DefaultEquipment(item.sport);
        const devices::Session& s = *item.session;
        workouts.push_back({*workout,
                            {s.start, std::max(s.elapsed, s.timer), StoredDeviceSport(s.sportName),
                             SessionMetres(s), FileName(item.path)}});
        written.push_back(i);
        // The user's choice, or the tool's, is the log's from now on.
        const std::string full = Key(s.sportName);
        const std::string base = BaseSport(full);
        if (const std::string* sport = Find(chosen_, full)) {
            remember[full] = *sport;
        } else if (const std::string* mapped = Find(mapped_, full)) {
            remember[full] = *mapped;
        } else if (const std::string* mappedBase = Find(mapped_, base)) {
            remember[base] = *mappedBase;
        }
    }
    if (workouts.empty()) return 0;
    const std::vector<RowId> ids = doc_.ImportActivities(workouts, remember, sender);
    if (ids.size() != written.size()) return 0;
    for (std::size_t k = 0; k < ids.size(); ++k) {
        items_[written[k]].entryId = ids[k];
        items_[written[k]].checked = false;
    }
    return static_cast<int>(ids.size());
}

}  // namespace kivrun
