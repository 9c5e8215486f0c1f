// The document's writes other than workouts: routes, sports, preferences and the log list's
// columns. Each is one transaction that reports failure to the user and returns false, and
// each tells the views.

#include "document/TamselDocSets.h"
#include "store/Criteria.h"
#include "store/JetSql.h"
#include "store/LogDatabase.h"
#include "values/NumberFormat.h"

namespace kivrun {

bool CTamselDoc::Write(const char* what, const std::function<void()>& write) {
    if (!CanWrite()) return false;
    try {
        Transaction tx(db_->sql());
        write();
        tx.Commit();
        return true;
    } catch (const DbError& e) {
        ReportDbError(what, e);
        return false;
    }
}

bool CTamselDoc::AddRoute(const std::string& sport, const std::string& cls,
                          const std::string& route, View* sender) {
    const bool written = Write("Couldn't add the route", [&] {
        Statement& s = db_->sql().Cached(
            "INSERT INTO Routes (SptAbbrev, TrainingTypeAbbrev, Route) VALUES (?, ?, ?)");
        s.Bind(1, sport).Bind(2, cls).Bind(3, route);
        s.Run();
    });
    if (sets_ && sets_->routes.IsOpen()) sets_->routes.Requery();
    if (written) UpdateAllViews(sender, UpdateHint::Of(Notice::SportsChanged));
    return written;
}

bool CTamselDoc::RemoveRoute(const std::string& sport, const std::string& cls,
                             const std::string& route, View* sender) {
    bool removed = false;
    const bool written = Write("Couldn't remove the route", [&] {
        // One row, as the list shows each route once.
        Statement& s = db_->sql().Cached(
            "DELETE FROM Routes WHERE rowid = (SELECT rowid FROM Routes WHERE Route = ? AND "
            "SptAbbrev = ? AND TrainingTypeAbbrev = ? LIMIT 1)");
        s.Bind(1, route).Bind(2, sport).Bind(3, cls);
        s.Run();
        removed = db_->sql().Changes() > 0;
    });
    if (sets_ && sets_->routes.IsOpen()) sets_->routes.Requery();
    if (written && removed) UpdateAllViews(sender, UpdateHint::Of(Notice::SportsChanged));
    return written && removed;
}

bool CTamselDoc::SaveSport(const SportInfo& sport, View* sender) {
    if (!CanWrite()) return false;
    // One sport to a name, compared as the Sports page compares them.
    const auto lower = [](std::string text) {
        for (char& c : text)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return text;
    };
    const std::string name = lower(TrimBlanks(sport.name));
    for (const SportInfo& other : GetCatalog().sports) {
        if (other.abbrev != sport.abbrev && lower(TrimBlanks(other.name)) == name) {
            ui_.ShowMessage("There is a sport named " + other.name + " already !!");
            return false;
        }
    }
    const bool written = Write("Couldn't save the sport", [&] {
        Statement& exists = db_->sql().Cached("SELECT 1 FROM Sports WHERE SptAbbrev = ?");
        exists.Bind(1, sport.abbrev);
        const bool known = exists.Step();
        exists.Reset();
        if (known) {
            Statement& s = db_->sql().Cached(
                "UPDATE Sports SET SptName = ?, DistanceID = ?, PaceID = ?, Image = ? "
                "WHERE SptAbbrev = ?");
            s.Bind(1, sport.name).Bind(2, sport.distanceUnit).Bind(3, sport.paceUnit);
            s.Bind(4, sport.image).Bind(5, sport.abbrev);
            s.Run();
            return;
        }
        // A new sport goes last in the display order.
        Statement& s = db_->sql().Cached(
            "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID, \"Order\", Image) "
            "VALUES (?, ?, ?, ?, (SELECT coalesce(max(\"Order\") + 1, 0) FROM Sports), ?)");
        s.Bind(1, sport.abbrev).Bind(2, sport.name).Bind(3, sport.distanceUnit);
        s.Bind(4, sport.paceUnit).Bind(5, sport.image);
        s.Run();
    });
    if (written) UpdateAllViews(sender, UpdateHint::Of(Notice::SportsChanged));
    return written;
}

bool CTamselDoc::SetPreference(const std::string& name, const std::string& value) {
    return Write("Couldn't save the preference",
                 [&] { PreferencesSet().SetPreference(name, value); });
}

// --- The log list's columns -----------------------------------------------------------------

std::vector<ListColumn> CTamselDoc::Columns(bool all) {
    std::vector<ListColumn> columns;
    if (!db_) return columns;
    Statement s = db_->sql().Prepare(
        "SELECT ColumnID, ColumnFieldName, ColumnLabel, ColumnOrder, ColumnWidth, "
        "ColumnJustification, ColumnFormat, ColumnVisible FROM \"Log Column Settings\" " +
        std::string(all ? "ORDER BY ColumnID" : "WHERE ColumnVisible <> 0 ORDER BY ColumnOrder"));
    while (s.Step()) {
        ListColumn c;
        c.id = static_cast<int>(s.Int64(0));
        c.fieldName = s.Text(1);
        c.label = s.Text(2);
        c.order = static_cast<int>(s.Int64(3));
        c.width = static_cast<int>(s.Int64(4));
        c.justification = static_cast<int>(s.Int64(5));
        c.format = static_cast<int>(s.Int64(6));
        c.visible = s.Int64(7) != 0;
        columns.push_back(std::move(c));
    }
    return columns;
}

bool CTamselDoc::ColumnsWrite(const std::function<void(CColumnSettingsSet&)>& write, View* sender) {
    CColumnSettingsSet& set = ColumnSettingsSet();
    const bool written = Write("Couldn't change the columns", [&] { write(set); });
    set.Requery();
    if (written) UpdateAllViews(sender, UpdateHint::Of(Notice::ColumnsChanged));
    return written;
}

bool CTamselDoc::HideColumn(int order, View* sender) {
    bool hidden = false;
    return ColumnsWrite([&](CColumnSettingsSet& set) { hidden = set.HideColumn(order); }, sender) &&
           hidden;
}

bool CTamselDoc::InsertColumn(int order, int columnId, View* sender) {
    return ColumnsWrite([&](CColumnSettingsSet& set) { set.InsertColumn(order, columnId); },
                        sender);
}

bool CTamselDoc::MoveColumn(int fromOrder, int toOrder, View* sender) {
    return ColumnsWrite([&](CColumnSettingsSet& set) { set.MoveColumn(fromOrder, toOrder); },
                        sender);
}

bool CTamselDoc::SetColumnFormat(int columnId, const ColumnFormatChange& format, View* sender) {
    return ColumnsWrite(
        [&](CColumnSettingsSet& set) {
            if (!set.FindColumn(columnId)) return;
            set.Edit();
            set.ColumnFormat = format.format;
            set.ColumnWidth = format.width;
            if (format.justification) set.ColumnJustification = *format.justification;
            if (format.label) set.ColumnLabel = *format.label;
            set.Update();
        },
        sender);
}

bool CTamselDoc::SetColumnItemIds(const std::vector<int>& columnIds) {
    // Only what differs is written, so showing the list writes nothing the second time.
    if (!db_ || IsReadOnly()) return false;
    CColumnSettingsSet& set = ColumnSettingsSet();
    const bool written = Write("Couldn't change the columns", [&] {
        for (std::size_t i = 0; i < columnIds.size(); ++i) {
            if (!set.FindColumn(columnIds[i]) || set.ColumnItemID == static_cast<int>(i)) continue;
            set.Edit();
            set.ColumnItemID = static_cast<int>(i);
            set.Update();
        }
    });
    if (!written) set.Requery();
    return written;
}

}  // namespace kivrun
