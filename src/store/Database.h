#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace kivrun {

// An engine failure: the engine's own description and result code.
class DbError : public std::runtime_error {
  public:
    DbError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
    int code() const { return code_; }
    // The engine refused this row (a constraint, a relation, a type): the data was wrong, not
    // the file or the disk, and the work may go on without it.
    bool IsRefusal() const;
    // Another connection holds the lock the work needed.
    bool IsBusy() const;

  private:
    int code_;
};

// One prepared statement. Move-only; finalised when destroyed.
class Statement {
  public:
    Statement() = default;
    Statement(sqlite3* db, std::string_view sql);
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    Statement& BindNull(int index);
    Statement& Bind(int index, int value) { return Bind(index, static_cast<std::int64_t>(value)); }
    Statement& Bind(int index, std::int64_t value);
    Statement& Bind(int index, double value);
    Statement& Bind(int index, std::string_view value);
    Statement& Bind(int index, const char* value) { return Bind(index, std::string_view(value)); }
    // 0 when the statement has no parameter of that name (":name").
    int ParameterIndex(const std::string& name) const;

    // Advances to the next row: true while a row is available. Throws on failure.
    bool Step();
    // Runs a statement that returns no rows.
    void Run();
    void Reset();

    int ColumnCount() const;
    std::string ColumnName(int column) const;
    bool IsNull(int column) const;
    std::int64_t Int64(int column) const;
    double Real(int column) const;
    std::string Text(int column) const;
    // Text into an existing string, keeping its capacity (for rows read again and again).
    void TextInto(int column, std::string& out) const;

    sqlite3_stmt* handle() const { return stmt_; }

  private:
    void Check(int rc) const;
    sqlite3_stmt* stmt_ = nullptr;
};

// One connection to an SQLite file.
class SqliteDb {
  public:
    // How long a connection waits for another one (another program, or another instance of
    // this one) to finish writing before it gives up with "database is locked".
    static constexpr int kBusyTimeoutMs = 10000;

    // Opens (or, with create, creates) the file; with readOnly the connection never writes
    // it (its own temporary objects aside). Throws DbError on failure.
    SqliteDb(const std::string& path, bool create, bool readOnly = false);
    // A connection that only looks at the file: it rolls back no journal left by a killed
    // writer (a read then fails with SQLITE_READONLY) and, on a file in WAL mode that nobody
    // has open, leaves no companion files behind. Throws DbError on failure.
    static std::unique_ptr<SqliteDb> Look(const std::string& path);
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;
    ~SqliteDb();

    void Exec(std::string_view sql);
    Statement Prepare(std::string_view sql);
    // A statement kept prepared for the life of the connection, reset before it is handed out.
    Statement& Cached(const std::string& sql);
    void ClearCache();

    bool InTransaction() const;
    // Changes as soon as anything in the file changes, through this connection or another:
    // what cached lookups compare to know they are stale.
    std::int64_t ChangeStamp();
    // Changes when another connection commits a change to the file (never for this one's).
    std::int64_t DataVersion();
    void SetBusyTimeout(int ms);
    std::int64_t LastInsertRowId() const;
    int Changes() const;
    std::string ErrorMessage() const;
    const std::string& path() const { return path_; }
    sqlite3* handle() const { return db_; }
    // Whether the engine refuses writes to the file.
    bool ReadOnly() const;

  private:
    SqliteDb(const std::string& path, const std::string& name, int flags);

    sqlite3* db_ = nullptr;
    std::string path_;
    std::unordered_map<std::string, std::unique_ptr<Statement>> cache_;
};

// A unit of work: nested transactions become savepoints, so one user action stays one
// transaction however many operations it is made of. Rolls back unless committed.
//
// The outermost one takes the write lock at once (BEGIN IMMEDIATE): a transaction that read
// first and asked for the lock later could only fail when another program writes, since the
// engine will not let two readers wait for each other to become writers.
class Transaction {
  public:
    explicit Transaction(SqliteDb& db);
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction();
    void Commit();

  private:
    SqliteDb& db_;
    std::string name_;  // empty: the outermost transaction
    bool done_ = false;
};

// One consistent view of the file for a walk of several statements: a read transaction
// when none is open, nothing inside one (it already sees a consistent file).
class ReadTransaction {
  public:
    explicit ReadTransaction(SqliteDb& db);
    ReadTransaction(ReadTransaction&& other) noexcept;
    ReadTransaction& operator=(ReadTransaction&&) = delete;
    ~ReadTransaction();

  private:
    SqliteDb* db_;
    bool began_ = false;
};

}  // namespace kivrun
