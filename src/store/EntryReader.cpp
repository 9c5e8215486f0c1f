#include "store/EntryReader.h"

namespace kivrun {

const char* const EntryReader::kColumns =
    "EntryID, Date, SptAbbrev, TrainingTypeAbbrev, Distance, Time, Pace, Route, Notes, "
    "OptionalOne, OptionalTwo, Background";

EntryReader::EntryReader(SqliteDb& db, const std::string& sourceSql)
    : tx_(db), stmt_(db.Prepare("SELECT " + std::string(kColumns) + " FROM (" + sourceSql + ")")) {}

bool EntryReader::Next(EntryRow& row) {
    if (!stmt_.Step()) return false;
    Read(stmt_, row);
    return true;
}

void EntryReader::Read(const Statement& s, EntryRow& row, int c) {
    row.entryId = s.Int64(c);
    row.date = s.Real(c + 1);
    s.TextInto(c + 2, row.sport);
    s.TextInto(c + 3, row.cls);
    row.distance = s.Real(c + 4);
    row.time = s.Real(c + 5);
    row.pace = s.Real(c + 6);
    s.TextInto(c + 7, row.route);
    s.TextInto(c + 8, row.notes);
    row.optionalOne = s.Real(c + 9);
    row.optionalTwo = s.Real(c + 10);
    row.background = static_cast<int>(s.Int64(c + 11));
}

}  // namespace kivrun
