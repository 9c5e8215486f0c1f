#include "views/EntryLabel.h"

#include <algorithm>
#include <array>

#include "values/ElapsedTime.h"
#include "values/NumberFormat.h"
#include "values/Units.h"
#include "views/PageItem.h"

namespace kivrun {

bool IsBuiltInSportName(const std::string& name) {
    static constexpr std::array<const char*, 8> kBuiltIn = {
        "Road", "MTB", "Indoor", "Running", "Skiing", "Rowing", "Weights", "Swimming"};
    return std::any_of(kBuiltIn.begin(), kBuiltIn.end(),
                       [&](const char* builtIn) { return name == builtIn; });
}

std::string FormatEntryLabel(const EntryRow& e, const SportInfo* sport) {
    std::string text;
    if (sport && !IsBuiltInSportName(sport->name)) text = sport->abbrev + ": ";
    if (e.distance != 0.0)
        text += DisplayDoubleText(e.distance) + (sport ? sport->distanceShortName : "") + "  ";
    text += CElapsedTime::FromSeconds(e.time).Format(0) + "H";
    if (sport && e.pace > 0.0) {
        const std::string pace = IsTimePace(sport->paceUnit)
                                     ? CElapsedTime::FromSeconds(e.pace).Format(3)
                                     : FormatDisplayNumber(e.pace, 1, true, false);
        if (!pace.empty() && pace != "0") text += "  " + pace + sport->paceName;
    }
    return text;
}

std::string WeekEntryLine(const EntryRow& e, const SportInfo* sport) {
    std::string text = FormatEntryLabel(e, sport);
    if (!e.route.empty()) text += "   " + e.route;
    if (!e.notes.empty()) text += "  { " + e.notes + " }";
    // Notes may hold line breaks; a line shows them as blanks.
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        line += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
    }
    return line;
}

int LineImage(const SportInfo* sport) {
    return sport ? sport->image : kMissingSportImage;
}

}  // namespace kivrun
