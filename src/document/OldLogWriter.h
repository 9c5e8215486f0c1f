#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "document/OldLogReader.h"

namespace kivrun {

class CColumnSettingsSet;
class CEventsSet;
class CLogEntrySet;
class CPreferencesSet;
class CRoutesSet;
class CSportsSet;
class CTrainingTypesSet;
class CTamselDoc;
class UserInterface;

// The record sets of the log that conversion and import write to.
struct LogWriteSets {
    CSportsSet& sports;
    CTrainingTypesSet& classes;
    CRoutesSet& routes;
    CEventsSet& events;
    CColumnSettingsSet& columns;
    CPreferencesSet& preferences;
    CLogEntrySet& entries;

    static LogWriteSets Of(CTamselDoc& doc);
};

// Tells the user about what could not be applied, without burying them in message boxes
// when a damaged file has thousands of bad lines: after the first few, the rest are counted
// and reported together by Finish.
class LimitedMessages {
  public:
    static constexpr int kMaxShown = 10;
    explicit LimitedMessages(UserInterface& ui) : ui_(ui) {}
    void Show(const std::string& text);
    void Finish();

  private:
    UserInterface& ui_;
    int shown_ = 0;
    int held_ = 0;
};

// A row of "Log Entry" as another log holds it, before it is checked against this one.
struct CopiedEntry {
    double date = 0.0;  // serial day
    std::string sport;
    std::string trainingClass;
    double distance = 0.0;
    double seconds = 0.0;
    double pace = 0.0;
    std::string route;
    std::string notes;
    double optionalOne = 0.0;
    double optionalTwo = 0.0;
};

// Writes what an old text log (or another log) holds into the open log, row by row. A row
// the log refuses (a class it lacks, an empty sport name) is left out and the rest goes on;
// texts longer than their field are cut to it. Any other failure of the database (locked,
// full, damaged) is thrown: the caller holds the transaction and rolls it all back.
class OldLogWriter : public OldLogTarget {
  public:
    OldLogWriter(LogWriteSets sets, LimitedMessages& messages);

    void BeginSports() override;
    void AddSport(const OldSport& sport) override;
    void AddRoute(const std::string& code, const std::string& route) override;
    void AddEvent(const OldEvent& event) override;
    void SetColumnWidth(const std::string& label, std::optional<long> width) override;
    void SetWeekStart(long day) override;
    void SetDefaultSport(const std::string& name) override;
    void SetBackupDays(long days) override;
    void SetColumnOrder(const std::vector<std::optional<long>>& columnIds) override;
    void SetTimeColumnFormat(std::optional<long> format) override;
    void SetOptionalFieldName(int columnId, const std::string& name) override;
    void AddWorkout(const OldWorkout& workout) override;
    bool HasWeightsSport() override;

    // For rows copied from another log database.
    bool AddEntry(const CopiedEntry& row);
    bool AddCopiedEvent(double date, const std::string& sport, const std::string& name,
                        const std::string& details, const std::string& affiliation);
    bool AddCopiedRoute(const std::string& sport, const std::string& trainingClass,
                        const std::string& route);

    // Routes whose sport the file names only in a later "Sports" section.
    bool HasPendingRoutes() const { return !pendingRoutes_.empty(); }
    // What was added, for the notices sent afterwards.
    int SportsAdded() const { return sportsAdded_; }
    int RoutesAdded() const { return routesAdded_; }
    int EventsAdded() const { return eventsAdded_; }
    int EntriesAdded() const { return entriesAdded_; }

  private:
    struct Sport {
        std::string abbrev;  // as the log spells it
        int paceId;
        int distanceId;
    };
    const Sport* FindSport(const std::string& abbrev);
    std::optional<std::string> FindClass(const std::string& abbrev);
    bool StoreRoute(const std::string& sport, const std::string& trainingClass,
                    const std::string& route);

    LogWriteSets sets_;
    LimitedMessages& messages_;
    std::map<std::string, std::optional<Sport>> sports_;  // what the log answered, by text
    std::map<std::string, std::optional<std::string>> classes_;
    std::optional<bool> hasWeights_;
    int orderBase_ = 0;
    // Routes of sports not in the log yet, by folded abbreviation: (class, route).
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> pendingRoutes_;
    // Routes the log holds, folded as the log compares them; read on first use.
    std::optional<std::set<std::string>> knownRoutes_;
    int sportsAdded_ = 0;
    int routesAdded_ = 0;
    int eventsAdded_ = 0;
    int entriesAdded_ = 0;
};

}  // namespace kivrun
