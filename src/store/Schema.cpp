#include "store/Schema.h"

#include <map>
#include <optional>

#include "store/Database.h"
#include "store/DefaultRows.h"
#include "store/JetSql.h"
#include "store/LogDatabase.h"
#include "store/UserInterface.h"

namespace kivrun::schema {
namespace {

using T = FieldType;
constexpr int U = kUpdatable;

FieldDef F(std::string name, FieldType type, int size, int attributes, bool required,
           bool zeroLength, std::string defaultValue = {}) {
    FieldDef f;
    f.name = std::move(name);
    f.type = type;
    f.size = size;
    f.attributes = attributes;
    f.required = required;
    f.allowZeroLength = zeroLength;
    f.defaultValue = std::move(defaultValue);
    return f;
}

TableDef Table(std::string name, std::vector<FieldDef> fields, std::string key = {}) {
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i].ordinal = static_cast<int>(i) + 1;
    return TableDef{std::move(name), std::move(fields), std::move(key)};
}

std::vector<FieldDef> RoutineFields(const std::string& idField) {
    std::vector<FieldDef> f = {F(idField, T::Long, 0, U, true, false),
                               F("Exercise", T::Text, 100, U, false, true),
                               F("Sets", T::Long, 0, U, false, false)};
    for (int i = 1; i <= 4; ++i) {
        f.push_back(F("Weight" + std::to_string(i), T::Number, 0, U, false, false));
        f.push_back(F("Reps" + std::to_string(i), T::Long, 0, U, false, false));
    }
    return f;
}

std::vector<TableDef> MakeTables() {
    const int fixed = kFixed | U;
    const int variable = kVariable | U;
    const int autoInc = kAutoIncrement;
    return {
        Table(
            "Log Entry",
            {F("EntryID", T::Long, 0, autoInc, true, false),
             F("Date", T::DateTime, 0, U, true, false), F("SptAbbrev", T::Text, 1, U, true, false),
             F("TrainingTypeAbbrev", T::Text, 1, U, true, false),
             F("Distance", T::Double, 0, U, false, false), F("Time", T::Double, 0, U, true, false),
             F("Pace", T::Double, 0, fixed, false, false),
             F("Route", T::Text, 250, variable, false, true),
             F("Notes", T::Memo, 0, variable, false, true),
             F("OptionalOne", T::Double, 0, fixed, false, false, "0"),
             F("OptionalTwo", T::Double, 0, fixed, false, false, "0"),
             F("Background", T::Long, 0, fixed, false, false, "0")},
            "EntryID"),
        Table("Log Entry Details Routine", RoutineFields("EntryID")),
        Table("Log Entry Details Split Times",
              {F("EntryID", T::Long, 0, U, true, false), F("Lap", T::Long, 0, U, true, false),
               F("Split", T::Text, 50, U, true, true)}),
        Table("Calendar Events",
              {F("EventID", T::Long, 0, autoInc, true, false),
               F("SptAbbrev", T::Text, 1, U, true, true), F("Date", T::DateTime, 0, U, true, false),
               F("EventName", T::Text, 100, U, false, true),
               F("EventDetails", T::Text, 250, U, false, true),
               F("EventAffiliation", T::Text, 100, U, false, true),
               F("Background", T::Long, 0, fixed, false, false, "0")},
              "EventID"),
        Table("Distance Units",
              {F("DistanceID", T::Long, 0, U, true, false),
               F("DistanceName", T::Text, 50, U, false, true),
               F("DistanceShortName", T::Text, 1, U, false, true)},
              "DistanceID"),
        Table("Log Column Settings",
              {F("ColumnID", T::Long, 0, U, true, false),
               F("ColumnFieldName", T::Text, 50, U, true, true),
               F("ColumnLabel", T::Text, 50, U, true, true),
               F("ColumnOrder", T::Long, 0, U, false, false),
               F("ColumnWidth", T::Long, 0, U, true, false),
               F("ColumnJustification", T::Long, 0, U, true, false, "0"),
               F("ColumnFormat", T::Long, 0, U, true, false, "0"),
               F("ColumnItemID", T::Long, 0, U, true, false, "0"),
               F("ColumnVisible", T::Boolean, 0, U, true, false, "-1")},
              "ColumnID"),
        Table("Pace Units",
              {F("PaceID", T::Long, 0, U, true, false), F("PaceName", T::Text, 50, U, false, true)},
              "PaceID"),
        Table(
            "Preferences",
            {F("Preference", T::Text, 150, U, true, false), F("Value", T::Memo, 0, U, false, true)},
            "Preference"),
        Table("Routes",
              {F("RouteID", T::Long, 0, autoInc, true, false),
               F("SptAbbrev", T::Text, 1, U, true, false),
               F("TrainingTypeAbbrev", T::Text, 1, U, true, false),
               F("Route", T::Text, 250, U, true, true)},
              "RouteID"),
        Table("Affiliations",
              {F("AffiliationID", T::Long, 0, autoInc, true, false),
               F("SptAbbrev", T::Text, 1, U, true, false),
               F("Affiliation", T::Text, 250, U, true, true)},
              "AffiliationID"),
        Table(
            "Sports",
            {F("SptAbbrev", T::Text, 1, U, true, false), F("SptName", T::Text, 100, U, true, false),
             F("DistanceID", T::Long, 0, U, true, false), F("PaceID", T::Long, 0, U, true, false),
             F("Image", T::Long, 0, U, true, false, "0"),
             F("Order", T::Long, 0, U, true, false, "0")},
            "SptAbbrev"),
        Table("Training Types",
              {F("TypeAbbrev", T::Text, 1, U, true, false),
               F("TypeName", T::Text, 100, U, true, false),
               F("ColorCode", T::Text, 50, U, false, true),
               F("Order", T::Long, 0, U, true, false, "0")},
              "TypeAbbrev"),
        Table("Routine Templates",
              {F("TemplateID", T::Long, 0, autoInc, true, false),
               F("Name", T::Text, 50, U, true, true)},
              "TemplateID"),
        Table("Routine Templates Details", RoutineFields("TemplateID")),
        Table("BodyParts",
              {F("BodyPartID", T::Long, 0, autoInc, true, false),
               F("BodyPartName", T::Text, 150, U, false, true),
               F("BodyPartDescription", T::Text, 250, U, false, true)},
              "BodyPartID"),
        Table("Exercises",
              {F("ExerciseID", T::Long, 0, autoInc, true, false),
               F("BodyPartID", T::Long, 0, U, true, false),
               F("ExerciseName", T::Text, 100, U, false, true),
               F("ExerciseDescription", T::Text, 100, U, false, true)},
              "ExerciseID"),
        // Tables of our own. Activities taken from watch and app files: what each one was
        // (its start in UTC seconds, its length, the device's sport, metres), so that the same
        // file is not imported twice and a recording of the same workout is caught. A row
        // outlives its workout on purpose: Redo brings the workout back under its EntryID.
        Table("Imported Activities",
              {F("EntryID", T::Long, 0, U, true, false), F("Start", T::Long, 0, U, true, false),
               F("Elapsed", T::Double, 0, U, false, false),
               F("DeviceSport", T::Text, 100, U, true, true),
               F("Distance", T::Double, 0, U, false, false),
               F("FileName", T::Text, 255, U, false, true)}),
        // The log sport the user chose for a device's sport ("cycling/road").
        Table("Device Sports",
              {F("DeviceSport", T::Text, 100, U, true, false),
               F("SptAbbrev", T::Text, 1, U, true, false)},
              "DeviceSport"),
        // Shoes, bikes and boats: distances in km, limit time in seconds (0: no limit).
        Table("Equipment",
              {F("EquipmentID", T::Long, 0, autoInc, true, false),
               F("Name", T::Text, 100, U, true, false), F("Kind", T::Text, 20, U, true, false),
               F("StartDistance", T::Double, 0, U, false, false, "0"),
               F("LimitDistance", T::Double, 0, U, false, false, "0"),
               F("LimitTime", T::Double, 0, U, false, false, "0"),
               F("Retired", T::Boolean, 0, U, true, false, "0"),
               F("Notes", T::Memo, 0, variable, false, true)},
              "EquipmentID"),
        // The sports an item is for, and whether a new workout of that sport takes it.
        Table("Equipment Sports", {F("EquipmentID", T::Long, 0, U, true, false),
                                   F("SptAbbrev", T::Text, 1, U, true, false),
                                   F("IsDefault", T::Boolean, 0, U, true, false, "0")}),
        // Which items a workout used.
        Table("Equipment Use", {F("EquipmentID", T::Long, 0, U, true, false),
                                F("EntryID", T::Long, 0, U, true, false)}),
    };
}

std::vector<RelationDef> MakeRelations() {
    const int both = kUpdateCascade | kDeleteCascade;
    return {
        {"EntryToRoutine", "Log Entry", "EntryID", "Log Entry Details Routine", "EntryID", both},
        {"TemplateToTemplateDetails", "Routine Templates", "TemplateID",
         "Routine Templates Details", "TemplateID", both},
        {"DistanceUnitsToSports", "Distance Units", "DistanceID", "Sports", "DistanceID", both},
        {"EntryToSplitTimes", "Log Entry", "EntryID", "Log Entry Details Split Times", "EntryID",
         both},
        {"PaceUnitsToSports", "Pace Units", "PaceID", "Sports", "PaceID", both},
        {"SportsToEntry", "Sports", "SptAbbrev", "Log Entry", "SptAbbrev", both},
        {"SportsToRoutes", "Sports", "SptAbbrev", "Routes", "SptAbbrev", both},
        {"TrainingTypesToEntry", "Training Types", "TypeAbbrev", "Log Entry", "TrainingTypeAbbrev",
         both},
        {"TrainingTypesToRoutes", "Training Types", "TypeAbbrev", "Routes", "TrainingTypeAbbrev",
         both},
        {"BodyPartsToExercises", "BodyParts", "BodyPartID", "Exercises", "BodyPartID",
         kUpdateCascade},
        {"SportsToDeviceSports", "Sports", "SptAbbrev", "Device Sports", "SptAbbrev", both},
        {"EquipmentToEquipmentSports", "Equipment", "EquipmentID", "Equipment Sports",
         "EquipmentID", both},
        {"SportsToEquipmentSports", "Sports", "SptAbbrev", "Equipment Sports", "SptAbbrev", both},
        // An item that workouts used is kept (retired), never deleted from under them.
        {"EquipmentToEquipmentUse", "Equipment", "EquipmentID", "Equipment Use", "EquipmentID",
         kUpdateCascade},
        {"EntryToEquipmentUse", "Log Entry", "EntryID", "Equipment Use", "EntryID", both},
    };
}

// The four grouped totals queries differ only in their period expressions and the filter on
// distance; the texts are kept exactly as logs have always stored them.
std::string TotalsSql(const std::string& year, const std::string& week, const std::string& where,
                      const std::string& groupYear, const std::string& groupWeek) {
    const std::string select =
        "PARAMETERS StartDate DateTime, EndDate DateTime, WeekStartDay Long, DateGrouping Text; "
        "SELECT " +
        year + " AS Year, " + week +
        " AS Week, FilteredSetQuery.SptAbbrev, Sports.SptName, [Distance Units].DistanceShortName, "
        "Sum(FilteredSetQuery.Distance) AS TotalDistance, Sum(FilteredSetQuery.Time) AS "
        "TotalTime, Count(*) AS Workouts FROM [Distance Units] RIGHT JOIN (FilteredSetQuery LEFT "
        "JOIN Sports ON FilteredSetQuery.SptAbbrev = Sports.SptAbbrev) ON [Distance "
        "Units].DistanceID = Sports.DistanceID WHERE (((FilteredSetQuery.Date) Between "
        "[StartDate] And [EndDate]))";
    const std::string group = groupYear + ", " + groupWeek +
                              ", FilteredSetQuery.SptAbbrev, Sports.SptName, [Distance "
                              "Units].DistanceShortName, Sports.Order";
    const std::string order = groupYear == "1" ? std::string("Sports.Order")
                                               : groupYear + ", " + groupWeek + ", Sports.Order";
    return select + where + "GROUP BY " + group + " ORDER BY " + order;
}

std::vector<QueryText> MakeQueries() {
    const std::string yyyy = "DatePart('yyyy',[Date])";
    const std::string ww = "DatePart('ww',[Date],[WeekStartDay])";
    const std::string m = "DatePart('m',[Date],[WeekStartDay])";
    return {
        {"FilteredSetQuery", "SELECT * FROM [Log Entry] ORDER BY [Date], [EntryID]"},
        {"TotalsQuery", TotalsSql("1", "1", " ", "1", "1")},
        {"TotalsQueryEntriesWithDistance",
         TotalsSql("1", "1", " And (FilteredSetQuery.Distance > 0)", "1", "1")},
        {"TotalsQueryByWeek", TotalsSql(yyyy, ww, " ", yyyy, ww)},
        {"TotalsQueryByMonth", TotalsSql(yyyy, m, " ", yyyy, m)},
        {"TotalsQueryByYear", TotalsSql(yyyy, yyyy, " ", yyyy, yyyy)},
        {"DeleteRoutineQuery",
         "PARAMETERS ID Long; DELETE [Log Entry Details Routine].*, [Log Entry Details "
         "Routine].EntryID FROM [Log Entry Details Routine] WHERE ((([Log Entry Details "
         "Routine].EntryID)=[ID]))"},
        {"DeleteTemplateQuery",
         "PARAMETERS ID Long; DELETE [Routine Templates Details].*, [Routine Templates "
         "Details].TemplateID FROM [Routine Templates Details] WHERE ((([Routine Templates "
         "Details].TemplateID)=[ID]))"},
    };
}

std::string Ident(const std::string& name) {
    return "\"" + name + "\"";
}

std::string SqlString(const std::string& text) {
    return jetsql::Quote(text);
}

const char* SqlType(FieldType type) {
    switch (type) {
        case FieldType::Long:
        case FieldType::Boolean:
            return "INTEGER";
        case FieldType::Double:
        case FieldType::DateTime:
            return "REAL";
        case FieldType::Text:
        case FieldType::Memo:
            return "TEXT";
        case FieldType::Number:
            // Integers stay integers and 62.5 stays 62.5: ANY keeps what it is given.
            return "ANY";
    }
    return "ANY";
}

// A trigger as SQLite keeps its statement, which is how the program knows its own.
struct TriggerText {
    std::string name;
    std::string sql;
};

TriggerText Trigger(const std::string& name, const std::string& rest) {
    return {name, "CREATE TRIGGER " + Ident(name) + " " + rest};
}

// Relations live as triggers: they can be added to a log that lacks them, and they cascade
// and refuse exactly as the log's relations always have.
std::vector<TriggerText> RelationTriggers(const RelationDef& r) {
    const std::string prefix = "kivrun_rel_" + r.name + "_";
    const std::string P = Ident(r.primaryTable), PF = Ident(r.primaryField);
    const std::string F = Ident(r.foreignTable), FF = Ident(r.foreignField);
    const std::string missing =
        "SELECT RAISE(ABORT, " +
        SqlString(
            "You cannot add or change a record because a related record is required in "
            "table '" +
            r.primaryTable + "'.") +
        ");";
    const std::string guard = " FOR EACH ROW WHEN NEW." + FF + " IS NOT NULL AND NOT EXISTS " +
                              "(SELECT 1 FROM " + P + " WHERE " + PF + " = NEW." + FF + ") BEGIN " +
                              missing + " END";
    std::vector<TriggerText> triggers = {
        Trigger(prefix + "insert", "BEFORE INSERT ON " + F + guard),
        Trigger(prefix + "update", "BEFORE UPDATE OF " + FF + " ON " + F + guard)};
    if (r.attributes & kDeleteCascade) {
        triggers.push_back(Trigger(prefix + "cascade_delete",
                                   "AFTER DELETE ON " + P + " FOR EACH ROW BEGIN DELETE FROM " + F +
                                       " WHERE " + FF + " = OLD." + PF + "; END"));
    } else {
        triggers.push_back(
            Trigger(prefix + "restrict_delete",
                    "BEFORE DELETE ON " + P + " FOR EACH ROW WHEN EXISTS (SELECT 1 FROM " + F +
                        " WHERE " + FF + " = OLD." + PF + ") BEGIN SELECT RAISE(ABORT, " +
                        SqlString("The record cannot be deleted or changed because table '" +
                                  r.foreignTable + "' includes related records.") +
                        "); END"));
    }
    if (r.attributes & kUpdateCascade) {
        triggers.push_back(Trigger(prefix + "cascade_update",
                                   "AFTER UPDATE OF " + PF + " ON " + P +
                                       " FOR EACH ROW WHEN OLD." + PF + " IS NOT NEW." + PF +
                                       " BEGIN UPDATE " + F + " SET " + FF + " = NEW." + PF +
                                       " WHERE " + FF + " = OLD." + PF + "; END"));
    }
    return triggers;
}

// A Required field added to a table that already has rows cannot be NOT NULL in SQLite
// (those rows hold Null), so new and changed rows are checked by triggers instead.
std::vector<TriggerText> RequiredTriggers(const TableDef& t, const FieldDef& f) {
    const std::string prefix = "kivrun_required_" + t.name + "_" + f.name + "_";
    const std::string body =
        " FOR EACH ROW WHEN NEW." + Ident(f.name) + " IS NULL BEGIN SELECT RAISE(ABORT, " +
        SqlString("NOT NULL constraint failed: " + t.name + "." + f.name) + "); END";
    return {Trigger(prefix + "insert", "BEFORE INSERT ON " + Ident(t.name) + body),
            Trigger(prefix + "update",
                    "BEFORE UPDATE OF " + Ident(f.name) + " ON " + Ident(t.name) + body)};
}

void CreateTriggers(LogDatabase& log, const std::vector<TriggerText>& triggers) {
    for (const TriggerText& t : triggers)
        if (!log.TriggerExists(t.name)) log.sql().Exec(t.sql);
}

// Every trigger the program may have made in a log, by name.
const std::map<std::string, std::string>& OwnTriggers() {
    static const std::map<std::string, std::string> own = [] {
        std::map<std::string, std::string> triggers;
        for (const RelationDef& r : Relations())
            for (TriggerText& t : RelationTriggers(r))
                triggers.emplace(std::move(t.name), std::move(t.sql));
        for (const TableDef& table : Tables())
            for (const FieldDef& f : table.fields)
                if (f.required)
                    for (TriggerText& t : RequiredTriggers(table, f))
                        triggers.emplace(std::move(t.name), std::move(t.sql));
        return triggers;
    }();
    return own;
}

bool BuildTable(LogDatabase& log, const TableDef& t, UserInterface& ui) {
    SqliteDb& db = log.sql();
    if (!log.TableExists(t.name)) {
        std::string sql = "CREATE TABLE " + Ident(t.name) + " (";
        for (size_t i = 0; i < t.fields.size(); ++i) {
            if (i) sql += ", ";
            sql += ColumnDeclaration(t, t.fields[i], true);
        }
        sql += ") STRICT";
        try {
            db.Exec(sql);
        } catch (const DbError& e) {
            ui.ShowMessage(std::string("Couldn't append TableDef--Exception: ") + e.what());
            return false;
        }
        return true;
    }
    for (const FieldDef& f : t.fields) {
        if (log.FieldExists(t.name, f.name)) continue;
        try {
            db.Exec("ALTER TABLE " + Ident(t.name) + " ADD COLUMN " +
                    ColumnDeclaration(t, f, false));
            // The default is for rows added from now on; rows already there hold Null.
            if (!f.defaultValue.empty())
                db.Exec("UPDATE " + Ident(t.name) + " SET " + Ident(f.name) + " = NULL");
            if (f.required) CreateTriggers(log, RequiredTriggers(t, f));
            if (f.name == t.primaryKey)
                db.Exec("CREATE UNIQUE INDEX IF NOT EXISTS " + Ident("kivrun_pk_" + t.name) +
                        " ON " + Ident(t.name) + " (" + Ident(f.name) + ")");
        } catch (const DbError& e) {
            ui.ShowMessage(std::string("Couldn't create field--Exception: ") + e.what());
            return false;
        }
    }
    return true;
}

// Missing queries are made; a text that is not the program's (changed by hand or by another
// program) is put back, since the program only ever runs its own. FilteredSetQuery is the
// filter's: the program sets it afresh whenever the log opens.
void RestoreQueries(LogDatabase& log, UserInterface& ui) {
    std::vector<std::string> restored;
    for (const QueryText& q : Queries()) {
        const std::optional<std::string> stored = log.StoredQuerySql(q.name);
        if (!stored) {
            log.CreateQuery(q.name, q.sql);
        } else if (*stored != q.sql && !IsViewQuery(q.name)) {
            log.sql()
                .Cached("UPDATE kivrun_queries SET SQL=? WHERE Name=?")
                .Bind(1, q.sql)
                .Bind(2, q.name)
                .Run();
            restored.push_back(q.name);
        }
    }
    if (restored.empty()) return;
    std::string names;
    for (const std::string& n : restored)
        names += (names.empty() ? "" : ", ") + n;
    ui.ShowMessage(restored.size() == 1
                       ? "The stored query " + names +
                             " of this log was not the program's own; it has been restored."
                       : "The stored queries " + names +
                             " of this log were not the program's own; they have been restored.",
                   MessageKind::Information);
}

// Exercise names are unique across body parts, compared as the list compares them (case
// aside, blanks around them ignored). A log that already holds two alike keeps both, since
// they are the athlete's rows, and goes without the index until they differ; the document
// refuses a further duplicate either way.
void CreateExerciseNameIndex(LogDatabase& log) {
    SqliteDb& db = log.sql();
    if (!log.FieldExists("Exercises", "ExerciseName") || log.IsReadOnly()) return;
    const std::string key = "trim(\"ExerciseName\", char(32, 9, 10, 13)) COLLATE NOCASE";
    Statement built = db.Prepare(
        "SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = "
        "'kivrun_Exercises_ExerciseName'");
    if (built.Step()) return;
    Statement twice =
        db.Prepare("SELECT 1 FROM Exercises GROUP BY " + key + " HAVING count(*) > 1 LIMIT 1");
    if (twice.Step()) return;
    db.Exec("CREATE UNIQUE INDEX \"kivrun_Exercises_ExerciseName\" ON Exercises (" + key + ")");
}

}  // namespace

const char* const kForeignCodeRemoved =
    "This log held database code that Kivrun did not write; it was removed.";

const std::string* OwnTrigger(const std::string& name) {
    const auto it = OwnTriggers().find(name);
    return it == OwnTriggers().end() ? nullptr : &it->second;
}

bool RemoveForeignCode(LogDatabase& log, UserInterface& ui) {
    if (log.ForeignCode().empty()) return true;
    try {
        Transaction tx(log.sql());
        log.DropForeignCode();
        tx.Commit();
    } catch (const DbError& e) {
        ui.ShowMessage(std::string("Couldn't open database--Exception: ") + e.what());
        return false;
    }
    ui.ShowMessage(kForeignCodeRemoved, MessageKind::Information);
    return true;
}

const FieldDef* TableDef::Field(std::string_view fieldName) const {
    for (const auto& f : fields)
        if (f.name == fieldName) return &f;
    return nullptr;
}

const std::vector<TableDef>& Tables() {
    static const std::vector<TableDef> tables = MakeTables();
    return tables;
}

const std::vector<RelationDef>& Relations() {
    static const std::vector<RelationDef> relations = MakeRelations();
    return relations;
}

const std::vector<QueryText>& Queries() {
    static const std::vector<QueryText> queries = MakeQueries();
    return queries;
}

const TableDef* FindTable(std::string_view name) {
    for (const auto& t : Tables())
        if (t.name == name) return &t;
    return nullptr;
}

const QueryText* FindQuery(std::string_view name) {
    for (const auto& q : Queries())
        if (q.name == name) return &q;
    return nullptr;
}

std::string ColumnDeclaration(const TableDef& table, const FieldDef& f, bool inCreateTable) {
    std::string d = Ident(f.name) + " " + SqlType(f.type);
    if (inCreateTable && f.name == table.primaryKey) {
        d += " PRIMARY KEY";
        if (f.autoIncrement()) d += " AUTOINCREMENT";
    }
    if (inCreateTable && f.required) d += " NOT NULL";
    if (!f.defaultValue.empty()) {
        d += " DEFAULT " + (f.isText() ? SqlString(f.defaultValue) : f.defaultValue);
    }
    if (f.isText()) d += " COLLATE NOCASE";
    const std::string where = table.name + "." + f.name;
    if (f.type == FieldType::Text && f.size > 0) {
        d += " CONSTRAINT " +
             Ident("Field '" + where + "' holds at most " + std::to_string(f.size) + " character" +
                   (f.size == 1 ? "" : "s")) +
             " CHECK (length(" + Ident(f.name) + ") <= " + std::to_string(f.size) + ")";
    }
    if (f.isText() && !f.allowZeroLength) {
        d += " CONSTRAINT " + Ident("Field '" + where + "' cannot be a zero-length string") +
             " CHECK (" + Ident(f.name) + " <> '')";
    }
    return d;
}

bool BuildOrComplete(LogDatabase& log, UserInterface& ui) {
    SqliteDb& db = log.sql();
    // One transaction for speed; a failure keeps what was built before it.
    Transaction tx(db);
    bool ok = true;
    try {
        log.EnsureCatalog();
        for (const TableDef& t : Tables()) {
            if (!BuildTable(log, t, ui)) {
                ok = false;
                break;
            }
        }
        if (ok) {
            for (const RelationDef& r : Relations()) {
                if (!log.RelationExists(r.name)) {
                    db.Cached(
                          "INSERT INTO kivrun_relations (Name, PrimaryTable, PrimaryField, "
                          "ForeignTable, ForeignField, Attributes) VALUES (?,?,?,?,?,?)")
                        .Bind(1, r.name)
                        .Bind(2, r.primaryTable)
                        .Bind(3, r.primaryField)
                        .Bind(4, r.foreignTable)
                        .Bind(5, r.foreignField)
                        .Bind(6, r.attributes)
                        .Run();
                }
                // The program's own relation, whatever the log's catalog says of it.
                CreateTriggers(log, RelationTriggers(r));
            }
            RestoreQueries(log, ui);
            log.EnsureQueryViews();
            // Every list of workouts is read in date order; the index makes that a walk
            // instead of a sort. An engine object of ours, like the triggers.
            if (log.FieldExists("Log Entry", "Date") && log.FieldExists("Log Entry", "EntryID"))
                db.Exec(
                    "CREATE INDEX IF NOT EXISTS \"kivrun_Log Entry_Date\" ON \"Log Entry\" "
                    "(\"Date\", \"EntryID\")");
            // The detail tables have no key of their own; their rows are always looked up,
            // and cascaded away, by the row they belong to. Imported activities are also
            // looked up by their start.
            for (const auto& [table, field] :
                 {std::pair<const char*, const char*>{"Log Entry Details Routine", "EntryID"},
                  {"Log Entry Details Split Times", "EntryID"},
                  {"Routine Templates Details", "TemplateID"},
                  {"Imported Activities", "Start"},
                  {"Imported Activities", "EntryID"},
                  {"Equipment Sports", "EquipmentID"}}) {
                if (log.FieldExists(table, field))
                    db.Exec("CREATE INDEX IF NOT EXISTS " +
                            Ident(std::string("kivrun_") + table + "_" + field) + " ON " +
                            Ident(table) + " (" + Ident(field) + ")");
            }
            CreateExerciseNameIndex(log);
            if (log.FieldExists("Equipment", "Name"))
                db.Exec(
                    "CREATE UNIQUE INDEX IF NOT EXISTS \"kivrun_Equipment_Name\" ON Equipment "
                    "(Name COLLATE NOCASE)");
            if (log.FieldExists("Equipment Use", "EntryID")) {
                // A workout's items, and (covering) an item's workouts in one walk, which
                // is what the totals per item read.
                db.Exec(
                    "CREATE UNIQUE INDEX IF NOT EXISTS \"kivrun_Equipment Use_Pair\" ON "
                    "\"Equipment Use\" (EntryID, EquipmentID)");
                db.Exec(
                    "CREATE INDEX IF NOT EXISTS \"kivrun_Equipment Use_Item\" ON "
                    "\"Equipment Use\" (EquipmentID, EntryID)");
            }
        }
    } catch (const DbError& e) {
        ui.ShowMessage(std::string("Couldn't append TableDef--Exception: ") + e.what());
        ok = false;
    }
    tx.Commit();
    return ok;
}

bool CompleteLog(LogDatabase& log, UserInterface& ui) {
    switch (log.Classify()) {
        case LogDatabase::Contents::Empty: {
            // All of it or nothing: a half-made log would pass for a log next time.
            try {
                Transaction tx(log.sql());
                if (!BuildOrComplete(log, ui)) return false;
                WriteDefaultRows(log);
                tx.Commit();
            } catch (const DbError& e) {
                ui.ShowMessage(std::string("Couldn't create database--Exception: ") + e.what());
                return false;
            }
            return true;
        }
        case LogDatabase::Contents::Log:
            return RemoveForeignCode(log, ui) && BuildOrComplete(log, ui);
        case LogDatabase::Contents::LogWithoutEntries:
            if (!ui.AskYesNo("The training log '" + log.path() +
                             "' has lost its table of workouts (\"Log Entry\").\n\nOpen it "
                             "anyway, with no workouts?"))
                return false;
            return RemoveForeignCode(log, ui) && BuildOrComplete(log, ui);
        case LogDatabase::Contents::Foreign:
            break;
    }
    ui.ShowMessage(LogDatabase::NotALogMessage(log.path()));
    return false;
}

void AllowDecimalWeights(LogDatabase& log) {
    SqliteDb& db = log.sql();
    for (const char* table : {"Log Entry Details Routine", "Routine Templates Details"}) {
        std::string create;
        {
            Statement s =
                db.Prepare("SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = ?");
            s.Bind(1, std::string_view(table));
            if (!s.Step()) continue;
            create = s.Text(0);
        }
        bool changed = false;
        for (int i = 1; i <= 4; ++i) {
            const std::string column = Ident("Weight" + std::to_string(i));
            const auto at = create.find(column + " INTEGER");
            if (at == std::string::npos) continue;
            create.replace(at, column.size() + 8, column + " ANY");
            changed = true;
        }
        if (!changed) continue;
        // The table's own indexes and triggers go with it and are made again afterwards.
        std::vector<std::string> dependents;
        std::string columns = "rowid";
        {
            Statement s = db.Prepare(
                "SELECT sql FROM sqlite_schema WHERE tbl_name = ? AND type IN ('index', "
                "'trigger') AND sql IS NOT NULL");
            s.Bind(1, std::string_view(table));
            while (s.Step())
                dependents.push_back(s.Text(0));
            Statement c = db.Prepare("SELECT name FROM pragma_table_info(?)");
            c.Bind(1, std::string_view(table));
            while (c.Step())
                columns += ", " + Ident(c.Text(0));
        }
        const std::string old = Ident(std::string("kivrun_old_") + table);
        // Renamed the old way, so that the triggers of other tables that name this one (the
        // relations' cascades) go on naming it.
        db.Exec("PRAGMA legacy_alter_table = ON");
        try {
            db.Exec("ALTER TABLE " + Ident(table) + " RENAME TO " + old);
            db.Exec(create);
            db.Exec("INSERT INTO " + Ident(table) + " (" + columns + ") SELECT " + columns +
                    " FROM " + old);
            db.Exec("DROP TABLE " + old);
            for (const std::string& sql : dependents)
                db.Exec(sql);
        } catch (...) {
            db.Exec("PRAGMA legacy_alter_table = OFF");
            throw;
        }
        db.Exec("PRAGMA legacy_alter_table = OFF");
    }
}

}  // namespace kivrun::schema
