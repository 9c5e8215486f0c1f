#pragma once

#include <string>

#include "store/Database.h"
#include "store/Rows.h"

namespace kivrun {

// A forward-only walk over workouts: one prepared statement, its columns read straight into
// the row, inside one read transaction. Whole-log work (lists, exports, printing) streams
// through it instead of moving a record set row by row.
class EntryReader {
  public:
    // The "Log Entry" columns an EntryRow holds, in the order Read expects them.
    static const char* const kColumns;

    // Walks the rows of a SQLite query that selects every "Log Entry" column, in its order.
    EntryReader(SqliteDb& db, const std::string& sourceSql);
    EntryReader(EntryReader&&) = default;

    // The next row; false at the end. Throws DbError when the engine fails, so a walk never
    // goes on past a row it could not read.
    bool Next(EntryRow& row);

    // Reads the columns of kColumns, starting at first, into row.
    static void Read(const Statement& s, EntryRow& row, int first = 0);

  private:
    ReadTransaction tx_;
    Statement stmt_;
};

}  // namespace kivrun
