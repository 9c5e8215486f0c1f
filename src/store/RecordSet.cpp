#include "store/RecordSet.h"

#include <sqlite3.h>

#include <cctype>
#include <unordered_set>

#include "store/Database.h"
#include "store/JetSql.h"
#include "store/LogDatabase.h"
#include "store/QueryDef.h"
#include "store/Schema.h"

namespace kivrun {
namespace {

constexpr const char* kKey = "kivrun_key";

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    size_t e = s.find_last_not_of(" \t\r\n");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

bool StartsWithWord(const std::string& s, const char* word) {
    size_t n = std::char_traits<char>::length(word);
    if (s.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::toupper(static_cast<unsigned char>(s[i])) != word[i]) return false;
    return s.size() == n || !std::isalnum(static_cast<unsigned char>(s[n]));
}

std::string Ident(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

bool IEquals(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

RecordSet::RecordSet(LogDatabase* db) : db_(db) {}

RecordSet::~RecordSet() = default;

std::string RecordSet::KeyExpression() const {
    return Ident(baseTable_) + ".rowid";
}

void RecordSet::Bind(const char* column, FieldBase& field, bool writable) {
    bindings_.push_back({column, &field, writable});
}

void RecordSet::Open(const std::string& source) {
    Close();
    source_ = source.empty() ? GetDefaultSQL() : source;
    Build(ResolveSource(), {});
}

std::string RecordSet::ResolveSource() const {
    std::string jet = Trim(source_);
    if (StartsWithWord(jet, "SELECT") || StartsWithWord(jet, "PARAMETERS")) return jet;
    std::string name = jet;
    if (name.size() > 2 && name.front() == '[' && name.back() == ']')
        name = name.substr(1, name.size() - 2);
    // Only the program's stored queries are run; another row of the catalog names nothing.
    if (name.find_first_of("[] ") == std::string::npos && schema::FindQuery(name) &&
        db_->QueryExists(name))
        return db_->QuerySql(name);
    return "SELECT * FROM " + jet;
}

void RecordSet::Open(const QueryDef& query) {
    Close();
    source_ = query.Name();
    Build(query.GetSQL(), query.Params());
}

void RecordSet::Close() {
    open_ = false;
    keys_.clear();
    rows_.clear();
    pos_ = -1;
    deleted_ = erased_ = false;
    mode_ = EditMode::None;
    ClearFields();
}

void RecordSet::Build(const std::string& jet, const std::map<std::string, Value>& params) {
    params_ = params;
    fetchColumns_.clear();
    const jetsql::Translation t = jetsql::Translate(jet);
    baseTable_ = BaseTable();
    auto wrap = [this](const std::string& inner) {
        std::string sql = inner;
        if (!filter_.empty() || !sort_.empty()) {
            sql = "SELECT * FROM (" + inner + ")";
            if (!filter_.empty()) sql += " WHERE (" + jetsql::TranslateExpression(filter_) + ")";
            if (!sort_.empty()) sql += " ORDER BY " + jetsql::TranslateExpression(sort_);
        }
        return sql;
    };
    snapshot_ = baseTable_.empty();
    if (!snapshot_) {
        std::string inner = Trim(t.sql);
        if (StartsWithWord(inner, "SELECT")) {
            inner.insert(6, " " + KeyExpression() + " AS " + kKey + ",");
            sql_ = wrap(inner);
            try {
                Statement probe =
                    db_->sql().Prepare("SELECT " + std::string(kKey) + " FROM (" + sql_ + ")");
            } catch (const DbError& e) {
                // A locked or damaged file is no reason to read a table as a snapshot.
                if (e.code() != SQLITE_ERROR) throw;
                snapshot_ = true;  // the base table is not in the source: read-only rows
            }
        } else {
            snapshot_ = true;
        }
    }
    if (snapshot_) sql_ = wrap(t.sql);
    fetchSql_ = FetchFromBaseTable() ? "SELECT *, rowid AS " + std::string(kKey) + " FROM " +
                                           Ident(baseTable_) + " WHERE rowid = ?"
                                     : "SELECT * FROM (" + sql_ + ") WHERE " + kKey + " = ?";
    paramDecls_ = t.parameters;
    open_ = true;
    Load();
}

void RecordSet::Load() {
    keys_.clear();
    rows_.clear();
    damageChecked_ = false;
    deleted_ = erased_ = false;
    mode_ = EditMode::None;
    if (snapshot_) {
        Statement s = db_->sql().Prepare(sql_);
        BindParameters(s, paramDecls_, params_);
        rowColumns_.assign(bindings_.size(), -1);
        for (int c = 0; c < s.ColumnCount(); ++c)
            for (size_t b = 0; b < bindings_.size(); ++b)
                if (rowColumns_[b] < 0 && IEquals(s.ColumnName(c), bindings_[b].column))
                    rowColumns_[b] = c;
        while (s.Step()) {
            std::vector<Value> row(bindings_.size());
            for (size_t b = 0; b < bindings_.size(); ++b)
                if (rowColumns_[b] >= 0) row[b] = ReadValue(s, rowColumns_[b]);
            rows_.push_back(std::move(row));
        }
    } else {
        Statement s = db_->sql().Prepare("SELECT " + std::string(kKey) + " FROM (" + sql_ + ")");
        BindParameters(s, paramDecls_, params_);
        while (s.Step())
            keys_.push_back(s.Int64(0));
    }
    pos_ = Count() > 0 ? 0 : -1;
    LoadCurrent();
}

void RecordSet::Requery() {
    if (!open_) return;
    // The filter, the sort and a stored query's text may have changed since the set opened.
    const std::map<std::string, Value> params = params_;
    Build(ResolveSource(), params);
}

long RecordSet::Count() const {
    return static_cast<long>(snapshot_ ? rows_.size() : keys_.size());
}

void RecordSet::ClearFields() {
    for (auto& b : bindings_)
        b.field->Load(Value{});
}

void RecordSet::LoadCurrent() {
    if (!open_ || pos_ < 0 || pos_ >= Count()) {
        ClearFields();
        return;
    }
    if (snapshot_) {
        const auto& row = rows_[static_cast<size_t>(pos_)];
        for (size_t b = 0; b < bindings_.size(); ++b)
            bindings_[b].field->Load(row[b]);
        return;
    }
    Statement& s = db_->sql().Cached(fetchSql_);
    if (fetchColumns_.empty()) {
        fetchColumns_.assign(bindings_.size(), -1);
        for (int c = 0; c < s.ColumnCount(); ++c)
            for (size_t b = 0; b < bindings_.size(); ++b)
                if (fetchColumns_[b] < 0 && IEquals(s.ColumnName(c), bindings_[b].column))
                    fetchColumns_[b] = c;
    }
    s.Bind(1, keys_[static_cast<size_t>(pos_)]);
    if (!s.Step()) {
        s.Reset();
        // Gone since the keyset was read, e.g. through a cascade from another table. Or the
        // file lists a row it cannot give: that is damage, and it ends the walk here.
        if (!damageChecked_) {
            damageChecked_ = true;
            if (!db_->QuickCheckPasses())
                throw DbError(SQLITE_CORRUPT, sqlite3_errstr(SQLITE_CORRUPT));
        }
        ClearFields();
        deleted_ = true;
        return;
    }
    for (size_t b = 0; b < bindings_.size(); ++b)
        bindings_[b].field->Load(fetchColumns_[b] >= 0 ? ReadValue(s, fetchColumns_[b]) : Value{});
    s.Reset();
}

bool RecordSet::IsBOF() const {
    return !open_ || Count() == 0 || pos_ < 0;
}

bool RecordSet::IsEOF() const {
    return !open_ || Count() == 0 || pos_ >= Count();
}

void RecordSet::MoveFirst() {
    pos_ = Count() > 0 ? 0 : -1;
    deleted_ = erased_ = false;
    LoadCurrent();
}

void RecordSet::MoveNext() {
    // After a delete the current position already names the row that followed; a row that
    // vanished otherwise still holds its place, and the walk goes past it.
    if (!erased_ && pos_ < Count()) ++pos_;
    deleted_ = erased_ = false;
    LoadCurrent();
}

void RecordSet::MovePrev() {
    if (pos_ >= 0) --pos_;
    deleted_ = erased_ = false;
    LoadCurrent();
}

void RecordSet::MoveLast() {
    pos_ = Count() - 1;
    deleted_ = erased_ = false;
    LoadCurrent();
}

long RecordSet::GetRecordCount() const {
    return open_ ? Count() : 0;
}

long RecordSet::GetAbsolutePosition() const {
    return (IsBOF() || IsEOF() || deleted_) ? -1 : pos_;
}

void RecordSet::SetAbsolutePosition(long position) {
    pos_ = (position < 0 || position >= Count()) ? Count() : position;
    deleted_ = erased_ = false;
    LoadCurrent();
}

RecordSet::Bookmark RecordSet::GetBookmark() const {
    RequireRow();
    return snapshot_ ? pos_ : keys_[static_cast<size_t>(pos_)];
}

bool RecordSet::SetBookmark(Bookmark bookmark) {
    long p = snapshot_ ? (bookmark >= 0 && bookmark < Count() ? long(bookmark) : -1)
                       : PositionOf(bookmark);
    if (p < 0) return false;
    pos_ = p;
    deleted_ = erased_ = false;
    LoadCurrent();
    return true;
}

std::int64_t RecordSet::KeyAt(long position) const {
    if (position < 0 || position >= Count()) return 0;
    return snapshot_ ? position : keys_[static_cast<size_t>(position)];
}

long RecordSet::PositionOf(std::int64_t key) const {
    for (size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i] == key) return static_cast<long>(i);
    return -1;
}

std::vector<std::int64_t> RecordSet::MatchingKeys(const std::string& criteria) {
    if (snapshot_) {
        // Rows of a read-only set are numbered in the order they were read.
        Statement s = db_->sql().Prepare(
            "SELECT n FROM (SELECT row_number() OVER () - 1 AS n, "
            "* FROM (" +
            sql_ + ")) WHERE (" + jetsql::TranslateExpression(criteria) + ")");
        BindParameters(s, paramDecls_, params_);
        std::vector<std::int64_t> out;
        while (s.Step())
            out.push_back(s.Int64(0));
        return out;
    }
    Statement s = db_->sql().Prepare("SELECT " + std::string(kKey) + " FROM (" + sql_ +
                                     ") WHERE (" + jetsql::TranslateExpression(criteria) + ")");
    BindParameters(s, paramDecls_, params_);
    std::vector<std::int64_t> out;
    while (s.Step())
        out.push_back(s.Int64(0));
    return out;
}

bool RecordSet::Find(const std::string& criteria, long from, int step) {
    if (!open_) return false;
    const std::vector<std::int64_t> matches = MatchingKeys(criteria);
    if (matches.empty()) return false;
    const std::unordered_set<std::int64_t> set(matches.begin(), matches.end());
    for (long p = from; p >= 0 && p < Count(); p += step) {
        const std::int64_t key = snapshot_ ? p : keys_[static_cast<size_t>(p)];
        if (set.count(key)) {
            pos_ = p;
            deleted_ = erased_ = false;
            LoadCurrent();
            return true;
        }
    }
    return false;
}

bool RecordSet::FindFirst(const std::string& criteria) {
    return Find(criteria, 0, 1);
}

bool RecordSet::FindLast(const std::string& criteria) {
    return Find(criteria, Count() - 1, -1);
}

bool RecordSet::FindNext(const std::string& criteria) {
    long from = pos_ < 0 ? 0 : (erased_ ? pos_ : pos_ + 1);
    return Find(criteria, from, 1);
}

bool RecordSet::FindPrev(const std::string& criteria) {
    long from = pos_ >= Count() ? Count() - 1 : pos_ - 1;
    return Find(criteria, from, -1);
}

void RecordSet::RequireRow() const {
    if (IsBOF() || IsEOF() || deleted_) throw DbError(SQLITE_MISUSE, "No current record.");
}

void RecordSet::RequireUpdatable() const {
    if (!CanUpdate()) throw DbError(SQLITE_READONLY, "Database or object is read-only.");
}

void RecordSet::Edit() {
    RequireUpdatable();
    RequireRow();
    for (auto& b : bindings_)
        b.field->MarkClean();
    mode_ = EditMode::Edit;
}

void RecordSet::AddNew() {
    RequireUpdatable();
    savedPos_ = pos_;
    ClearFields();
    mode_ = EditMode::Add;
}

void RecordSet::Update() {
    if (mode_ == EditMode::None) throw DbError(SQLITE_MISUSE, "Update without AddNew or Edit.");
    std::vector<const Binding*> dirty;
    for (const auto& b : bindings_)
        if (b.writable && b.field->IsDirty()) dirty.push_back(&b);
    SqliteDb& db = db_->sql();
    if (mode_ == EditMode::Edit) {
        const std::int64_t key = keys_[static_cast<size_t>(pos_)];
        if (!dirty.empty()) {
            std::string sql = "UPDATE " + Ident(baseTable_) + " SET ";
            for (size_t i = 0; i < dirty.size(); ++i)
                sql += (i ? ", " : "") + Ident(dirty[i]->column) + " = ?";
            sql += " WHERE rowid = ?";
            Statement& s = db.Cached(sql);
            for (size_t i = 0; i < dirty.size(); ++i)
                BindValue(s, static_cast<int>(i) + 1, dirty[i]->field->Get());
            s.Bind(static_cast<int>(dirty.size()) + 1, key);
            s.Run();
        }
        lastModified_ = key;
        mode_ = EditMode::None;
        LoadCurrent();
        return;
    }
    std::string sql = "INSERT INTO " + Ident(baseTable_);
    if (dirty.empty()) {
        sql += " DEFAULT VALUES";
    } else {
        std::string cols, marks;
        for (size_t i = 0; i < dirty.size(); ++i) {
            cols += (i ? ", " : "") + Ident(dirty[i]->column);
            marks += i ? ", ?" : "?";
        }
        sql += " (" + cols + ") VALUES (" + marks + ")";
    }
    Statement& s = db.Cached(sql);
    for (size_t i = 0; i < dirty.size(); ++i)
        BindValue(s, static_cast<int>(i) + 1, dirty[i]->field->Get());
    s.Run();
    const bool wasEOF = savedPos_ >= Count();
    lastModified_ = db.LastInsertRowId();
    // A dynaset shows a row it added at its end until it is requeried.
    keys_.push_back(lastModified_);
    mode_ = EditMode::None;
    pos_ = wasEOF ? Count() : savedPos_;
    LoadCurrent();
}

void RecordSet::CancelUpdate() {
    if (mode_ == EditMode::Add) pos_ = savedPos_;
    mode_ = EditMode::None;
    LoadCurrent();
}

void RecordSet::Delete() {
    RequireUpdatable();
    RequireRow();
    const std::int64_t key = keys_[static_cast<size_t>(pos_)];
    Statement& s = db_->sql().Cached("DELETE FROM " + Ident(baseTable_) + " WHERE rowid = ?");
    s.Bind(1, key);
    s.Run();
    keys_.erase(keys_.begin() + pos_);
    deleted_ = erased_ = true;
}

}  // namespace kivrun
