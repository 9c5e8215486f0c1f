#include "store/LogDatabase.h"

#include <sqlite3.h>

#include <strings.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "store/JetSql.h"
#include "store/UserInterface.h"

namespace kivrun {
namespace {

std::string ViewStatement(const std::string& name, const std::string& jetSql);

struct Caseless {
    bool operator()(const std::string& a, const std::string& b) const {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    }
};

std::string Ident(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace

// The statement without an ORDER BY that ends it at the top level.
std::string WithoutFinalOrderBy(const std::string& sql) {
    int depth = 0;
    char quote = 0;
    size_t orderAt = std::string::npos;
    for (size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        } else if (depth == 0 && i > 0 && sql[i - 1] == ' ' &&
                   strncasecmp(sql.c_str() + i, "ORDER BY", 8) == 0) {
            orderAt = i - 1;
        }
    }
    return orderAt == std::string::npos ? sql : sql.substr(0, orderAt);
}

bool IsViewQuery(const std::string& name) {
    return name == "FilteredSetQuery";
}

LogDatabase::LogDatabase(std::unique_ptr<SqliteDb> db) : db_(std::move(db)) {}

bool LogDatabase::IsReadOnly() const {
    return sqlite3_db_readonly(db_->handle(), "main") == 1;
}

void LogDatabase::Configure() {
    // A rollback journal leaves no companion files beside the log once it is closed.
    db_->Exec("PRAGMA journal_mode=DELETE");
    db_->Exec("PRAGMA synchronous=FULL");
    db_->Exec("PRAGMA foreign_keys=OFF");
    jetsql::RegisterFunctions(db_->handle());
}

std::unique_ptr<LogDatabase> LogDatabase::Create(const std::string& path, UserInterface& ui) {
    std::error_code ec;
    // An empty file may stand ready for it (a temporary name taken beforehand).
    if (std::filesystem::exists(path, ec) && std::filesystem::file_size(path, ec) != 0) {
        ui.ShowMessage("Couldn't create database--Exception: Database already exists.");
        return nullptr;
    }
    try {
        auto log =
            std::unique_ptr<LogDatabase>(new LogDatabase(std::make_unique<SqliteDb>(path, true)));
        log->Configure();
        // Writes the file header now, so the file is a database from the start.
        log->db_->Exec("PRAGMA user_version=1");
        return log;
    } catch (const DbError& e) {
        ui.ShowMessage(std::string("Couldn't create database--Exception: ") + e.what());
    } catch (const std::bad_alloc&) {
        ui.ShowMessage("Failed to create database--Memory exception thrown.");
    }
    return nullptr;
}

void LogDatabase::RefuseCutShort(const std::string& path) {
    // Under a read lock nobody writes, and a journal left by a killed write has been rolled back.
    ReadTransaction read(*db_);
    Statement s =
        db_->Prepare("SELECT page_count * page_size FROM pragma_page_count(), pragma_page_size()");
    const std::int64_t expected = s.Step() ? s.Int64(0) : 0;
    s.Reset();
    // The engine reads a page cut short as zeroes, and would take whatever they seem to say.
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && static_cast<std::int64_t>(size) < expected)
        throw DbError(SQLITE_CORRUPT, sqlite3_errstr(SQLITE_CORRUPT));
}

std::string LogDatabase::NotALogMessage(const std::string& path) {
    return "Couldn't open database--Exception: '" + path + "' is not a training log.";
}

int LogDatabase::Open(const std::string& path, UserInterface& ui, bool reportMissing,
                      std::unique_ptr<LogDatabase>& out, bool readOnly) {
    out.reset();
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (path.empty() || !fs::exists(status)) {
        if (reportMissing)
            ui.ShowMessage("Couldn't open database--Exception: Could not find file '" + path +
                           "'.");
        return kNotFound;
    }
    if (fs::is_directory(status)) {
        ui.ShowMessage("Couldn't open database--Exception: '" + path +
                       "' is a folder, not a training log.");
        return kFailed;
    }
    if (!fs::is_regular_file(status)) {
        ui.ShowMessage("Couldn't open database--Exception: '" + path + "' is not a file.");
        return kFailed;
    }
    if (fs::file_size(path, ec) == 0 && !ec) return kEmpty;
    try {
        // Decided before anything could write: the connection that opens a log sets its
        // journal mode, and another program's database must stay exactly as it was.
        Contents contents;
        try {
            contents = Classify(*SqliteDb::Look(path));
        } catch (const DbError& e) {
            if (e.code() != SQLITE_READONLY) throw;
            // A journal left by a killed write: the file is what it was before that write
            // once the journal is rolled back, as any reader of it must first do, and only a
            // connection that may write can.
            SqliteDb(path, false).Exec("SELECT count(*) FROM sqlite_master");
            contents = Classify(*SqliteDb::Look(path));
        }
        if (contents == Contents::Empty) return kEmpty;
        if (contents == Contents::Foreign) return kForeign;
        auto log = std::unique_ptr<LogDatabase>(
            new LogDatabase(std::make_unique<SqliteDb>(path, false, readOnly)));
        log->db_->Exec("SELECT count(*) FROM sqlite_master");
        log->RefuseCutShort(path);
        // A file that cannot be written opens for reading; the document refuses its writes.
        log->Configure();
        out = std::move(log);
        return kOpened;
    } catch (const DbError& e) {
        if (e.code() == SQLITE_NOTADB) return kNotALog;
        ui.ShowMessage(std::string("Couldn't open database--Exception: ") + e.what());
    } catch (const std::bad_alloc&) {
        ui.ShowMessage("Failed to open database--Memory exception thrown.");
    }
    return kFailed;
}

bool LogDatabase::TableExists(const std::string& table) {
    Statement& s = db_->Cached(
        "SELECT 1 FROM sqlite_master WHERE type='table' AND name=? "
        "COLLATE NOCASE");
    s.Bind(1, table);
    const bool found = s.Step();
    s.Reset();  // a statement left on a row would keep the file's read lock
    return found;
}

bool LogDatabase::TriggerExists(const std::string& name) {
    Statement& s = db_->Cached("SELECT 1 FROM sqlite_master WHERE type='trigger' AND name=?");
    s.Bind(1, name);
    const bool found = s.Step();
    s.Reset();
    return found;
}

std::vector<std::string> LogDatabase::ForeignCode() {
    std::vector<std::string> foreign;
    Statement s = db_->Prepare(
        "SELECT type, name, sql FROM sqlite_master WHERE type IN ('trigger', 'view') "
        "ORDER BY type, name");
    while (s.Step()) {
        const std::string type = s.Text(0), name = s.Text(1), sql = s.Text(2);
        bool own = false;
        if (type == "trigger") {
            const std::string* statement = schema::OwnTrigger(name);
            own = statement && *statement == sql;
        } else if (IsViewQuery(name)) {
            // The filter's view selects the workouts, whatever the filter (whose stored text
            // is put back on its own); the program makes it afresh when the log opens.
            static const std::string workouts =
                ViewStatement("FilteredSetQuery", "SELECT * FROM [Log Entry]");
            own = name == "FilteredSetQuery" &&
                  (sql == workouts || sql.rfind(workouts + " WHERE ", 0) == 0);
        }
        if (!own) foreign.push_back(type + " " + name);
    }
    return foreign;
}

void LogDatabase::DropForeignCode() {
    const std::vector<std::string> foreign = ForeignCode();
    if (foreign.empty()) return;
    db_->ClearCache();
    for (const std::string& code : foreign) {
        const size_t blank = code.find(' ');
        const std::string type = code.substr(0, blank);
        db_->Exec("DROP " + std::string(type == "view" ? "VIEW" : "TRIGGER") + " main." +
                  Ident(code.substr(blank + 1)));
    }
}

std::vector<std::string> LogDatabase::FieldNames(const std::string& table) {
    std::vector<std::string> names;
    Statement s = db_->Prepare("SELECT name FROM pragma_table_info(?)");
    s.Bind(1, table);
    while (s.Step())
        names.push_back(s.Text(0));
    return names;
}

bool LogDatabase::FieldExists(const std::string& table, const std::string& field) {
    Statement& s = db_->Cached("SELECT 1 FROM pragma_table_info(?) WHERE name=? COLLATE NOCASE");
    s.Bind(1, table).Bind(2, field);
    const bool found = s.Step();
    s.Reset();
    return found;
}

bool LogDatabase::CreateField(const std::string& table, const schema::FieldDef& field,
                              UserInterface& ui) {
    if (FieldExists(table, field.name)) {
        ui.ShowMessage("A field by that name already exists.");
        return false;
    }
    try {
        schema::TableDef def{table, {field}, {}};
        db_->Exec("ALTER TABLE " + Ident(table) + " ADD COLUMN " +
                  schema::ColumnDeclaration(def, field, false));
        return true;
    } catch (const DbError& e) {
        ui.ShowMessage(std::string("Couldn't create field--Exception: ") + e.what());
        return false;
    }
}

std::optional<schema::FieldDef> LogDatabase::GetFieldInfo(const std::string& table,
                                                          const std::string& field,
                                                          UserInterface& ui) {
    try {
        Statement s = db_->Prepare(
            "SELECT cid, type, \"notnull\", dflt_value FROM pragma_table_info(?) WHERE name=? "
            "COLLATE NOCASE");
        s.Bind(1, table).Bind(2, field);
        if (!s.Step()) throw DbError(SQLITE_ERROR, "Item not found in this collection.");
        // Our own tables know everything about their fields; others report what SQLite has.
        if (const schema::TableDef* t = schema::FindTable(table))
            if (const schema::FieldDef* f = t->Field(field)) return *f;
        schema::FieldDef f;
        f.name = field;
        f.ordinal = static_cast<int>(s.Int64(0)) + 1;
        const std::string type = s.Text(1);
        f.type = type == "REAL"   ? schema::FieldType::Double
                 : type == "TEXT" ? schema::FieldType::Memo
                                  : schema::FieldType::Long;
        f.required = s.Int64(2) != 0;
        f.allowZeroLength = f.isText();
        if (!s.IsNull(3)) f.defaultValue = s.Text(3);
        return f;
    } catch (const DbError& e) {
        ui.ShowMessage(std::string("Couldn't get information on field--Exception: ") + e.what());
        return std::nullopt;
    }
}

bool LogDatabase::DeleteField(const std::string& table, const std::string& field,
                              UserInterface& ui) {
    try {
        db_->Exec("ALTER TABLE " + Ident(table) + " DROP COLUMN " + Ident(field));
        return true;
    } catch (const DbError& e) {
        ui.ShowMessage(std::string("Couldn't delete the field--Exception: ") + e.what());
        return false;
    }
}

void LogDatabase::EnsureCatalog() {
    db_->Exec(
        "CREATE TABLE IF NOT EXISTS kivrun_relations (Name TEXT PRIMARY KEY COLLATE NOCASE, "
        "PrimaryTable TEXT NOT NULL, PrimaryField TEXT NOT NULL, ForeignTable TEXT NOT NULL, "
        "ForeignField TEXT NOT NULL, Attributes INTEGER NOT NULL) STRICT");
    db_->Exec(
        "CREATE TABLE IF NOT EXISTS kivrun_queries (Name TEXT PRIMARY KEY COLLATE NOCASE, "
        "SQL TEXT NOT NULL) STRICT");
}

bool LogDatabase::RelationExists(const std::string& name) {
    return Relation(name).has_value();
}

std::optional<schema::RelationDef> LogDatabase::Relation(const std::string& name) {
    if (!TableExists("kivrun_relations")) return std::nullopt;
    Statement& s = db_->Cached(
        "SELECT Name, PrimaryTable, PrimaryField, ForeignTable, ForeignField, Attributes "
        "FROM kivrun_relations WHERE Name=?");
    s.Bind(1, name);
    if (!s.Step()) return std::nullopt;
    schema::RelationDef r{s.Text(0), s.Text(1), s.Text(2),
                          s.Text(3), s.Text(4), static_cast<int>(s.Int64(5))};
    s.Reset();
    return r;
}

bool LogDatabase::QueryExists(const std::string& name) {
    return StoredQuerySql(name).has_value();
}

std::optional<std::string> LogDatabase::StoredQuerySql(const std::string& name) {
    if (!TableExists("kivrun_queries")) return std::nullopt;
    Statement& s = db_->Cached("SELECT SQL FROM kivrun_queries WHERE Name=?");
    s.Bind(1, name);
    if (!s.Step()) return std::nullopt;
    std::string sql = s.Text(0);
    s.Reset();
    return sql;
}

std::string LogDatabase::QuerySql(const std::string& name) {
    const schema::QueryText* own = schema::FindQuery(name);
    if (!own || !QueryExists(name))
        throw DbError(SQLITE_ERROR, "Item not found in this collection: " + name);
    const auto set = sessionSql_.find(name);
    return set != sessionSql_.end() ? set->second : own->sql;
}

void LogDatabase::CreateQuery(const std::string& name, const std::string& jetSql) {
    jetsql::Translate(jetSql);  // refuse text that could never run
    db_->Cached("INSERT INTO kivrun_queries (Name, SQL) VALUES (?, ?)")
        .Bind(1, name)
        .Bind(2, jetSql)
        .Run();
    if (IsViewQuery(name)) MakeView(name, jetSql);
}

namespace {

// The view's statement as SQLite keeps it. The view holds the query's rows; their order is
// for each reader to ask for, and a sort nobody reads would cost every query that groups them.
std::string ViewStatement(const std::string& name, const std::string& jetSql) {
    return "CREATE VIEW " + Ident(name) + " AS " +
           WithoutFinalOrderBy(jetsql::Translate(jetSql).sql);
}

}  // namespace

void LogDatabase::SetQuerySql(const std::string& name, const std::string& jetSql) {
    jetsql::Translate(jetSql);  // refuse text that could never run
    const std::optional<std::string> stored = StoredQuerySql(name);
    if (!stored || !schema::FindQuery(name))
        throw DbError(SQLITE_ERROR, "Item not found in this collection: " + name);
    const bool writeText = *stored != jetSql && !db_->ReadOnly();
    // The view is compared as it stands in the file, which may differ from its stored text.
    const bool makeView = IsViewQuery(name) && ViewSql(name) != ViewStatement(name, jetSql);
    if (writeText || makeView) {
        Transaction tx(*db_);
        if (writeText)
            db_->Cached("UPDATE kivrun_queries SET SQL=? WHERE Name=?")
                .Bind(1, jetSql)
                .Bind(2, name)
                .Run();
        if (makeView) MakeView(name, jetSql);
        tx.Commit();
    }
    sessionSql_[name] = jetSql;
}

std::optional<std::string> LogDatabase::ViewSql(const std::string& name) {
    Statement s = db_->Prepare(std::string("SELECT sql FROM ") +
                               (db_->ReadOnly() ? "sqlite_temp_master" : "sqlite_master") +
                               " WHERE type='view' AND name=?");
    s.Bind(1, name);
    if (!s.Step()) return std::nullopt;
    return s.Text(0);
}

void LogDatabase::MakeView(const std::string& name, const std::string& jetSql) {
    // Statements prepared against the old view would go stale.
    db_->ClearCache();
    // A connection that may not write shadows the file's view with one of its own.
    const bool temp = db_->ReadOnly();
    db_->Exec(std::string("DROP VIEW IF EXISTS ") + (temp ? "temp." : "main.") + Ident(name));
    std::string create = ViewStatement(name, jetSql);
    if (temp) create.insert(7, "TEMP ");
    db_->Exec(create);
}

void LogDatabase::EnsureQueryViews() {
    for (const auto& q : schema::Queries()) {
        if (!IsViewQuery(q.name) || !QueryExists(q.name)) continue;
        if (!ViewSql(q.name)) MakeView(q.name, QuerySql(q.name));
    }
}

namespace {

// A table of the log's own, found by name without regard to case; null for any other.
const std::vector<std::string>* OwnColumns(const std::string& table) {
    static const std::map<std::string, std::vector<std::string>, Caseless> own = [] {
        std::map<std::string, std::vector<std::string>, Caseless> tables;
        for (const schema::TableDef& t : schema::Tables())
            for (const schema::FieldDef& f : t.fields)
                tables[t.name].push_back(f.name);
        tables["kivrun_relations"] = {"Name",         "PrimaryTable", "PrimaryField",
                                      "ForeignTable", "ForeignField", "Attributes"};
        tables["kivrun_queries"] = {"Name", "SQL"};
        return tables;
    }();
    const auto it = own.find(table);
    return it == own.end() ? nullptr : &it->second;
}

// A table named like one of the log's is the log's when it has the table's first field and
// no field the log does not know; a log of an earlier build may lack the later ones.
bool FitsTheLog(SqliteDb& db, const std::string& table, const std::vector<std::string>& own) {
    Statement s = db.Prepare("SELECT name FROM pragma_table_info(?)");
    s.Bind(1, table);
    bool first = false;
    while (s.Step()) {
        const std::string column = s.Text(0);
        const auto known = std::find_if(own.begin(), own.end(), [&](const std::string& f) {
            return strcasecmp(f.c_str(), column.c_str()) == 0;
        });
        if (known == own.end()) return false;
        if (known == own.begin()) first = true;
    }
    return first;
}

}  // namespace

LogDatabase::Contents LogDatabase::Classify() {
    return Classify(*db_);
}

LogDatabase::Contents LogDatabase::Classify(SqliteDb& db) {
    std::vector<std::string> tables;
    {
        Statement s = db.Prepare(
            "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' "
            "ESCAPE '\\'");
        while (s.Step())
            tables.push_back(s.Text(0));
    }
    if (tables.empty()) return Contents::Empty;
    bool entries = false, catalog = false;
    for (const std::string& name : tables) {
        const std::vector<std::string>* own = OwnColumns(name);
        if (!own) continue;
        // A look-alike (a "Log Entry" of other columns) is not completed into a log.
        if (!FitsTheLog(db, name, *own)) return Contents::Foreign;
        if (strcasecmp(name.c_str(), "Log Entry") == 0) entries = true;
        if (strncasecmp(name.c_str(), "kivrun_", 7) == 0) catalog = true;
    }
    if (entries) return Contents::Log;
    return catalog ? Contents::LogWithoutEntries : Contents::Foreign;
}

bool LogDatabase::QuickCheckPasses() {
    Statement s = db_->Prepare("PRAGMA quick_check(1)");
    return s.Step() && s.Text(0) == "ok";
}

long long LogDatabase::RowCount(const std::string& table) {
    Statement s = db_->Prepare("SELECT count(*) FROM " + Ident(table));
    s.Step();
    return s.Int64(0);
}

std::string LogDatabase::IntegrityProblems() {
    Statement s = db_->Prepare("PRAGMA integrity_check");
    std::string problems;
    while (s.Step()) {
        std::string line = s.Text(0);
        if (line != "ok") problems += line + "\n";
    }
    return problems;
}

}  // namespace kivrun
