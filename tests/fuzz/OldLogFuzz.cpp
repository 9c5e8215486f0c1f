// Feeds any bytes to the reader of old text logs: once into a target that checks what the
// reader hands on, once into a real log in memory. Neither may crash or hang, and the log
// must come out sound. tests/app/OldLogCorpusTest.cpp replays tests/data/oldlogs through the
// same function.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "document/OldLogReader.h"
#include "document/OldLogWriter.h"
#include "store/ColumnSettingsSet.h"
#include "store/Database.h"
#include "store/DefaultRows.h"
#include "store/EventsSet.h"
#include "store/LogDatabase.h"
#include "store/LogEntrySet.h"
#include "store/PreferencesSet.h"
#include "store/RoutesSet.h"
#include "store/Schema.h"
#include "store/SportsSet.h"
#include "store/TrainingTypesSet.h"
#include "store/UserInterface.h"
#include "values/ProgramState.h"

namespace kivrun::fuzz {
namespace {

bool IsValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t n = b < 0x80                 ? 1
                        : b >= 0xC2 && b <= 0xDF ? 2
                        : b >= 0xE0 && b <= 0xEF ? 3
                        : b >= 0xF0 && b <= 0xF4 ? 4
                                                 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        if (b == 0xE0 && static_cast<unsigned char>(s[i + 1]) < 0xA0) return false;
        if (b == 0xED && static_cast<unsigned char>(s[i + 1]) > 0x9F) return false;
        if (b == 0xF0 && static_cast<unsigned char>(s[i + 1]) < 0x90) return false;
        if (b == 0xF4 && static_cast<unsigned char>(s[i + 1]) > 0x8F) return false;
        i += n;
    }
    return true;
}

bool IsSoundText(std::string_view s) {
    return IsValidUtf8(s) && s.find('\0') == std::string_view::npos &&
           CharCount(s) <= OldLogLines::kMaxLineChars;
}

bool IsSoundDate(const CDate& d) {
    return d.Month() >= 1 && d.Month() <= 12 && d.Day() >= 1 &&
           d.Day() <= CDate::DaysInMonth(d.Month(), d.Year()) && d.Year() > 1900 &&
           d.Year() <= 9999;
}

// Checks everything the reader hands on; remembers the first fault.
class CheckingTarget : public OldLogTarget {
  public:
    std::string broken;

    void AddSport(const OldSport& s) override {
        Expect(CharCount(s.abbrev) == 1 && IsSoundText(s.abbrev), "sport abbreviation");
        Expect(IsSoundText(s.name), "sport name");
        Expect(s.paceId >= 0 && s.paceId <= 6 && s.distanceId >= 0 && s.distanceId <= 4,
               "sport units");
        if (s.name == "Weights") weights_ = true;
    }
    void AddRoute(const std::string& code, const std::string& route) override {
        Expect(IsSoundText(code) && IsSoundText(route), "route text");
    }
    void AddEvent(const OldEvent& e) override {
        Expect(IsSoundDate(e.date), "event date");
        Expect(CharCount(e.sport) <= 1 && IsSoundText(e.sport), "event sport");
        Expect(IsSoundText(e.name) && IsSoundText(e.details), "event text");
    }
    void SetColumnWidth(const std::string& label, std::optional<long>) override {
        Expect(IsSoundText(label), "column label");
    }
    void SetWeekStart(long) override {}
    void SetDefaultSport(const std::string& name) override {
        Expect(IsSoundText(name), "default sport");
    }
    void SetBackupDays(long) override {}
    void SetColumnOrder(const std::vector<std::optional<long>>& ids) override {
        Expect(ids.size() <= OldLogLines::kMaxLineChars, "column ids beyond the line");
    }
    void SetTimeColumnFormat(std::optional<long>) override {}
    void SetOptionalFieldName(int id, const std::string& name) override {
        Expect((id == 6 || id == 7) && IsSoundText(name), "optional field name");
    }
    void AddWorkout(const OldWorkout& w) override {
        Expect(IsSoundDate(w.date), "workout date");
        Expect(CharCount(w.sport) == 1 &&
                   (w.trainingClass == "G" || w.trainingClass == "I" || w.trainingClass == "R"),
               "workout code");
        Expect(std::isfinite(w.distance) && std::isfinite(w.pace) && std::isfinite(w.seconds) &&
                   w.seconds >= 0,
               "workout numbers");
        Expect(IsSoundText(w.route) && IsSoundText(w.notes), "workout text");
    }
    bool HasWeightsSport() override { return weights_; }

  private:
    void Expect(bool ok, const char* what) {
        if (!ok && broken.empty()) broken = what;
    }
    bool weights_ = false;
};

// One log in memory for the whole run; each input is written in a transaction that is
// rolled back.
LogDatabase& MemoryLog() {
    static SilentUserInterface ui;
    static std::unique_ptr<LogDatabase> db = [] {
        auto log = LogDatabase::Create(":memory:", ui);
        if (!log || !schema::BuildOrComplete(*log, ui)) std::abort();
        WriteDefaultRows(*log);
        return log;
    }();
    return *db;
}

std::string Query(LogDatabase& db, const std::string& sql) {
    Statement s = db.sql().Prepare(sql);
    return s.Step() ? s.Text(0) : std::string();
}

std::string CheckLog(LogDatabase& db) {
    // The visible columns stay numbered 0, 1, 2 ... and at least one is shown.
    if (Query(db,
              "SELECT count(*) = count(DISTINCT ColumnOrder) AND min(ColumnOrder) = 0 AND "
              "max(ColumnOrder) = count(*) - 1 FROM \"Log Column Settings\" "
              "WHERE ColumnVisible <> 0") != "1")
        return "visible columns not numbered densely";
    if (Query(db,
              "SELECT count(*) FROM \"Log Entry\" WHERE SptAbbrev NOT IN "
              "(SELECT SptAbbrev FROM Sports)") != "0")
        return "workout of a sport the log lacks";
    if (Query(db,
              "SELECT count(*) FROM \"Log Entry\" WHERE Time < 0 OR Time IS NULL OR "
              "Date IS NULL") != "0")
        return "workout without time or date";
    const int week = ProgramState::Instance().WeekStartDay();
    if (week < 0 || week > 6) return "week start out of range";
    Statement texts = db.sql().Prepare(
        "SELECT SptName FROM Sports UNION ALL SELECT Route FROM Routes UNION ALL "
        "SELECT Route || Notes FROM \"Log Entry\" UNION ALL SELECT EventName || EventDetails "
        "FROM \"Calendar Events\" UNION ALL SELECT Value FROM Preferences UNION ALL "
        "SELECT ColumnFieldName FROM \"Log Column Settings\"");
    while (texts.Step())
        if (!IsValidUtf8(texts.Text(0))) return "text that is not UTF-8 in the log";
    return {};
}

}  // namespace

// Returns the first broken invariant, or an empty text.
std::string ExerciseOldLog(std::string_view bytes) {
    ProgramState::Instance().Reset();
    {
        std::istringstream in{std::string(bytes)};
        CheckingTarget target;
        OldLogReader(in, target).ReadAll();
        if (!target.broken.empty()) return "reader: " + target.broken;
    }
    LogDatabase& db = MemoryLog();
    std::string broken;
    {
        Transaction tx(db.sql());
        SilentUserInterface ui;
        LimitedMessages messages(ui);
        CSportsSet sports(&db);
        CTrainingTypesSet classes(&db);
        CRoutesSet routes(&db);
        CEventsSet events(&db);
        CColumnSettingsSet columns(&db);
        CPreferencesSet preferences(&db);
        CLogEntrySet entries(&db);
        for (RecordSet* set : std::initializer_list<RecordSet*>{&sports, &classes, &routes, &events,
                                                                &columns, &preferences, &entries})
            set->Open();
        OldLogWriter writer({sports, classes, routes, events, columns, preferences, entries},
                            messages);
        std::istringstream in{std::string(bytes)};
        OldLogReader(in, writer).ReadAll();
        messages.Finish();
        broken = CheckLog(db);
    }  // rolled back
    ProgramState::Instance().Reset();
    return broken;
}

}  // namespace kivrun::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string broken =
        kivrun::fuzz::ExerciseOldLog(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!broken.empty()) {
        std::fprintf(stderr, "broken invariant: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
