#include "store/QueryDef.h"

#include <sqlite3.h>

#include "store/JetSql.h"
#include "store/LogDatabase.h"

namespace kivrun {

void QueryDef::Open(LogDatabase& db, const std::string& name) {
    db.QuerySql(name);  // throws when missing
    db_ = &db;
    name_ = name;
    params_.clear();
}

void QueryDef::Close() {
    db_ = nullptr;
    name_.clear();
    params_.clear();
}

std::string QueryDef::GetSQL() const {
    return db_->QuerySql(name_);
}

void QueryDef::SetSQL(const std::string& jetSql) {
    db_->SetQuerySql(name_, jetSql);
}

void QueryDef::SetParamValue(const std::string& name, Value value) {
    params_[name] = std::move(value);
}

void QueryDef::Execute() {
    Statement s = PrepareWithParams(db_->sql(), GetSQL(), params_);
    s.Run();
}

Statement PrepareWithParams(SqliteDb& db, const std::string& jetSql,
                            const std::map<std::string, Value>& params) {
    const jetsql::Translation t = jetsql::Translate(jetSql);
    Statement s = db.Prepare(t.sql);
    BindParameters(s, t.parameters, params);
    return s;
}

void BindParameters(Statement& s, const std::vector<jetsql::Parameter>& declared,
                    const std::map<std::string, Value>& params) {
    for (const jetsql::Parameter& p : declared) {
        const int index = s.ParameterIndex(":" + p.name);
        if (index == 0) continue;  // declared but not used by the text
        auto it = params.find(p.name);
        if (it == params.end())
            throw DbError(SQLITE_ERROR, "Too few parameters. Expected " + p.name + ".");
        Value v = it->second;
        // Values take the declared type, as the engine would convert them.
        if (p.type == "Long" || p.type == "Integer") {
            if (auto d = std::get_if<double>(&v)) v = static_cast<std::int64_t>(*d);
        } else if (p.type == "DateTime" || p.type == "Double") {
            if (auto i = std::get_if<std::int64_t>(&v)) v = static_cast<double>(*i);
        }
        BindValue(s, index, v);
    }
}

}  // namespace kivrun
