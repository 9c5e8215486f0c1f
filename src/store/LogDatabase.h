#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/Database.h"
#include "store/Schema.h"

namespace kivrun {

class UserInterface;

// One open log file: the SQLite connection plus the log's own catalog of relations and
// stored queries (tables whose names begin with "kivrun_").
class LogDatabase {
  public:
    // Results of Open.
    enum OpenResult {
        kOpened = 1,
        kNotFound = 0,
        kFailed = -1,
        kNotALog = -2,  // not a database at all (an old text log, perhaps)
        kEmpty = -3,    // an empty file, or a database without a single table
        kForeign = -4,  // another program's database
    };

    // A new, empty database file at path (no schema yet); an empty file there is taken over.
    // Null after telling the user why.
    static std::unique_ptr<LogDatabase> Create(const std::string& path, UserInterface& ui);
    // Opens an existing log. What the file holds is decided first by reading it only, so a
    // file that is not a log is left exactly as it was. Without a message: kNotALog when the
    // file is not a database (such as a text file), kEmpty when it holds nothing yet,
    // kForeign when it is another program's database, kNotFound when there is no file (with
    // a message when reportMissing); kFailed after a message otherwise.
    // With readOnly the file is opened for reading only: every write is refused.
    static int Open(const std::string& path, UserInterface& ui, bool reportMissing,
                    std::unique_ptr<LogDatabase>& out, bool readOnly = false);

    SqliteDb& sql() { return *db_; }
    // The file could only be opened for reading.
    bool IsReadOnly() const;
    const std::string& path() const { return db_->path(); }

    // What an open SQLite file holds, as far as a log is concerned.
    enum class Contents {
        Empty,              // no table yet: a new file, which becomes a log
        Log,                // a training log, perhaps of an earlier build
        LogWithoutEntries,  // a log that has lost its "Log Entry" table
        Foreign,            // another program's database (a look-alike too): left alone
    };
    Contents Classify();
    static Contents Classify(SqliteDb& db);
    // "Couldn't open database--Exception: '<path>' is not a training log."
    static std::string NotALogMessage(const std::string& path);
    // SQLite's quick check of the whole file.
    bool QuickCheckPasses();

    // Structure.
    bool TableExists(const std::string& table);
    bool TriggerExists(const std::string& name);
    // The triggers and views of the file that the program did not make, as "trigger NAME"
    // or "view NAME": its own are known by name and statement.
    std::vector<std::string> ForeignCode();
    // Drops them; the caller holds the transaction.
    void DropForeignCode();
    std::vector<std::string> FieldNames(const std::string& table);
    bool FieldExists(const std::string& table, const std::string& field);
    // Adds a field; refuses a name that exists ("A field by that name already exists.").
    bool CreateField(const std::string& table, const schema::FieldDef& field, UserInterface& ui);
    std::optional<schema::FieldDef> GetFieldInfo(const std::string& table, const std::string& field,
                                                 UserInterface& ui);
    bool DeleteField(const std::string& table, const std::string& field, UserInterface& ui);

    // The catalog of relations and stored queries.
    void EnsureCatalog();
    bool RelationExists(const std::string& name);
    std::optional<schema::RelationDef> Relation(const std::string& name);
    bool QueryExists(const std::string& name);
    // The text that is run for a stored query of the log: only ever the program's own (its
    // fixed texts, or the text the program last set), never what the file holds. Throws
    // DbError when the log has no query of that name.
    std::string QuerySql(const std::string& name);
    // The text the file holds for a stored query; nothing when it has none.
    std::optional<std::string> StoredQuerySql(const std::string& name);
    void CreateQuery(const std::string& name, const std::string& jetSql);
    // Sets a stored query's text. The file is written only where it differs: the stored
    // text, and for a query that is also a view, the view. A connection that may not write
    // keeps the text, and its view, to itself.
    void SetQuerySql(const std::string& name, const std::string& jetSql);
    // Stored queries other queries select from live as SQLite views too.
    void EnsureQueryViews();

    long long RowCount(const std::string& table);
    // SQLite's integrity check: empty when the file is sound, else what it found.
    std::string IntegrityProblems();

  private:
    explicit LogDatabase(std::unique_ptr<SqliteDb> db);
    void Configure();
    // A file shorter than its own header says (its last page torn off) is damaged.
    void RefuseCutShort(const std::string& path);
    void MakeView(const std::string& name, const std::string& jetSql);
    std::optional<std::string> ViewSql(const std::string& name);

    std::unique_ptr<SqliteDb> db_;
    std::map<std::string, std::string> sessionSql_;  // query texts the program set, by name
};

// Stored queries that are views as well, so that other queries can select from them.
bool IsViewQuery(const std::string& name);
std::string WithoutFinalOrderBy(const std::string& sql);

}  // namespace kivrun
