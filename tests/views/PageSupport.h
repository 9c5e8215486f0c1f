#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "store/Rows.h"
#include "values/Date.h"
#include "values/ProgramState.h"
#include "views/PageItem.h"

namespace kivrun::test {

// The sports of a small log: two built in, one without distance, one of the user's own.
inline Catalog PageCatalog() {
    Catalog c;
    c.sports = {{"R", "Running", 0, 1, 0, 2, "miles", "M", "mpm"},
                {"B", "Road", 2, 3, 1, 0, "km", "K", "kph"},
                {"W", "Weights", 4, 6, 2, 5, "", "", ""},
                {"Y", "Kayak", 0, 0, 3, 12, "miles", "M", "mph"}};
    c.distanceUnits = {
        {0, "miles", "M"}, {1, "yards", "Y"}, {2, "km", "K"}, {3, "meters", "m"}, {4, "", ""}};
    return c;
}

inline EntryRow Workout(RowId id, const CDate& day, const char* sport = "R", double distance = 5,
                        double seconds = 2400, double pace = 480) {
    EntryRow e;
    e.entryId = id;
    e.date = day.ToSerial();
    e.sport = sport;
    e.cls = "G";
    e.distance = distance;
    e.time = seconds;
    e.pace = pace;
    return e;
}

inline EventRow Planned(RowId id, const CDate& day, const char* name, const char* sport = "R") {
    EventRow e;
    e.eventId = id;
    e.date = day.ToSerial();
    e.name = name;
    e.sport = sport;
    return e;
}

// Which day each line is in and what it says, whatever order it was filled in.
inline std::vector<std::pair<int, std::string>> Lines(const std::vector<PageItem>& items) {
    std::vector<std::pair<int, std::string>> lines;
    for (const PageItem& i : items)
        lines.emplace_back(i.cell, i.label);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Pins the program's week start for a test.
class WeekStart {
  public:
    explicit WeekStart(int day) { ProgramState::Instance().SetWeekStartDay(day); }
    ~WeekStart() { ProgramState::Instance().Reset(); }
};

}  // namespace kivrun::test
