// Shoes, bikes and boats: the items of the log, the workouts that used them and what they
// have done. Each write is one transaction with its undo step and notice.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

#include "document/TamselDocSets.h"
#include "store/LogDatabase.h"
#include "values/NumberFormat.h"
#include "values/Units.h"

namespace kivrun {
namespace {

constexpr const char* kItemColumns =
    "EquipmentID, Name, Kind, StartDistance, LimitDistance, LimitTime, Retired, Notes";

EquipmentItem ReadItem(const Statement& s) {
    EquipmentItem item;
    item.equipmentId = s.Int64(0);
    item.name = s.Text(1);
    item.kind = s.Text(2);
    item.startKm = s.Real(3);
    item.limitKm = s.Real(4);
    item.limitSeconds = s.Real(5);
    item.retired = s.Int64(6) != 0;
    item.notes = s.Text(7);
    return item;
}

// A workout's distance in km; sports without a distance unit add nothing.
double KmOf(double distance, const SportInfo* sport) {
    if (!sport || sport->distanceUnit < 0 || sport->distanceUnit > distance_unit::kMeters)
        return 0.0;
    return ConvertDistance(distance, sport->distanceUnit, distance_unit::kKm);
}

// An entry's distance in km as SQL: each sport's unit as a factor, so that the totals group
// by item alone, in the order of the item index, rather than sort every use by item and sport.
std::string KmExpression(const Catalog& catalog) {
    std::string sql = "e.Distance * CASE e.SptAbbrev";
    for (const SportInfo& sport : catalog.sports) {
        const double factor = KmOf(1.0, &sport);
        if (factor == 0.0) continue;
        char number[32];
        const auto end = std::to_chars(number, number + sizeof number, factor).ptr;
        std::string abbrev;
        for (char c : sport.abbrev)
            abbrev += c == '\'' ? std::string("''") : std::string(1, c);
        sql += " WHEN '" + abbrev + "' THEN " + std::string(number, end);
    }
    return sql + " ELSE 0 END";
}

std::string KmText(double km) {
    return FormatNumber(km, 1, true, false) + " km";
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace

bool CTamselDoc::HasEquipmentTables() {
    if (!db_) return false;
    if (!hasEquipment_)
        hasEquipment_ = db_->TableExists("Equipment") && db_->TableExists("Equipment Sports") &&
                        db_->TableExists("Equipment Use");
    return *hasEquipment_;
}

// --- Reads ------------------------------------------------------------------------------------

std::vector<EquipmentItem> CTamselDoc::Equipment() {
    std::vector<EquipmentItem> items;
    if (!HasEquipmentTables()) return items;
    ReadTransaction tx(db_->sql());
    Statement& s = db_->sql().Cached("SELECT " + std::string(kItemColumns) +
                                     " FROM Equipment ORDER BY Name COLLATE NOCASE, EquipmentID");
    std::map<RowId, std::size_t> at;
    while (s.Step()) {
        at[s.Int64(0)] = items.size();
        items.push_back(ReadItem(s));
    }
    s.Reset();
    Statement& sports = db_->sql().Cached(
        "SELECT e.EquipmentID, e.SptAbbrev, e.IsDefault FROM \"Equipment Sports\" AS e "
        "LEFT JOIN Sports AS s ON s.SptAbbrev = e.SptAbbrev ORDER BY s.\"Order\", e.rowid");
    while (sports.Step()) {
        const auto it = at.find(sports.Int64(0));
        if (it != at.end())
            items[it->second].sports.push_back({sports.Text(1), sports.Int64(2) != 0});
    }
    sports.Reset();
    return items;
}

std::optional<EquipmentItem> CTamselDoc::EquipmentById(RowId equipmentId) {
    for (EquipmentItem& item : Equipment())
        if (item.equipmentId == equipmentId) return std::move(item);
    return std::nullopt;
}

std::optional<EquipmentItem> CTamselDoc::EquipmentNamed(const std::string& name) {
    const std::string wanted = Lower(TrimBlanks(name));
    for (EquipmentItem& item : Equipment())
        if (Lower(item.name) == wanted) return std::move(item);
    return std::nullopt;
}

std::vector<EquipmentItem> CTamselDoc::EquipmentFor(const std::string& sport) {
    std::vector<EquipmentItem> items = Equipment();
    std::erase_if(items, [&](const EquipmentItem& i) { return i.retired || !i.UsedFor(sport); });
    return items;
}

std::vector<RowId> CTamselDoc::DefaultEquipment(const std::string& sport) {
    std::vector<RowId> ids;
    for (const EquipmentItem& item : EquipmentFor(sport))
        if (item.DefaultFor(sport)) ids.push_back(item.equipmentId);
    std::sort(ids.begin(), ids.end());
    return ids;
}

long CTamselDoc::EquipmentUses(RowId equipmentId) {
    if (!HasEquipmentTables()) return 0;
    Statement& s =
        db_->sql().Cached("SELECT count(*) FROM \"Equipment Use\" WHERE EquipmentID = ?");
    s.Bind(1, equipmentId);
    const long uses = s.Step() ? static_cast<long>(s.Int64(0)) : 0;
    s.Reset();
    return uses;
}

std::vector<EquipmentTotal> CTamselDoc::EquipmentTotals() {
    std::vector<EquipmentTotal> totals;
    for (EquipmentItem& item : Equipment()) {
        EquipmentTotal t;
        t.km = t.lifetimeKm = item.startKm;
        t.item = std::move(item);
        totals.push_back(std::move(t));
    }
    if (totals.empty()) return totals;
    std::map<RowId, EquipmentTotal*> byId;
    for (EquipmentTotal& t : totals)
        byId[t.item.equipmentId] = &t;
    const Catalog& catalog = GetCatalog();
    ReadTransaction tx(db_->sql());
    const std::string km = KmExpression(catalog);
    // One grouped query per set.
    const auto sum = [&](const std::string& source, bool filtered) {
        Statement s = db_->sql().Prepare(
            "SELECT u.EquipmentID, total(" + km +
            "), total(e.Time), count(*), min(e.Date), max(e.Date) FROM \"Equipment Use\" AS u "
            "JOIN " +
            source + " AS e ON e.EntryID = u.EntryID GROUP BY u.EquipmentID");
        while (s.Step()) {
            const auto it = byId.find(s.Int64(0));
            if (it == byId.end()) continue;
            EquipmentTotal& t = *it->second;
            if (!filtered) {
                t.lifetimeKm += s.Real(1);
                t.lifetimeSeconds += s.Real(2);
                continue;
            }
            t.km += s.Real(1);
            t.seconds += s.Real(2);
            t.workouts += static_cast<long>(s.Int64(3));
            const double first = s.Real(4), last = s.Real(5);
            t.firstUse = t.firstUse == 0 ? first : std::min(t.firstUse, first);
            t.lastUse = std::max(t.lastUse, last);
        }
    };
    sum("FilteredSetQuery", true);
    if (filter_.showAll) {
        for (EquipmentTotal& t : totals) {
            t.lifetimeKm = t.km;
            t.lifetimeSeconds = t.seconds;
        }
    } else {
        sum("\"Log Entry\"", false);
    }
    return totals;
}

std::pair<double, double> CTamselDoc::EquipmentLifetime(RowId equipmentId) {
    const Catalog& catalog = GetCatalog();
    Statement& s = db_->sql().Cached(
        "SELECT e.SptAbbrev, total(e.Distance), total(e.Time) FROM \"Equipment Use\" AS u "
        "JOIN \"Log Entry\" AS e ON e.EntryID = u.EntryID WHERE u.EquipmentID = ? "
        "GROUP BY e.SptAbbrev");
    s.Bind(1, equipmentId);
    double km = 0, seconds = 0;
    while (s.Step()) {
        km += KmOf(s.Real(1), catalog.Sport(s.Text(0)));
        seconds += s.Real(2);
    }
    s.Reset();
    return {km, seconds};
}

// --- Workouts ---------------------------------------------------------------------------------

void CTamselDoc::WriteEquipmentUse(RowId entryId, const std::vector<RowId>& equipment,
                                   bool replace) {
    if (!HasEquipmentTables()) return;
    if (replace) {
        Statement& clear = db_->sql().Cached("DELETE FROM \"Equipment Use\" WHERE EntryID = ?");
        clear.Bind(1, entryId);
        clear.Run();
    }
    Statement& use = db_->sql().Cached(
        "INSERT OR IGNORE INTO \"Equipment Use\" (EquipmentID, EntryID) VALUES (?, ?)");
    for (RowId id : equipment) {
        use.Reset();
        use.Bind(1, id).Bind(2, entryId);
        use.Run();
    }
}

void CTamselDoc::NoteLimitsCrossed(const EntryDetail& after, const EntryDetail* before) {
    if (after.equipment.empty()) return;
    const Catalog& catalog = GetCatalog();
    const auto share = [&](const EntryDetail* d, RowId id) -> std::pair<double, double> {
        if (!d || !std::binary_search(d->equipment.begin(), d->equipment.end(), id)) return {};
        return {KmOf(d->entry.distance, catalog.Sport(d->entry.sport)), d->entry.time};
    };
    for (RowId id : after.equipment) {
        const std::optional<EquipmentItem> item = EquipmentById(id);
        if (!item || (item->limitKm <= 0 && item->limitSeconds <= 0)) continue;
        auto [km, seconds] = EquipmentLifetime(id);
        km += item->startKm;
        const auto [newKm, newSeconds] = share(&after, id);
        const auto [oldKm, oldSeconds] = share(before, id);
        const double kmBefore = km - newKm + oldKm;
        const double secondsBefore = seconds - newSeconds + oldSeconds;
        if (item->limitKm > 0 && kmBefore < item->limitKm && km >= item->limitKm)
            equipmentWarnings_.push_back(item->name + " has passed its limit of " +
                                         KmText(item->limitKm) + " (" + KmText(km) + ").");
        else if (item->limitSeconds > 0 && secondsBefore < item->limitSeconds &&
                 seconds >= item->limitSeconds)
            equipmentWarnings_.push_back(item->name + " has passed its limit of " +
                                         CElapsedTime::FromSeconds(item->limitSeconds).Format(1) +
                                         ".");
    }
}

std::vector<std::string> CTamselDoc::TakeEquipmentWarnings() {
    return std::exchange(equipmentWarnings_, {});
}

// --- Items ------------------------------------------------------------------------------------

std::optional<std::string> CTamselDoc::CheckEquipment(const EquipmentItem& item, RowId self) {
    const std::string name = TrimBlanks(item.name);
    if (name.empty()) return "An item of equipment needs a name.";
    if (name.size() > 100) return "The name of an item holds at most 100 characters.";
    if (!equipment_kind::IsKind(item.kind))
        return "\"" + item.kind + "\" is not a kind of equipment (shoes, bike, boat, skis, other).";
    if (!std::isfinite(item.startKm) || !std::isfinite(item.limitKm) ||
        !std::isfinite(item.limitSeconds) || item.startKm < 0 || item.limitKm < 0 ||
        item.limitSeconds < 0)
        return "Distances and limits of an item cannot be negative.";
    const std::optional<EquipmentItem> same = EquipmentNamed(name);
    if (same && same->equipmentId != self)
        return "There is already an item named \"" + same->name + "\".";
    return std::nullopt;
}

RowId CTamselDoc::WriteEquipmentRows(const EquipmentItem& item, bool replace) {
    SqliteDb& db = db_->sql();
    Statement& s = replace ? db.Cached(
                                 "UPDATE Equipment SET Name = ?1, Kind = ?2, StartDistance = ?3, "
                                 "LimitDistance = ?4, LimitTime = ?5, Retired = ?6, Notes = ?7 "
                                 "WHERE EquipmentID = ?8")
                           : db.Cached(
                                 "INSERT INTO Equipment (Name, Kind, StartDistance, LimitDistance, "
                                 "LimitTime, Retired, Notes, EquipmentID) "
                                 "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, nullif(?8, 0))");
    s.Bind(1, TrimBlanks(item.name)).Bind(2, item.kind).Bind(3, item.startKm);
    s.Bind(4, item.limitKm).Bind(5, item.limitSeconds).Bind(6, item.retired ? 1 : 0);
    s.Bind(7, item.notes).Bind(8, item.equipmentId);
    s.Run();
    const RowId id = replace ? item.equipmentId : db.LastInsertRowId();
    Statement& clear = db.Cached("DELETE FROM \"Equipment Sports\" WHERE EquipmentID = ?");
    clear.Bind(1, id);
    clear.Run();
    Statement& sport = db.Cached(
        "INSERT INTO \"Equipment Sports\" (EquipmentID, SptAbbrev, IsDefault) VALUES (?, ?, ?)");
    for (const EquipmentSport& s2 : item.sports) {
        sport.Reset();
        sport.Bind(1, id).Bind(2, s2.sport).Bind(3, s2.isDefault ? 1 : 0);
        sport.Run();
    }
    return id;
}

RowId CTamselDoc::AddEquipment(const EquipmentItem& item, View* sender) {
    if (!CanWrite()) return 0;
    if (!HasEquipmentTables()) {
        ui_.ShowMessage("This log has no equipment tables; it was opened read-only.");
        return 0;
    }
    if (const auto problem = CheckEquipment(item, 0)) {
        ui_.ShowMessage(*problem);
        return 0;
    }
    EquipmentItem added = item;
    added.equipmentId = 0;
    added.name = TrimBlanks(item.name);
    if (!Write("Couldn't add the equipment",
               [&] { added.equipmentId = WriteEquipmentRows(added, false); }))
        return 0;
    history_.Record({undo_name::kAddEquipment,
                     {undo::RemoveEquipment{added.equipmentId}},
                     {undo::PutEquipment{added}}});
    UpdateAllViews(sender, UpdateHint::ForRow(Notice::EquipmentChanged, added.equipmentId));
    return added.equipmentId;
}

bool CTamselDoc::ModifyEquipment(const EquipmentItem& item, View* sender) {
    if (!CanWrite()) return false;
    const std::optional<EquipmentItem> before = EquipmentById(item.equipmentId);
    if (!before) return false;
    if (const auto problem = CheckEquipment(item, item.equipmentId)) {
        ui_.ShowMessage(*problem);
        return false;
    }
    EquipmentItem after = item;
    after.name = TrimBlanks(item.name);
    if (after == *before) return true;
    if (!Write("Couldn't change the equipment", [&] { WriteEquipmentRows(after, true); }))
        return false;
    const bool onlyRetired = [&] {
        EquipmentItem b = *before;
        b.retired = after.retired;
        return b == after;
    }();
    history_.Record({onlyRetired ? undo_name::kRetireEquipment : undo_name::kChangeEquipment,
                     {undo::PutEquipment{*before}},
                     {undo::PutEquipment{after}}});
    UpdateAllViews(sender, UpdateHint::ForRow(Notice::EquipmentChanged, after.equipmentId));
    return true;
}

bool CTamselDoc::RetireEquipment(RowId equipmentId, bool retired, View* sender) {
    std::optional<EquipmentItem> item = EquipmentById(equipmentId);
    if (!item) return false;
    item->retired = retired;
    return ModifyEquipment(*item, sender);
}

bool CTamselDoc::RemoveEquipment(RowId equipmentId, View* sender) {
    if (!CanWrite()) return false;
    const std::optional<EquipmentItem> item = EquipmentById(equipmentId);
    if (!item) return false;
    if (const long uses = EquipmentUses(equipmentId); uses > 0) {
        ui_.ShowMessage("\"" + item->name + "\" was used by " + std::to_string(uses) +
                        (uses == 1 ? " workout" : " workouts") +
                        "; it can be retired, but not removed.");
        return false;
    }
    if (!DeleteById("Couldn't remove the equipment", "DELETE FROM Equipment WHERE EquipmentID = ?",
                    equipmentId))
        return false;
    history_.Record({undo_name::kRemoveEquipment,
                     {undo::PutEquipment{*item}},
                     {undo::RemoveEquipment{equipmentId}}});
    UpdateAllViews(sender, UpdateHint::ForRow(Notice::EquipmentChanged, equipmentId));
    return true;
}

}  // namespace kivrun
