#include "store/Database.h"

#include <sqlite3.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

namespace kivrun {
namespace {

[[noreturn]] void Throw(sqlite3* db, int rc) {
    const char* msg = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    throw DbError(rc, msg ? msg : "unknown error");
}

}  // namespace

bool DbError::IsRefusal() const {
    return code_ == SQLITE_CONSTRAINT;
}

bool DbError::IsBusy() const {
    return code_ == SQLITE_BUSY || code_ == SQLITE_LOCKED;
}

Statement::Statement(sqlite3* db, std::string_view sql) {
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, &tail);
    if (rc != SQLITE_OK) {
        std::string msg = sqlite3_errmsg(db);
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        throw DbError(rc, msg);
    }
}

Statement::Statement(Statement&& other) noexcept : stmt_(other.stmt_) {
    other.stmt_ = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        stmt_ = other.stmt_;
        other.stmt_ = nullptr;
    }
    return *this;
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

void Statement::Check(int rc) const {
    if (rc != SQLITE_OK) Throw(sqlite3_db_handle(stmt_), rc);
}

Statement& Statement::BindNull(int index) {
    Check(sqlite3_bind_null(stmt_, index));
    return *this;
}

Statement& Statement::Bind(int index, std::int64_t value) {
    Check(sqlite3_bind_int64(stmt_, index, value));
    return *this;
}

Statement& Statement::Bind(int index, double value) {
    Check(sqlite3_bind_double(stmt_, index, value));
    return *this;
}

Statement& Statement::Bind(int index, std::string_view value) {
    Check(sqlite3_bind_text(stmt_, index, value.data(), static_cast<int>(value.size()),
                            SQLITE_TRANSIENT));
    return *this;
}

int Statement::ParameterIndex(const std::string& name) const {
    return sqlite3_bind_parameter_index(stmt_, name.c_str());
}

bool Statement::Step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    sqlite3* db = sqlite3_db_handle(stmt_);
    std::string msg = sqlite3_errmsg(db);
    sqlite3_reset(stmt_);
    throw DbError(rc, msg);
}

void Statement::Run() {
    while (Step()) {
    }
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::ColumnCount() const {
    return sqlite3_column_count(stmt_);
}

std::string Statement::ColumnName(int column) const {
    const char* name = sqlite3_column_name(stmt_, column);
    return name ? name : "";
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::int64_t Statement::Int64(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

double Statement::Real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

std::string Statement::Text(int column) const {
    const unsigned char* text = sqlite3_column_text(stmt_, column);
    int size = sqlite3_column_bytes(stmt_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(size))
                : std::string();
}

void Statement::TextInto(int column, std::string& out) const {
    const unsigned char* text = sqlite3_column_text(stmt_, column);
    const int size = sqlite3_column_bytes(stmt_, column);
    if (text)
        out.assign(reinterpret_cast<const char*>(text), static_cast<size_t>(size));
    else
        out.clear();
}

SqliteDb::SqliteDb(const std::string& path, bool create, bool readOnly)
    : SqliteDb(path, path,
               readOnly ? SQLITE_OPEN_READONLY
                        : SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0)) {}

SqliteDb::SqliteDb(const std::string& path, const std::string& name, int flags) : path_(path) {
    // A connection is only ever used by the thread that opened it: no engine mutex per call.
    int rc = sqlite3_open_v2(name.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string msg = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw DbError(rc, msg);
    }
    sqlite3_extended_result_codes(db_, 0);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    // A file's views and triggers may call only functions that cannot do harm, whoever
    // wrote them.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
}

namespace {

// The first bytes of a database file say whether it is in WAL mode.
bool InWalMode(const std::string& path) {
    unsigned char header[20] = {};
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    const size_t got = std::fread(header, 1, sizeof header, f);
    std::fclose(f);
    return got == sizeof header && std::memcmp(header, "SQLite format 3", 16) == 0 &&
           (header[18] == 2 || header[19] == 2);
}

// The file name as a URI, so that options can go with it.
std::string FileUri(const std::string& path) {
    std::string uri = "file:";
    // Two slashes would start a host name.
    size_t start = 0;
    while (path.size() - start > 1 && path[start] == '/' && path[start + 1] == '/')
        ++start;
    for (size_t i = start; i < path.size(); ++i) {
        const char c = path[i];
        if (c == '%' || c == '?' || c == '#') {
            static const char* hex = "0123456789ABCDEF";
            uri += '%';
            uri += hex[(static_cast<unsigned char>(c) >> 4) & 0xF];
            uri += hex[static_cast<unsigned char>(c) & 0xF];
        } else {
            uri += c;
        }
    }
    return uri;
}

}  // namespace

std::unique_ptr<SqliteDb> SqliteDb::Look(const std::string& path) {
    std::string uri = FileUri(path) + "?mode=ro";
    // Reading a WAL file makes its -wal and -shm files; with no writer about there is nothing
    // in them to read, and the file can be taken as it stands.
    std::error_code ec;
    if (InWalMode(path) && !std::filesystem::exists(path + "-wal", ec)) uri += "&immutable=1";
    return std::unique_ptr<SqliteDb>(
        new SqliteDb(path, uri, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI));
}

SqliteDb::~SqliteDb() {
    cache_.clear();
    sqlite3_close_v2(db_);
}

void SqliteDb::Exec(std::string_view sql) {
    std::string text(sql);
    char* err = nullptr;
    int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        std::string msg = err ? err : sqlite3_errmsg(db_);
        sqlite3_free(err);
        throw DbError(rc, msg);
    }
}

Statement SqliteDb::Prepare(std::string_view sql) {
    return Statement(db_, sql);
}

Statement& SqliteDb::Cached(const std::string& sql) {
    auto it = cache_.find(sql);
    if (it == cache_.end()) {
        it = cache_.emplace(sql, std::make_unique<Statement>(db_, sql)).first;
    } else {
        it->second->Reset();
    }
    return *it->second;
}

void SqliteDb::ClearCache() {
    cache_.clear();
}

std::int64_t SqliteDb::DataVersion() {
    Statement& version = Cached("PRAGMA data_version");
    const std::int64_t others = version.Step() ? version.Int64(0) : 0;
    version.Reset();
    return others;
}

void SqliteDb::SetBusyTimeout(int ms) {
    sqlite3_busy_timeout(db_, ms);
}

std::int64_t SqliteDb::ChangeStamp() {
    const std::int64_t others = DataVersion();
    // Rows changed through this connection, and files changed by others, both only grow.
    return sqlite3_total_changes64(db_) * 1000003 + others;
}

bool SqliteDb::InTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

std::int64_t SqliteDb::LastInsertRowId() const {
    return sqlite3_last_insert_rowid(db_);
}

int SqliteDb::Changes() const {
    return sqlite3_changes(db_);
}

std::string SqliteDb::ErrorMessage() const {
    return sqlite3_errmsg(db_);
}

bool SqliteDb::ReadOnly() const {
    return sqlite3_db_readonly(db_, "main") == 1;
}

Transaction::Transaction(SqliteDb& db) : db_(db) {
    if (sqlite3_get_autocommit(db_.handle()) == 0) {
        static std::atomic<unsigned> counter{0};
        name_ = "kivrun_tx_" + std::to_string(++counter);
        db_.Exec("SAVEPOINT " + name_);
    } else {
        // A connection that may not write has no write lock to take.
        db_.Exec(db_.ReadOnly() ? "BEGIN" : "BEGIN IMMEDIATE");
    }
}

Transaction::~Transaction() {
    if (done_) return;
    try {
        if (name_.empty()) {
            // A failed COMMIT may have ended the transaction already.
            if (sqlite3_get_autocommit(db_.handle()) == 0) db_.Exec("ROLLBACK");
        } else {
            db_.Exec("ROLLBACK TO " + name_);
            db_.Exec("RELEASE " + name_);
        }
    } catch (const DbError&) {
        // Nothing more can be done in a destructor; the engine keeps the file consistent.
    }
}

void Transaction::Commit() {
    db_.Exec(name_.empty() ? "COMMIT" : "RELEASE " + name_);
    done_ = true;
}

ReadTransaction::ReadTransaction(SqliteDb& db) : db_(&db) {
    if (db_->InTransaction()) return;
    db_->Exec("BEGIN");
    began_ = true;
}

ReadTransaction::ReadTransaction(ReadTransaction&& other) noexcept
    : db_(other.db_), began_(std::exchange(other.began_, false)) {}

ReadTransaction::~ReadTransaction() {
    if (!began_) return;
    try {
        db_->Exec("COMMIT");
    } catch (const DbError&) {
        // A read transaction has nothing to lose.
    }
}

}  // namespace kivrun
