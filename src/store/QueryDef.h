#pragma once

#include <map>
#include <string>
#include <vector>

#include "store/Database.h"
#include "store/Field.h"

namespace kivrun {

class LogDatabase;

// A stored query of the log, opened by name: its text can be read and replaced, its
// parameters set, and it can be run or handed to a record set.
class QueryDef {
  public:
    QueryDef() = default;
    // Throws DbError when the log has no query of that name.
    void Open(LogDatabase& db, const std::string& name);
    void Close();
    bool IsOpen() const { return db_ != nullptr; }

    const std::string& Name() const { return name_; }
    LogDatabase* Database() const { return db_; }
    std::string GetSQL() const;
    void SetSQL(const std::string& jetSql);

    // Parameter values by declared name; dates are serial days.
    void SetParamValue(const std::string& name, Value value);
    const std::map<std::string, Value>& Params() const { return params_; }

    // Runs an action query (DELETE ...).
    void Execute();

  private:
    LogDatabase* db_ = nullptr;
    std::string name_;
    std::map<std::string, Value> params_;
};

namespace jetsql {
struct Parameter;
}

// Binds parameter values by declared name to a translated statement; a declared parameter
// that the statement uses but that has no value is an error, as it always was.
void BindParameters(Statement& statement, const std::vector<jetsql::Parameter>& declared,
                    const std::map<std::string, Value>& params);

// Prepares translated dialect text with the given parameter values bound by name.
Statement PrepareWithParams(SqliteDb& db, const std::string& jetSql,
                            const std::map<std::string, Value>& params);

}  // namespace kivrun
