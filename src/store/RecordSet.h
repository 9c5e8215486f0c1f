#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "store/Field.h"
#include "store/JetSql.h"

namespace kivrun {

namespace jetsql {
struct Parameter;
}
class LogDatabase;
class QueryDef;
class Statement;

// A cursor over the rows of a table or query with the current row as typed members.
//
// Updatable sets hold a keyset: the ordered row keys of their source in memory, with the
// current row read by key when the set moves, so a move or a paint never reloads the table.
// Sets whose source has no single base table (totals) hold their rows instead, read-only.
// Criteria for Find are evaluated by SQLite against the source's columns.
class RecordSet {
  public:
    using Bookmark = std::int64_t;

    explicit RecordSet(LogDatabase* db);
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;
    virtual ~RecordSet();

    // Opens on the class's default source, on a table name ("[Routes]"), a table name with an
    // order ("[Log Entry] ORDER BY [Date]"), a stored query name or a SELECT text. Throws
    // DbError when the engine refuses.
    void Open(const std::string& source = {});
    // Opens on a stored query with the parameter values set on it.
    void Open(const QueryDef& query);
    void Close();
    bool IsOpen() const { return open_; }
    void Requery();

    // Applied at the next Open or Requery, as a WHERE clause and an ORDER BY list.
    void SetFilter(const std::string& criteria) { filter_ = criteria; }
    void SetSort(const std::string& sort) { sort_ = sort; }
    const std::string& Filter() const { return filter_; }

    bool IsBOF() const;
    bool IsEOF() const;
    // Both at its start and at its end: no rows.
    bool IsEmpty() const { return IsBOF() && IsEOF(); }
    void MoveFirst();
    void MoveNext();
    void MovePrev();
    void MoveLast();
    long GetRecordCount() const;
    // 0-based position of the current row, -1 when there is none.
    long GetAbsolutePosition() const;
    void SetAbsolutePosition(long position);

    // The row key at a position and the position of a key (-1 when absent), for reading
    // rows by position without moving the set.
    std::int64_t KeyAt(long position) const;
    long PositionOfKey(std::int64_t key) const { return PositionOf(key); }

    Bookmark GetBookmark() const;
    // False when no row of the set has that bookmark.
    bool SetBookmark(Bookmark bookmark);
    Bookmark GetLastModifiedBookmark() const { return lastModified_; }

    // Moves to the first, next, previous or last row that satisfies the criteria. When none
    // does, the set stays where it was and false is returned.
    bool FindFirst(const std::string& criteria);
    bool FindNext(const std::string& criteria);
    bool FindPrev(const std::string& criteria);
    bool FindLast(const std::string& criteria);

    bool CanUpdate() const { return !baseTable_.empty() && !snapshot_; }
    void Edit();
    void AddNew();
    // Writes the edited or added row. Throws DbError when the engine refuses it (the set
    // stays in edit mode, so the caller may cancel).
    void Update();
    void CancelUpdate();
    void Delete();
    // The current row was deleted (by this set or, through a relation, by another).
    bool IsDeleted() const { return deleted_; }

    bool IsFieldNull(const FieldBase& field) const { return field.IsNull(); }
    void SetFieldNull(FieldBase& field) { field.SetNullValue(); }

    LogDatabase* Database() const { return db_; }
    // The SQLite text the set runs (for diagnostics and tests).
    const std::string& SourceSql() const { return sql_; }

  protected:
    virtual std::string GetDefaultSQL() const = 0;
    // The table written by Edit, AddNew and Delete; empty for read-only sets.
    virtual std::string BaseTable() const { return {}; }
    // Whether a row is read back from the base table by key (true) or through the full source
    // query (join sets whose companion columns come from other tables).
    virtual bool FetchFromBaseTable() const { return true; }
    // The expression, in the source's terms, that yields the base table's rowid.
    virtual std::string KeyExpression() const;

    // Declares a member in binding order. Read-only members (join companions) are not
    // written back.
    void Bind(const char* column, FieldBase& field, bool writable = true);

  private:
    struct Binding {
        std::string column;
        FieldBase* field;
        bool writable;
    };
    enum class EditMode { None, Edit, Add };

    std::string ResolveSource() const;
    void Build(const std::string& jet, const std::map<std::string, Value>& params);
    void Load();
    void LoadCurrent();
    void ClearFields();
    bool Find(const std::string& criteria, long from, int step);
    std::vector<std::int64_t> MatchingKeys(const std::string& criteria);
    long PositionOf(std::int64_t key) const;
    long Count() const;
    void RequireRow() const;
    void RequireUpdatable() const;

    LogDatabase* db_;
    std::vector<Binding> bindings_;
    std::string filter_;
    std::string sort_;
    std::string source_;  // as given to Open
    std::map<std::string, Value> params_;
    bool open_ = false;
    bool snapshot_ = false;
    std::string baseTable_;
    std::string sql_;       // the source, in SQLite's dialect, with the key column
    std::string fetchSql_;  // one row by key
    std::vector<std::int64_t> keys_;
    std::vector<std::vector<Value>> rows_;  // snapshot sets
    std::vector<int> rowColumns_;           // snapshot: column of each binding, -1 if absent
    std::vector<int> fetchColumns_;         // keyset: column of each binding in the fetch
    std::vector<jetsql::Parameter> paramDecls_;
    long pos_ = -1;
    bool deleted_ = false;
    bool erased_ = false;         // the current row's key left the set (this set deleted it)
    bool damageChecked_ = false;  // the file was checked after a row could not be read
    EditMode mode_ = EditMode::None;
    long savedPos_ = -1;
    Bookmark lastModified_ = 0;
};

}  // namespace kivrun
