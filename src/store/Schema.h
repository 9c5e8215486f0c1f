#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kivrun {

class LogDatabase;
class UserInterface;

// The structure of a log: sixteen tables, ten relations and eight stored queries as logs have
// always had them, and the tables (and relation) of our own that follow them.
namespace schema {

// Number: a Long that also takes decimals (the weights of a routine); whole numbers stay
// integers.
enum class FieldType { Long, Double, DateTime, Boolean, Text, Memo, Number };

// Field attribute bits as the log format has always recorded them.
constexpr int kFixed = 0x1;
constexpr int kVariable = 0x2;
constexpr int kAutoIncrement = 0x10;
constexpr int kUpdatable = 0x20;

// Relation attribute bits.
constexpr int kUpdateCascade = 0x100;
constexpr int kDeleteCascade = 0x1000;

struct FieldDef {
    std::string name;
    FieldType type = FieldType::Long;
    int size = 0;  // characters, Text only
    int attributes = kUpdatable;
    bool required = false;
    bool allowZeroLength = false;
    std::string defaultValue;  // empty: none
    int ordinal = 0;           // 1..n in table order

    bool autoIncrement() const { return (attributes & kAutoIncrement) != 0; }
    bool isText() const { return type == FieldType::Text || type == FieldType::Memo; }
};

struct TableDef {
    std::string name;
    std::vector<FieldDef> fields;
    std::string primaryKey;  // empty: the table has no index

    const FieldDef* Field(std::string_view name) const;
};

struct RelationDef {
    std::string name;
    std::string primaryTable;
    std::string primaryField;
    std::string foreignTable;
    std::string foreignField;
    int attributes = 0;
};

struct QueryText {
    std::string name;
    std::string sql;
};

// In the order the builder runs them.
const std::vector<TableDef>& Tables();
const std::vector<RelationDef>& Relations();
const std::vector<QueryText>& Queries();
const TableDef* FindTable(std::string_view name);
const QueryText* FindQuery(std::string_view name);

// Builds or completes the schema of an open log: adds whatever table, field, relation or
// query it lacks and leaves everything that exists as it is, except a stored query whose text
// is not the program's: that is restored, and the user told. Stops at the first table that
// cannot be built (what was built before stays) and reports it through ui.
bool BuildOrComplete(LogDatabase& db, UserInterface& ui);

// Opening a log: removes code the program did not write, builds or completes its structure,
// and a file that held nothing yet becomes a new log with its default rows. Another
// program's database is refused and left as it is; a log that has lost its "Log Entry" table
// is completed only when the user agrees.
bool CompleteLog(LogDatabase& db, UserInterface& ui);

// The statement of a trigger the program makes in logs; null for a name it never uses.
const std::string* OwnTrigger(const std::string& name);

// A log runs only what the program put there: a trigger or view of any other name or
// statement is dropped, after telling the user once. False (after telling why) when that
// cannot be done.
bool RemoveForeignCode(LogDatabase& db, UserInterface& ui);
extern const char* const kForeignCodeRemoved;

// Makes the routine tables take decimal weights: a log made before they could holds its
// weight columns as whole numbers only, and those two tables are rebuilt with the same rows,
// indexes and triggers. Nothing is written when they take decimals already. Runs inside the
// caller's transaction; throws DbError.
void AllowDecimalWeights(LogDatabase& log);

// SQLite column declaration of a field, with the rules the database enforces.
std::string ColumnDeclaration(const TableDef& table, const FieldDef& field, bool inCreateTable);

}  // namespace schema
}  // namespace kivrun
