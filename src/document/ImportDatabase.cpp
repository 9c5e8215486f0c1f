#include "document/ImportDatabase.h"

#include <cmath>
#include <exception>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "document/OldLogLines.h"
#include "document/OldLogWriter.h"
#include "document/TamselDoc.h"
#include "store/Database.h"
#include "store/LogDatabase.h"
#include "values/TextEncoding.h"

namespace kivrun {
namespace {

struct ImportedEvent {
    double date = 0.0;
    std::string sport;
    std::string name;
    std::string details;
    std::string affiliation;
};

struct ImportedRoute {
    std::string sport;
    std::string trainingClass;
    std::string route;
};

// The settings an old text log's "Prefs" section carries, as another log holds them.
struct Settings {
    std::optional<std::string> weekStart;
    std::optional<std::string> defaultSport;
    std::optional<std::string> backupDays;
    std::vector<std::optional<long>> visibleColumns;  // in display order
    bool hasTimeColumn = false;
    std::optional<long> timeFormat;
    std::optional<std::string> fieldNames[2];  // columns 6 and 7
};

struct OtherLog {
    std::vector<CopiedEntry> entries;
    std::vector<ImportedEvent> events;
    std::vector<ImportedRoute> routes;
    Settings settings;
};

std::string Ident(const std::string& name) {
    return "\"" + name + "\"";
}

// Logs of earlier builds may lack a table or field; what is missing is simply not copied.
bool HasFields(LogDatabase& db, const std::string& table,
               std::initializer_list<const char*> fields) {
    if (!db.TableExists(table)) return false;
    for (const char* f : fields)
        if (!db.FieldExists(table, f)) return false;
    return true;
}

// The fields as a select list; one the other log lacks reads as Null.
std::string SelectList(LogDatabase& db, const std::string& table,
                       std::initializer_list<const char*> fields) {
    std::string list;
    for (const char* f : fields) {
        if (!list.empty()) list += ", ";
        list += db.FieldExists(table, f) ? Ident(f) : std::string("NULL");
    }
    return list;
}

// Text of another log as valid UTF-8: bytes that are not are taken as Windows-1252.
std::string Text(const Statement& s, int column) {
    return Utf8OrWindows1252(s.Text(column));
}

double Number(const Statement& s, int column) {
    const double value = s.Real(column);
    return std::isfinite(value) ? value : 0.0;
}

void ReadEntries(LogDatabase& db, std::vector<CopiedEntry>& out) {
    if (!HasFields(db, "Log Entry", {"Date", "SptAbbrev"})) return;
    Statement s =
        db.sql().Prepare("SELECT " +
                         SelectList(db, "Log Entry",
                                    {"Date", "SptAbbrev", "TrainingTypeAbbrev", "Distance", "Time",
                                     "Pace", "Route", "Notes", "OptionalOne", "OptionalTwo"}) +
                         " FROM \"Log Entry\" ORDER BY 1, rowid");
    while (s.Step()) {
        if (s.IsNull(0) || !std::isfinite(s.Real(0))) continue;
        CopiedEntry r;
        r.date = s.Real(0);
        r.sport = Text(s, 1);
        r.trainingClass = Text(s, 2);
        r.distance = Number(s, 3);
        r.seconds = Number(s, 4);
        r.pace = Number(s, 5);
        r.route = Text(s, 6);
        r.notes = Text(s, 7);
        r.optionalOne = Number(s, 8);
        r.optionalTwo = Number(s, 9);
        out.push_back(std::move(r));
    }
}

void ReadEvents(LogDatabase& db, std::vector<ImportedEvent>& out) {
    if (!HasFields(db, "Calendar Events", {"Date", "SptAbbrev"})) return;
    Statement s = db.sql().Prepare(
        "SELECT " +
        SelectList(db, "Calendar Events",
                   {"Date", "SptAbbrev", "EventName", "EventDetails", "EventAffiliation"}) +
        " FROM \"Calendar Events\" ORDER BY 1, rowid");
    while (s.Step()) {
        if (s.IsNull(0) || !std::isfinite(s.Real(0))) continue;
        out.push_back({s.Real(0), Text(s, 1), Text(s, 2), Text(s, 3), Text(s, 4)});
    }
}

void ReadRoutes(LogDatabase& db, std::vector<ImportedRoute>& out) {
    if (!HasFields(db, "Routes", {"SptAbbrev", "TrainingTypeAbbrev", "Route"})) return;
    Statement s =
        db.sql().Prepare("SELECT SptAbbrev, TrainingTypeAbbrev, Route FROM Routes ORDER BY rowid");
    while (s.Step())
        out.push_back({Text(s, 0), Text(s, 1), Text(s, 2)});
}

std::optional<std::string> Preference(LogDatabase& db, const char* key) {
    Statement s = db.sql().Prepare("SELECT Value FROM Preferences WHERE Preference = ?");
    s.Bind(1, key);
    if (!s.Step() || s.IsNull(0)) return std::nullopt;
    return Text(s, 0);
}

void ReadSettings(LogDatabase& db, Settings& out) {
    if (HasFields(db, "Preferences", {"Preference", "Value"})) {
        out.weekStart = Preference(db, "WeekStartDay");
        out.defaultSport = Preference(db, "DefaultSport");
        out.backupDays = Preference(db, "DaysBetweenBackup");
    }
    const char* table = "Log Column Settings";
    if (!HasFields(db, table, {"ColumnID", "ColumnOrder", "ColumnVisible"})) return;
    Statement visible = db.sql().Prepare(
        "SELECT ColumnID FROM \"Log Column Settings\" WHERE ColumnVisible <> 0 "
        "ORDER BY ColumnOrder, ColumnID");
    while (visible.Step())
        out.visibleColumns.push_back(visible.Int64(0));
    if (db.FieldExists(table, "ColumnFormat")) {
        Statement s =
            db.sql().Prepare("SELECT ColumnFormat FROM \"Log Column Settings\" WHERE ColumnID = 4");
        if (s.Step()) {
            out.hasTimeColumn = true;
            if (!s.IsNull(0)) out.timeFormat = s.Int64(0);
        }
    }
    if (db.FieldExists(table, "ColumnFieldName")) {
        for (int i = 0; i < 2; ++i) {
            Statement s = db.sql().Prepare(
                "SELECT ColumnFieldName FROM \"Log Column Settings\" WHERE ColumnID = ?");
            s.Bind(1, 6 + i);
            if (s.Step()) out.fieldNames[i] = Text(s, 0);
        }
    }
}

void ApplySettings(OldLogWriter& writer, const Settings& s) {
    if (s.weekStart) {
        if (const auto day = WholeNumber(*s.weekStart)) writer.SetWeekStart(*day);
    }
    if (s.defaultSport) writer.SetDefaultSport(*s.defaultSport);
    if (s.backupDays) {
        if (const auto days = WholeNumber(*s.backupDays)) writer.SetBackupDays(*days);
    }
    if (!s.visibleColumns.empty()) writer.SetColumnOrder(s.visibleColumns);
    if (s.hasTimeColumn) writer.SetTimeColumnFormat(s.timeFormat);
    for (int i = 0; i < 2; ++i)
        if (s.fieldNames[i]) writer.SetOptionalFieldName(6 + i, *s.fieldNames[i]);
}

}  // namespace

bool ImportDatabase(CTamselDoc& doc, std::unique_ptr<LogDatabase> other, const ImportOptions& o,
                    ImportOutcome& outcome) {
    OtherLog read;
    try {
        if (o.entries) ReadEntries(*other, read.entries);
        if (o.calendar) ReadEvents(*other, read.events);
        if (o.routes) ReadRoutes(*other, read.routes);
        if (o.preferences) ReadSettings(*other, read.settings);
    } catch (const std::exception& e) {
        doc.ui().ShowMessage(std::string("Couldn't import--Exception: ") + e.what());
        return false;
    }
    other.reset();

    try {
        Transaction tx(doc.Database().sql());
        LimitedMessages messages(doc.ui());
        OldLogWriter writer(LogWriteSets::Of(doc), messages);
        for (const CopiedEntry& r : read.entries)
            writer.AddEntry(r);
        for (const ImportedRoute& r : read.routes)
            writer.AddCopiedRoute(r.sport, r.trainingClass, r.route);
        if (o.preferences) ApplySettings(writer, read.settings);
        for (const ImportedEvent& e : read.events)
            writer.AddCopiedEvent(e.date, e.sport, e.name, e.details, e.affiliation);
        tx.Commit();
        outcome.written = true;
        messages.Finish();
        outcome.Count(writer);
    } catch (const std::exception& e) {
        doc.ui().ShowMessage(std::string("Couldn't import--Exception: ") + e.what());
        return false;
    }
    return true;
}

}  // namespace kivrun
