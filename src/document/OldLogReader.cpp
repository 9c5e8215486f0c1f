#include "document/OldLogReader.h"

#include <cmath>

#include "values/ElapsedTime.h"
#include "values/NumberFormat.h"

namespace kivrun {
namespace {

bool StartsWith(const std::string* line, char c) {
    return line && !line->empty() && (*line)[0] == c;
}

// "1".."5" name the pace units 1..5 and "*" a sport without pace; anything else is 0.
int PaceCode(const std::string& field) {
    if (field.size() != 1) return 0;
    if (field[0] >= '1' && field[0] <= '5') return field[0] - '0';
    return field[0] == '*' ? 6 : 0;
}

// "1".."3" name the distance units 1..3 and "*" a sport without distance.
int DistanceCode(const std::string& field) {
    if (field.size() != 1) return 0;
    if (field[0] >= '1' && field[0] <= '3') return field[0] - '0';
    return field[0] == '*' ? 4 : 0;
}

// "nan" and "inf" read as numbers, but no log can hold them.
double FiniteNumber(const std::string& field) {
    const double value = TextToDouble(field);
    return std::isfinite(value) ? value : 0.0;
}

}  // namespace

std::optional<CDate> OldLogDate(const std::string& field) {
    if (!CDate::IsValidText(field)) return std::nullopt;
    // The program's date texts quietly keep the current year for a year of 100 to 1900;
    // in a log file such a year is damage, not a date.
    const std::size_t first = field.find('/');
    const std::size_t second = first == std::string::npos ? first : field.find('/', first + 1);
    if (second != std::string::npos) {
        const std::size_t third = field.find('/', second + 1);
        const std::string_view year = std::string_view(field).substr(
            second + 1, third == std::string::npos ? std::string_view::npos : third - second - 1);
        if (!year.empty()) {
            const long y = TextToLong(year);
            if (!((y >= 0 && y <= 99) || (y > 1900 && y <= 9999))) return std::nullopt;
        }
    }
    return CDate(field);
}

OldLogReader::OldLogReader(std::istream& in, OldLogTarget& target) : lines_(in), target_(target) {}

OldLogReader::Section OldLogReader::SectionNamed(std::string_view name) {
    name = TrimRight(name);
    // The old program wrote "[Name"; a hand-edited "[Name]" means the same.
    if (!name.empty() && name.back() == ']') name.remove_suffix(1);
    if (name == "Routes") return Section::Routes;
    if (name == "Prefs") return Section::Prefs;
    if (name == "Calendar") return Section::Calendar;
    if (name == "Sports") return Section::Sports;
    if (name == "WeightsTemplates") return Section::WeightsTemplates;
    if (name == "ColumnData") return Section::ColumnData;
    return Section::Other;
}

OldLogReader::Element OldLogReader::NextElement(Section& section) {
    std::string line;
    for (;;) {
        const std::string* next = lines_.Peek();
        if (!next) return Element::End;
        if (!StartsWith(next, '[')) {
            // A blank line is no workout; the sections after it are still sections.
            if (TrimRight(*next).empty()) {
                lines_.Next(line);
                continue;
            }
            return Element::Workouts;
        }
        lines_.Next(line);
        section = SectionNamed(std::string_view(line).substr(1));
        return Element::Section;
    }
}

bool OldLogReader::NextDataLine(std::string& line) {
    const std::string* next = lines_.Peek();
    if (!next) return false;
    if (TrimRight(*next) == "]") {
        lines_.Next(line);
        return false;
    }
    // A section that lost its end line ends at the next section header rather than
    // swallowing it.
    if (StartsWith(next, '[') && SectionNamed(std::string_view(*next).substr(1)) != Section::Other)
        return false;
    lines_.Next(line);
    return true;
}

void OldLogReader::SkipSection() {
    const std::string* next = lines_.Peek();
    if (StartsWith(next, '[')) return;
    std::string line;
    while ((next = lines_.Peek())) {
        if (StartsWith(next, '[') &&
            SectionNamed(std::string_view(*next).substr(1)) != Section::Other)
            return;
        lines_.Next(line);
        if (!line.empty() && line[0] == ']') return;
    }
}

void OldLogReader::ReadSports() {
    target_.BeginSports();
    int position = 0;
    std::string line;
    while (NextDataLine(line)) {
        OldSport sport;
        const std::string abbrev = NextField(line);
        sport.abbrev = CharCount(abbrev) == 1 ? abbrev : "*";
        sport.name = NextField(line);
        sport.paceId = PaceCode(NextField(line));
        sport.distanceId = DistanceCode(NextField(line));
        sport.position = position++;
        target_.AddSport(sport);
    }
}

void OldLogReader::ReadRoutes() {
    std::string line;
    while (NextDataLine(line)) {
        const std::string code = NextField(line);
        target_.AddRoute(code, NextField(line));
    }
}

void OldLogReader::ReadCalendar() {
    std::string line;
    while (NextDataLine(line)) {
        const std::optional<CDate> date = OldLogDate(NextField(line));
        if (!date) continue;
        OldEvent event;
        event.date = *date;
        event.sport = std::string(FirstChars(NextField(line), 1));
        event.name = NextField(line);
        event.details = NextField(line);
        target_.AddEvent(event);
    }
}

void OldLogReader::ReadColumnData() {
    std::string line;
    while (NextDataLine(line)) {
        const std::string label = NextField(line);
        target_.SetColumnWidth(label, WholeNumber(NextField(line)));
    }
}

void OldLogReader::ReadPrefs() {
    std::string line;
    while (NextDataLine(line))
        ReadPrefLine(line);
}

void OldLogReader::ReadPrefLine(std::string& rest) {
    const std::string key = NextField(rest);
    if (key == "WeekStart") {
        if (const auto day = WholeNumber(NextField(rest))) target_.SetWeekStart(*day);
    } else if (key == "DSport") {
        target_.SetDefaultSport(NextField(rest));
    } else if (key == "BackupDays") {
        if (const auto days = WholeNumber(NextField(rest))) target_.SetBackupDays(*days);
    } else if (key == "ColumnOrder") {
        // A count, then that many column ids; the line's end ends the list whatever the
        // count says.
        const long count = WholeNumber(NextField(rest)).value_or(0);
        std::vector<std::optional<long>> ids;
        for (long i = 0; i < count && !rest.empty(); ++i)
            ids.push_back(WholeNumber(NextField(rest)));
        target_.SetColumnOrder(ids);
    } else if (key == "TimeColumnFmt") {
        target_.SetTimeColumnFormat(WholeNumber(NextField(rest)));
    } else if (key == "OptFieldOneName") {
        target_.SetOptionalFieldName(6, NextField(rest));
    } else if (key == "OptFieldTwoName") {
        target_.SetOptionalFieldName(7, NextField(rest));
    }
}

void OldLogReader::ReadWorkouts() {
    std::string line;
    while (lines_.Next(line))
        ReadWorkoutLine(line);
}

void OldLogReader::ReadWorkoutLine(std::string& rest) {
    const std::string dateField = NextField(rest);
    const std::string code = NextField(rest);
    // A weights routine follows its workout line; whatever the line holds, the block must
    // not be read as workouts.
    if (target_.HasWeightsSport() && StartsWith(lines_.Peek(), '{')) SkipRoutineBlock();

    const std::optional<CDate> date = OldLogDate(dateField);
    if (!date || CharCount(code) != 2) return;
    OldWorkout w;
    w.date = *date;
    w.sport = std::string(FirstChars(code, 1));
    const std::string trainingClass = code.substr(w.sport.size());
    // The old classes were General (written "T"), Intervals and Races.
    w.trainingClass = trainingClass == "I" || trainingClass == "R" ? trainingClass : "G";
    w.distance = FiniteNumber(NextField(rest));
    const std::string time = NextField(rest);
    w.seconds = time.empty() ? 0.0 : CElapsedTime(time).TotalSeconds();
    w.pace = FiniteNumber(NextField(rest));
    w.route = NextField(rest);
    w.notes = NextField(rest);
    w.optionalOne = TextToInt(NextField(rest));
    w.optionalTwo = TextToInt(NextField(rest));
    target_.AddWorkout(w);
}

void OldLogReader::SkipRoutineBlock() {
    // "{" with the number of exercise lines, those lines, perhaps a closing "}". The entry
    // keeps no weights details, so the lines are only stepped over.
    std::string line;
    lines_.Next(line);
    std::string rest = line.substr(1);
    const std::string first = NextField(rest);
    std::optional<long> count = WholeNumber(first);
    if (!count && TrimRight(first).empty()) count = WholeNumber(NextField(rest));
    for (long i = 0; i < count.value_or(0); ++i) {
        if (!lines_.Next(line)) return;
        if (!line.empty() && line[0] == '}') return;
    }
    if (StartsWith(lines_.Peek(), '}')) lines_.Next(line);
}

void OldLogReader::ReadAll() {
    Section section = Section::Other;
    for (;;) {
        switch (NextElement(section)) {
            case Element::End:
                return;
            case Element::Workouts:
                ReadWorkouts();
                return;
            case Element::Section:
                break;
        }
        switch (section) {
            case Section::Sports:
                ReadSports();
                break;
            case Section::Routes:
                ReadRoutes();
                break;
            case Section::Calendar:
                ReadCalendar();
                break;
            case Section::ColumnData:
                ReadColumnData();
                break;
            case Section::Prefs:
                ReadPrefs();
                break;
            case Section::WeightsTemplates:
            case Section::Other:
                SkipSection();
                break;
        }
    }
}

}  // namespace kivrun
