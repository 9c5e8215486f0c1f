#pragma once

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

// The log's SQL dialect (bracketed names, #M/D/Y# dates, Like with * and ?, double-quoted
// strings, PARAMETERS headers, DatePart, Between, DELETE [T].* ...) and its translation to
// SQLite. Every stored query, record-set source and criteria text goes through here.
namespace kivrun::jetsql {

struct Parameter {
    std::string name;
    std::string type;  // as declared: DateTime, Long, Text, ...
};

struct Translation {
    std::string sql;
    std::vector<Parameter> parameters;  // bound as ":name"
};

// A whole statement. Throws DbError (SQLITE_ERROR) on text it cannot read.
Translation Translate(std::string_view jet);
// A criteria expression, as used by find and filter.
std::string TranslateExpression(std::string_view jet);

// Registers DatePart and jet_like (patterns SQLite LIKE cannot express) on a connection.
void RegisterFunctions(sqlite3* db);

// DatePart for 'yyyy', 'q', 'm', 'y', 'd', 'w' and 'ww'; firstDay 1 = Sunday .. 7 = Saturday.
// Week 1 holds 1 January; every firstDay starts a new week. Returns 0 for an unknown interval.
int DatePart(std::string_view interval, double serial, int firstDay);

// Like with * (any run), ? (one character), # (one digit), [abc], [a-z] and [!abc];
// letters compare without regard to case.
bool LikeMatch(std::string_view value, std::string_view pattern);

// Literals for criteria built from user text, so that any text survives.
std::string Quote(std::string_view text);        // 'text', quotes doubled
std::string DoubleQuote(std::string_view text);  // "text", quotes doubled
std::string LikeEscape(std::string_view text);   // wildcards made literal: [*] [?] [#] [[]

}  // namespace kivrun::jetsql
