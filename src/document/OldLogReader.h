#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "document/OldLogLines.h"
#include "values/Date.h"

namespace kivrun {

// What a text log of the previous version holds, line by line, as the reader hands it on.
// Texts are valid UTF-8 and at most one line long; nothing has been checked against a log.
struct OldSport {
    std::string abbrev;  // one character, or "*" when the file had anything else
    std::string name;
    int paceId = 0;
    int distanceId = 0;
    int position = 0;  // among the lines of its section
};

struct OldEvent {
    CDate date;
    std::string sport;  // the first character of the sport field
    std::string name;
    std::string details;
};

struct OldWorkout {
    CDate date;
    std::string sport;
    std::string trainingClass;  // "I" and "R" as written, every other class "G"
    double distance = 0.0;
    double seconds = 0.0;
    double pace = 0.0;
    std::string route;
    std::string notes;
    double optionalOne = 0.0;
    double optionalTwo = 0.0;
};

// Where the reader puts what it reads: the log being filled, or a test's record of it.
class OldLogTarget {
  public:
    virtual ~OldLogTarget() = default;

    // Called at the start of each "Sports" section.
    virtual void BeginSports() {}
    virtual void AddSport(const OldSport& sport) = 0;
    // A route under a two-character code: sport, then training class.
    virtual void AddRoute(const std::string& code, const std::string& route) = 0;
    virtual void AddEvent(const OldEvent& event) = 0;
    // The width is nothing when the file's was not a number.
    virtual void SetColumnWidth(const std::string& label, std::optional<long> width) = 0;

    virtual void SetWeekStart(long day) = 0;
    virtual void SetDefaultSport(const std::string& name) = 0;
    virtual void SetBackupDays(long days) = 0;
    // Column ids in display order; nothing for an id that is not a number.
    virtual void SetColumnOrder(const std::vector<std::optional<long>>& columnIds) = 0;
    virtual void SetTimeColumnFormat(std::optional<long> format) = 0;
    virtual void SetOptionalFieldName(int columnId, const std::string& name) = 0;

    virtual void AddWorkout(const OldWorkout& workout) = 0;
    // Whether workout lines may be followed by a weights routine block.
    virtual bool HasWeightsSport() = 0;
};

// Reads the sections and workout lines of an old text log into a target. The file is
// sections ("[Name" up to a line "]") followed by workout lines to its end; the caller
// decides which sections to read and which to skip.
class OldLogReader {
  public:
    enum class Section { Routes, Prefs, Calendar, Sports, WeightsTemplates, ColumnData, Other };
    enum class Element { End, Section, Workouts };

    OldLogReader(std::istream& in, OldLogTarget& target);

    // The next thing in the file. At a section its header has been taken and `section`
    // says which; at the workout lines nothing has been taken yet.
    Element NextElement(Section& section);

    // The data lines of the section just announced, up to and including its end line.
    void ReadSports();
    void ReadRoutes();
    void ReadCalendar();
    void ReadColumnData();
    void ReadPrefs();
    // Skips the section just announced.
    void SkipSection();
    // Every line from here to the end of the file, as workouts.
    void ReadWorkouts();

    // The whole file as a conversion reads it: every known section, then the workouts.
    void ReadAll();

    static Section SectionNamed(std::string_view name);

  private:
    // The next data line of the current section; false at its end line or the file's end.
    bool NextDataLine(std::string& line);
    void ReadPrefLine(std::string& rest);
    void ReadWorkoutLine(std::string& line);
    void SkipRoutineBlock();

    OldLogLines lines_;
    OldLogTarget& target_;
};

// A date field of an old log: month/day/year with the two-digit year rule of the program's
// date texts; nothing when it is not a date a log can hold.
std::optional<CDate> OldLogDate(const std::string& field);

}  // namespace kivrun
