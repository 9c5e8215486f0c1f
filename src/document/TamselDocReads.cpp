// The document's reads: rows as values, read with statements of their own, so no record set
// that anyone else reads is moved.

#include "document/TamselDocSets.h"
#include "store/LogDatabase.h"

namespace kivrun {
namespace {

constexpr const char* kEventColumns =
    "EventID, SptAbbrev, Date, EventName, EventDetails, EventAffiliation, Background";

EventRow ReadEvent(const Statement& s) {
    EventRow e;
    e.eventId = s.Int64(0);
    e.sport = s.Text(1);
    e.date = s.Real(2);
    e.name = s.Text(3);
    e.details = s.Text(4);
    e.affiliation = s.Text(5);
    e.background = static_cast<int>(s.Int64(6));
    return e;
}

std::vector<EventRow> ReadEvents(Statement& s) {
    std::vector<EventRow> rows;
    while (s.Step())
        rows.push_back(ReadEvent(s));
    return rows;
}

// Serial days of a day range, either order: [from, to) covers both whole days.
std::pair<double, double> DayRange(const CDate& a, const CDate& b) {
    const CDate& first = a <= b ? a : b;
    const CDate& last = a <= b ? b : a;
    return {first.ToSerial(), last.ToSerial() + 1.0};
}

}  // namespace

bool CTamselDoc::IsReadOnly() const {
    return db_ && db_->IsReadOnly();
}

bool CTamselDoc::CanWrite() {
    if (!db_) return false;
    if (!IsReadOnly()) return true;
    ui_.ShowMessage("This training log is open for reading only; nothing can be changed.");
    return false;
}

long CTamselDoc::EntryCount() const {
    return sets_ ? sets_->filtered.GetRecordCount() : 0;
}

std::optional<EntryRow> CTamselDoc::EntryAt(long position) {
    if (!sets_ || position < 0 || position >= EntryCount()) return std::nullopt;
    Statement& s = db_->sql().Cached("SELECT " + std::string(EntryReader::kColumns) +
                                     " FROM \"Log Entry\" WHERE rowid = ?");
    s.Bind(1, sets_->filtered.KeyAt(position));
    if (!s.Step()) return std::nullopt;  // gone since the set was read
    EntryRow row;
    EntryReader::Read(s, row);
    s.Reset();
    return row;
}

long CTamselDoc::PositionOfEntry(RowId entryId) const {
    return sets_ ? sets_->filtered.PositionOfKey(entryId) : -1;
}

std::string CTamselDoc::FilteredSql() const {
    return sets_ ? sets_->filtered.SourceSql() : std::string();
}

std::string CTamselDoc::FilteredSqlAnyOrder() const {
    std::string sql = FilteredSql();
    // Only the outer ORDER BY goes: one inside a subquery is followed by its parenthesis.
    const std::size_t order = sql.rfind(" ORDER BY ");
    if (order != std::string::npos && sql.find_first_of("()'", order) == std::string::npos)
        sql.erase(order);
    return sql;
}

EntryReader CTamselDoc::ReadEntries() {
    return EntryReader(db_->sql(), FilteredSql());
}

std::vector<EntryRow> CTamselDoc::EntriesBetween(const CDate& a, const CDate& b) {
    std::vector<EntryRow> rows;
    if (!sets_) return rows;
    const auto [from, to] = DayRange(a, b);
    const char* order =
        DateSortDescending() ? " ORDER BY Date DESC, EntryID DESC" : " ORDER BY Date, EntryID";
    Statement& s = db_->sql().Cached("SELECT " + std::string(EntryReader::kColumns) + " FROM (" +
                                     FilteredSql() + ") WHERE Date >= ? AND Date < ?" + order);
    s.Bind(1, from).Bind(2, to);
    EntryRow row;
    while (s.Step()) {
        EntryReader::Read(s, row);
        rows.push_back(row);
    }
    s.Reset();
    return rows;
}

std::optional<CDate> CTamselDoc::FirstEntryDay() {
    const long n = EntryCount();
    if (n == 0) return std::nullopt;
    const auto a = EntryAt(0), b = EntryAt(n - 1);
    if (!a || !b) return std::nullopt;
    return CDate::FromSerial(std::min(a->date, b->date));
}

std::optional<CDate> CTamselDoc::LastEntryDay() {
    const long n = EntryCount();
    if (n == 0) return std::nullopt;
    const auto a = EntryAt(0), b = EntryAt(n - 1);
    if (!a || !b) return std::nullopt;
    return CDate::FromSerial(std::max(a->date, b->date));
}

std::optional<EntryDetail> CTamselDoc::Entry(RowId entryId) {
    if (!db_) return std::nullopt;
    ReadTransaction tx(db_->sql());
    Statement& s = db_->sql().Cached("SELECT " + std::string(EntryReader::kColumns) +
                                     " FROM \"Log Entry\" WHERE EntryID = ?");
    s.Bind(1, entryId);
    if (!s.Step()) return std::nullopt;
    EntryDetail detail;
    EntryReader::Read(s, detail.entry);
    s.Reset();
    detail.routine = RoutineOf(entryId);
    Statement& laps = db_->sql().Cached(
        "SELECT Lap, Split FROM \"Log Entry Details Split Times\" WHERE EntryID = ? "
        "ORDER BY Lap, rowid");
    laps.Bind(1, entryId);
    while (laps.Step())
        detail.splits.push_back({static_cast<int>(laps.Int64(0)), laps.Text(1)});
    laps.Reset();
    if (HasEquipmentTables()) {
        Statement& used = db_->sql().Cached(
            "SELECT EquipmentID FROM \"Equipment Use\" WHERE EntryID = ? ORDER BY EquipmentID");
        used.Bind(1, entryId);
        while (used.Step())
            detail.equipment.push_back(used.Int64(0));
        used.Reset();
    }
    return detail;
}

std::vector<RoutineRow> CTamselDoc::RoutineOf(RowId entryId) {
    return RoutineRows("Log Entry Details Routine", "EntryID", entryId);
}

std::vector<RoutineRow> CTamselDoc::RoutineRows(const char* table, const char* idField, RowId id) {
    std::vector<RoutineRow> rows;
    if (!db_) return rows;
    Statement& s = db_->sql().Cached(
        "SELECT Exercise, Sets, Weight1, Reps1, Weight2, Reps2, Weight3, Reps3, Weight4, Reps4 "
        "FROM \"" +
        std::string(table) + "\" WHERE " + idField + " = ? ORDER BY rowid");
    s.Bind(1, id);
    while (s.Step()) {
        RoutineRow r;
        r.exercise = s.Text(0);
        r.sets = static_cast<int>(s.Int64(1));
        for (int i = 0; i < 4; ++i) {
            r.weight[i] = s.Real(2 + 2 * i);
            r.reps[i] = static_cast<int>(s.Int64(3 + 2 * i));
        }
        rows.push_back(std::move(r));
    }
    s.Reset();
    return rows;
}

std::vector<EventRow> CTamselDoc::EventsBetween(const CDate& a, const CDate& b) {
    if (!db_) return {};
    const auto [from, to] = DayRange(a, b);
    Statement& s = db_->sql().Cached("SELECT " + std::string(kEventColumns) +
                                     " FROM \"Calendar Events\" WHERE Date >= ? AND Date < ? "
                                     "ORDER BY Date, EventID");
    s.Bind(1, from).Bind(2, to);
    std::vector<EventRow> rows = ReadEvents(s);
    s.Reset();
    return rows;
}

std::vector<EventRow> CTamselDoc::Events(EventColumn sortBy, bool descending) {
    if (!db_) return {};
    static const char* const kFields[] = {"Date", "SptAbbrev", "EventAffiliation", "EventName",
                                          "EventDetails"};
    const std::string field = kFields[static_cast<int>(sortBy)];
    // Texts sort as the user reads them, without regard to case.
    const bool text = sortBy == EventColumn::Affiliation || sortBy == EventColumn::Name ||
                      sortBy == EventColumn::Details;
    std::string order = field + (text ? " COLLATE NOCASE" : "") + (descending ? " DESC" : "");
    if (sortBy != EventColumn::Date) order += ", Date";
    order += ", EventID";
    Statement s = db_->sql().Prepare("SELECT " + std::string(kEventColumns) +
                                     " FROM \"Calendar Events\" ORDER BY " + order);
    return ReadEvents(s);
}

std::optional<EventRow> CTamselDoc::Event(RowId eventId) {
    if (!db_) return std::nullopt;
    Statement& s = db_->sql().Cached("SELECT " + std::string(kEventColumns) +
                                     " FROM \"Calendar Events\" WHERE EventID = ?");
    s.Bind(1, eventId);
    std::optional<EventRow> row;
    if (s.Step()) row = ReadEvent(s);
    s.Reset();
    return row;
}

const Catalog& CTamselDoc::GetCatalog() {
    // Anything written since, by whatever path, may have touched sports or classes.
    const std::int64_t stamp = db_ ? db_->sql().ChangeStamp() : 0;
    if (catalog_ && stamp == catalogStamp_) return *catalog_;
    catalog_.emplace();
    catalogStamp_ = stamp;
    if (!db_) return *catalog_;
    Catalog& c = *catalog_;
    SqliteDb& db = db_->sql();
    Statement sports = db.Prepare(
        "SELECT s.SptAbbrev, s.SptName, s.DistanceID, s.PaceID, s.\"Order\", s.Image, "
        "d.DistanceName, d.DistanceShortName, p.PaceName FROM Sports AS s "
        "JOIN \"Distance Units\" AS d ON d.DistanceID = s.DistanceID "
        "JOIN \"Pace Units\" AS p ON p.PaceID = s.PaceID ORDER BY s.\"Order\", s.rowid");
    while (sports.Step())
        c.sports.push_back({sports.Text(0), sports.Text(1), static_cast<int>(sports.Int64(2)),
                            static_cast<int>(sports.Int64(3)), static_cast<int>(sports.Int64(4)),
                            static_cast<int>(sports.Int64(5)), sports.Text(6), sports.Text(7),
                            sports.Text(8)});
    Statement classes = db.Prepare(
        "SELECT TypeAbbrev, TypeName, ColorCode, \"Order\" FROM \"Training Types\" "
        "ORDER BY \"Order\", rowid");
    while (classes.Step())
        c.classes.push_back({classes.Text(0), classes.Text(1), classes.Text(2),
                             static_cast<int>(classes.Int64(3))});
    Statement distance = db.Prepare(
        "SELECT DistanceID, DistanceName, DistanceShortName FROM \"Distance Units\" "
        "ORDER BY rowid");
    while (distance.Step())
        c.distanceUnits.push_back(
            {static_cast<int>(distance.Int64(0)), distance.Text(1), distance.Text(2)});
    Statement pace = db.Prepare("SELECT PaceID, PaceName FROM \"Pace Units\" ORDER BY rowid");
    while (pace.Step())
        c.paceUnits.push_back({static_cast<int>(pace.Int64(0)), pace.Text(1), {}});
    return c;
}

std::vector<RouteRow> CTamselDoc::Routes(const std::string& sport, const std::string& cls) {
    std::vector<RouteRow> rows;
    if (!db_) return rows;
    Statement& s = db_->sql().Cached(
        "SELECT RouteID, SptAbbrev, TrainingTypeAbbrev, Route FROM Routes "
        "WHERE (?1 = '' OR SptAbbrev = ?1) AND (?2 = '' OR TrainingTypeAbbrev = ?2) "
        "ORDER BY rowid");
    s.Bind(1, sport).Bind(2, cls);
    while (s.Step())
        rows.push_back({s.Int64(0), s.Text(1), s.Text(2), s.Text(3)});
    s.Reset();
    return rows;
}

std::string CTamselDoc::Preference(const std::string& name, const std::string& defaultValue) {
    if (!sets_) return defaultValue;
    if (IsReadOnly()) {
        Statement& s = db_->sql().Cached("SELECT Value FROM Preferences WHERE Preference = ?");
        s.Bind(1, name);
        std::string value = s.Step() ? s.Text(0) : defaultValue;
        s.Reset();
        return value;
    }
    return PreferencesSet().GetPreference(name, defaultValue);
}

void CTamselDoc::SetCurrentEntry(RowId entryId, View* sender) {
    if (entryId == currentEntry_) return;
    currentEntry_ = entryId;
    UpdateAllViews(sender, UpdateHint::ForRow(Notice::CurrentEntry, entryId));
}

void CTamselDoc::RequestEntryEdit(RowId entryId, bool duplicate, View* sender) {
    if (!db_ || entryId == 0) return;
    ui_.OpenOrActivateWindow(*this, WindowKind::LogWindow);
    UpdateHint hint = UpdateHint::ForRow(Notice::EditEntry, entryId);
    hint.duplicate = duplicate;
    UpdateAllViews(sender, hint);
}

void CTamselDoc::RequestNewEntry(const CDate& day, View* sender) {
    if (!db_) return;
    ui_.OpenOrActivateWindow(*this, WindowKind::LogWindow);
    UpdateHint hint = UpdateHint::Of(Notice::NewEntryOn);
    hint.newDate = day.ToSerial();
    UpdateAllViews(sender, hint);
}

void CTamselDoc::ShowEntryIn(WindowKind kind, RowId entryId, View* sender) {
    if (!db_ || entryId == 0) return;
    SetCurrentEntry(entryId, sender);
    if (View* view = ui_.OpenOrActivateWindow(*this, kind); view && view != sender)
        view->OnUpdate(sender, UpdateHint::ForRow(Notice::CurrentEntry, entryId));
}

void CTamselDoc::ShowDayIn(WindowKind kind, const CDate& day, View* sender) {
    if (!db_) return;
    UpdateHint hint = UpdateHint::Of(Notice::ShowDay);
    hint.newDate = day.ToSerial();
    if (View* view = ui_.OpenOrActivateWindow(*this, kind); view && view != sender)
        view->OnUpdate(sender, hint);
}

}  // namespace kivrun
