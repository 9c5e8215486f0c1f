#include "output/HtmlExport.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "document/EquipmentNames.h"
#include "document/TamselDoc.h"
#include "store/EntryReader.h"
#include "store/LogDatabase.h"
#include "values/Date.h"
#include "values/ElapsedTime.h"
#include "values/NumberFormat.h"
#include "values/Units.h"
#include "weights/RoutineCells.h"

namespace kivrun {
namespace {

struct StyleRule {
    const char* selector;
    std::vector<const char*> declarations;
};

constexpr const char* kFamily = "font-family: \"MS Sans Serif\"";
constexpr const char* kCellBorder = "border: 1px solid #A29B80";
constexpr const char* kHeadBorder = "border: 1px solid #000000";
constexpr const char* kWidePadding = "padding: 5px 4px 5px 4px";
constexpr const char* kNarrowPadding = "padding: 3px 2px 3px 2px";

const std::vector<StyleRule>& StyleRules() {
    static const std::vector<StyleRule> rules = {
        {"td.grn",
         {"text-align: left", kFamily, "font-size: 10pt", kCellBorder, "background-color: #C8ECC8",
          kWidePadding}},
        {"td.ylw",
         {kFamily, "font-size: 10pt", kCellBorder, "background-color: #FFFFAE", kWidePadding}},
        {"td.ylwlt",
         {"text-align: left", kFamily, "font-size: 10pt", kCellBorder, "background-color: #FFFFAE",
          kWidePadding}},
        {"td.ylwrt",
         {"text-align: right", kFamily, "font-size: 10pt", kCellBorder, "background-color: #FFFFAE",
          kWidePadding}},
        {"td.total",
         {"text-align: right", kFamily, "font-size: 10pt", kCellBorder, "background-color: #D8D8D8",
          kWidePadding}},
        {"td.wktlt",
         {"text-align: left", kFamily, "font-size: 8pt", kCellBorder, "background-color: #F0F1F4",
          kNarrowPadding}},
        {"td.wktct",
         {"text-align: center", kFamily, "font-size: 8pt", kCellBorder, "background-color: #F0F1F4",
          kNarrowPadding, "white-space: nowrap"}},
        {"th.log",
         {kFamily, "font-size: 10pt", "font-weight: bold", kHeadBorder, "background-color: #C0C0C0",
          kWidePadding}},
        {"th.wktlt",
         {"text-align: left", kFamily, "font-size: 8pt", "font-weight: bold", kHeadBorder,
          "background-color: #C0C0C0", kNarrowPadding}},
        {"th.wktct",
         {"text-align: center", kFamily, "font-size: 8pt", "font-weight: bold", kHeadBorder,
          "background-color: #C0C0C0", kNarrowPadding, "white-space: nowrap"}},
        {"table.log", {kHeadBorder, "border-collapse: collapse"}},
        {"table.notes", {"border: 2px solid #C0C0C0", "border-collapse: collapse"}},
    };
    return rules;
}

void WriteStyleSheet(std::ostream& out) {
    const std::string family = std::string(kFamily) + ";\n";
    out << "<!-- Style Sheet for Training Log Table -->\n<STYLE type=\"text/css\">\n<!--\n";
    out << "font.logheading {\n" << family << "font-size: 24pt;\nfont-weight: bold;}\n\n";
    out << "font.logsubheading {\n" << family << "font-size: 12pt;\ncolor: #2D3D7D;}\n\n";
    out << "font.logfooter {font: 10pt arial;}\n\n";
    const auto& rules = StyleRules();
    for (size_t i = 0; i < rules.size(); ++i) {
        out << rules[i].selector << " {\n";
        for (const char* declaration : rules[i].declarations)
            out << declaration << ";\n";
        out << (i + 1 < rules.size() ? "}\n\n" : "}\n");
    }
    out << "-->\n</STYLE>\n\n";
}

// The sport column and left-justified columns are "left", 1 "right", anything else centred.
const char* AlignmentWord(const ListColumn& column) {
    if (column.id == LogListCells::kSport || column.justification == 0) return "left";
    if (column.justification == 1) return "right";
    return "center";
}

bool IsValueColumn(int id) {
    return id == LogListCells::kDistance || id == LogListCells::kTime || id == LogListCells::kPace;
}

// The subheading's line breaks, whichever convention typed them, become <br>.
std::string WithLineBreaks(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "<br>";
            ++i;
        } else if (text[i] == '\r' || text[i] == '\n') {
            out += "<br>";
        } else {
            out += text[i];
        }
    }
    return out;
}

// A routine cell as the entry view shows it; an empty cell keeps its box.
std::string SetText(const RoutineRow& row, int pair) {
    const std::string text = RoutineCellText(row, 2 + pair);
    return text.empty() ? "&nbsp;" : text;
}

}  // namespace

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    // Most text has nothing to escape: copy the runs between special characters whole.
    for (std::size_t from = 0;;) {
        const std::size_t at = text.find_first_of("&<>\"", from);
        out.append(text.substr(from, at == std::string_view::npos ? at : at - from));
        if (at == std::string_view::npos) return out;
        switch (text[at]) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += "&quot;";
        }
        from = at + 1;
    }
}

std::string LongDateText(const CDate& date) {
    const std::string day = (date.Day() < 10 ? "0" : "") + std::to_string(date.Day());
    return CDate::WeekdayName(date.Weekday()) + ", " + CDate::MonthName(date.Month()) + " " + day +
           ", " + std::to_string(date.Year());
}

HtmlExport::HtmlExport(CTamselDoc& doc) : doc_(doc) {
    const Catalog& catalog = doc.GetCatalog();
    cells_.Refresh(catalog);
    columns_ = doc.Columns();
    for (const SportInfo& sport : catalog.sports) {
        sportOrder_.push_back(sport.abbrev);
        distanceUnits_[sport.abbrev] = sport.distanceUnit;
    }
    auto flag = [&doc](const char* name) { return TextToInt(doc.Preference(name, "1")) == 1; };
    weeklyTotals_ = flag("HTMLShowWeeklyTotals");
    yearlyTotals_ = flag("HTMLShowYearlyTotals");
    routineDetails_ = flag("HTMLShowRoutineDetails");
    equipmentColumn_ = LogHasEquipment(doc);
    grandUnits_ = TextToInt(doc.Preference("GrandTotalUnits"));
    grandPace_ = TextToInt(doc.Preference("GrandTotalPace"));
    if (cells_.MixedDistanceUnits()) {
        for (const UnitInfo& unit : catalog.distanceUnits)
            if (unit.id == grandUnits_) grandUnitName_ = unit.shortName;
    }
}

void HtmlExport::Write(std::ostream& out) {
    const std::string today = LongDateText(CDate());
    WriteHead(out, today);
    WriteHeader(out);
    WriteEntries(out);
    out << "</table>\n";
    out << "<br><br>\n<p><font class=\"logfooter\"><i>Last Updated: " << today
        << "</i></font></p>\n<br>\n\n";
    out << "</BODY>\n</HTML>\n";
}

void HtmlExport::WriteHead(std::ostream& out, const std::string& today) {
    std::string title = doc_.Preference("HTMLBrowserTitle");
    if (title.empty()) title = "My Training Log as of " + today;
    std::string heading = doc_.Preference("HTMLHeading");
    // A page is never headed by nothing: without a heading of the user's, the log's name.
    if (heading.empty()) heading = std::filesystem::path(doc_.PathName()).stem().string();
    const std::string subheading = doc_.Preference("HTMLSubheading");

    // The log's text is UTF-8, and the page says so.
    out << "<html>\n<head>\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
           "<meta name=\"GENERATOR\" content=\"Kivrun 1.0\">\n"
        << "<title>" << EscapeHtml(title) << "</title>\n";
    WriteStyleSheet(out);
    out << "</head>\n<body>\n\n";
    out << "<p align=\"center\"><font class=\"LOGHEADING\">" << EscapeHtml(heading)
        << "</font></p>\n\n";
    if (!subheading.empty()) {
        out << "<center>\n<table class=\"notes\" cellpadding=5 width=\"65%\">\n<tr>\n"
               "<td align=\"justify\"><font class=\"logsubheading\">"
            << WithLineBreaks(EscapeHtml(subheading))
            << "</font></td>\n</tr>\n</table>\n</center>\n\n<p>&nbsp;</p>\n\n\n";
    }
}

void HtmlExport::WriteHeader(std::ostream& out) {
    out << "<table class=\"log\" align=\"center\">\n<tr valign=\"bottom\">\n";
    for (const ListColumn& c : columns_)
        out << "<th class=\"log\" align=\"" << AlignmentWord(c) << "\">" << EscapeHtml(c.label)
            << "</th>\n";
    if (equipmentColumn_) out << "<th class=\"log\" align=\"left\">Equipment</th>\n";
    out << "</tr>\n";
}

namespace {

long WeekKey(const CDate& day) {
    return static_cast<long>(day.FirstDayOfWeek().ToSerial());
}

}  // namespace

void HtmlExport::PeriodTotals::Add(const EntryRow& row, int year) {
    Sport& s = years[year][row.sport];
    s.distance += row.distance;
    s.time += row.time;
    if (row.distance > 0) {
        s.timeWithDistance += row.time;
        s.withDistance = true;
    }
    ++s.workouts;
    ++rows;
}

void HtmlExport::WriteEntries(std::ostream& out) {
    ReadTransaction snapshot(doc_.Database().sql());
    if (equipmentColumn_) equipment_ = EquipmentNamesByEntry(doc_);
    // Newest first, a total heads the workouts it sums: every week's and year's sums are
    // read in one light pass first, so the page itself streams out in one more.
    std::map<long, PeriodTotals> weeks;
    std::map<long, PeriodTotals> years;
    if (weeklyTotals_ || yearlyTotals_) {
        Statement sums = doc_.Database().sql().Prepare(
            "SELECT Date, SptAbbrev, Distance, Time FROM (" + doc_.FilteredSql() + ")");
        EntryRow row;
        while (sums.Step()) {
            row.date = sums.Real(0);
            sums.TextInto(1, row.sport);
            row.distance = sums.Real(2);
            row.time = sums.Real(3);
            const CDate day = CDate::FromSerial(row.date);
            if (weeklyTotals_) weeks[WeekKey(day)].Add(row, day.Year());
            if (yearlyTotals_) years[day.Year()].Add(row, day.Year());
        }
    }
    auto weekTotal = [&](const CDate& day) {
        WriteTotalsRow(out, weeks[WeekKey(day)], "ww", day.Year());
    };
    auto yearTotal = [&](int year) { WriteTotalsRow(out, years[year], "yyyy", year); };

    // The routines of the filtered workouts, in the workouts' own order.
    const bool newestFirst = doc_.DateSortDescending();
    Statement routines = doc_.Database().sql().Prepare(
        std::string("SELECT f.EntryID, r.Exercise, r.Sets, r.Weight1, r.Reps1, r.Weight2, "
                    "r.Reps2, r.Weight3, r.Reps3, r.Weight4, r.Reps4 FROM (") +
        doc_.FilteredSql() +
        ") AS f JOIN \"Log Entry Details Routine\" AS r ON r.EntryID = f.EntryID ORDER BY f." +
        (newestFirst ? "Date DESC, f.EntryID DESC" : "Date, f.EntryID") + ", r.rowid");
    bool routineRow = routineDetails_ && routines.Step();
    std::vector<RoutineRow> routine;

    EntryReader rows = doc_.ReadEntries();
    EntryRow row;
    bool first = true;
    CDate previous;
    while (rows.Next(row)) {
        const CDate day = CDate::FromSerial(row.date);
        if (newestFirst) {
            // Totals head the workouts they sum.
            if (first) {
                if (yearlyTotals_) yearTotal(day.Year());
                if (weeklyTotals_) weekTotal(day);
            } else {
                // As at the top: the year's line heads its first week's.
                if (yearlyTotals_ && day.Year() != previous.Year()) yearTotal(day.Year());
                if (weeklyTotals_ && !day.SameWeek(previous)) weekTotal(day);
            }
        } else if (!first) {
            // Totals follow the workouts they sum.
            if (weeklyTotals_ && !day.SameWeek(previous)) weekTotal(previous);
            if (yearlyTotals_ && day.Year() != previous.Year()) yearTotal(previous.Year());
        }
        routine.clear();
        // Both run in one order, so a workout's rows come just where it does.
        while (routineRow && routines.Int64(0) == row.entryId) {
            RoutineRow r;
            r.exercise = routines.Text(1);
            r.sets = static_cast<int>(routines.Int64(2));
            for (int i = 0; i < 4; ++i) {
                r.weight[i] = routines.Real(3 + 2 * i);
                r.reps[i] = static_cast<int>(routines.Int64(4 + 2 * i));
            }
            routine.push_back(std::move(r));
            routineRow = routines.Step();
        }
        WriteEntry(out, row, routine);
        previous = day;
        first = false;
    }
    if (!first && !newestFirst) {
        if (weeklyTotals_) weekTotal(previous);
        if (yearlyTotals_) yearTotal(previous.Year());
    }
}

void HtmlExport::WriteEntry(std::ostream& out, const EntryRow& row,
                            const std::vector<RoutineRow>& routine) {
    if (const auto color = cells_.ClassColor(row.cls)) {
        out << "<tr valign=\"center\" style=\"color: RGB(" << color->r << ',' << color->g << ','
            << color->b << ")\">\n";
    } else {
        out << "<tr valign=\"center\">\n";
    }
    for (const ListColumn& c : columns_) {
        // A page has no sport icons: the icon column shows the sport's letter.
        const int format = c.id == LogListCells::kSport && c.format == 2 ? 1 : c.format;
        const std::string text = EscapeHtml(cells_.Text(row, c.id, format));
        if (c.id == LogListCells::kDate) {
            out << "<td class=\"grn\">" << text << "</td>\n";
            continue;
        }
        if (c.id == LogListCells::kRoute && !routine.empty()) {
            WriteRoutine(out, text, routine);
            continue;
        }
        const std::string align = AlignmentWord(c);
        if (align == "left")
            out << "<td class=\"ylwlt\">";
        else if (align == "right")
            out << "<td class=\"ylwrt\">";
        else
            out << "<td class=\"ylw\" align=" << align << '>';
        out << text << "</td>\n";
    }
    if (equipmentColumn_) {
        const auto names = equipment_.find(row.entryId);
        out << "<td class=\"ylwlt\">"
            << (names == equipment_.end() ? std::string() : EscapeHtml(names->second)) << "</td>\n";
    }
    out << "</tr>\n";
}

void HtmlExport::WriteRoutine(std::ostream& out, const std::string& text,
                              const std::vector<RoutineRow>& routine) {
    int setColumns = 0;
    for (const RoutineRow& r : routine)
        setColumns = std::max(setColumns, std::clamp(r.sets, 0, 4));
    out << "<td class=\"ylw\" align=\"center\">\n"
        << "\t<p style=\"margin-bottom: 4\">" << text << "</p>\n"
        << "\t<table class=\"log\" align=\"center\">\n"
        << "\t<tr valign=\"bottom\">\n"
        << "\t<th class=\"wktlt\">Exercise</th>\n"
        << "\t<th class=\"wktct\">Sets</th>\n";
    for (int i = 0; i < setColumns; ++i)
        out << "\t<th class=\"wktct\">Wt-Rp</th>\n";
    out << "\t</tr>\n";
    for (const RoutineRow& r : routine) {
        out << "\t<tr valign=\"center\">\n"
            << "\t<td class=\"wktlt\">" << EscapeHtml(r.exercise) << "</td>\n"
            << "\t<td class=\"wktct\">" << (r.sets == 0 ? "&nbsp;" : std::to_string(r.sets))
            << "</td>\n";
        for (int i = 0; i < setColumns; ++i)
            out << "\t<td class=\"wktct\">" << SetText(r, i) << "</td>\n";
        out << "\t</tr>\n";
    }
    out << "\t</table>\n</td>\n";
}

bool HtmlExport::WriteTotalsRow(std::ostream& out, const PeriodTotals& totals,
                                const std::string& grouping, int year) {
    if (totals.rows == 0) return false;
    // As the totals queries add them up: year by year, each sport of the log in its order,
    // in the grand total unit. Workouts of a sport the log no longer has count nowhere but
    // in the time that makes the pace, where they come first, as such sports sort.
    GrandTotal grand;
    CElapsedTime withDistance;
    for (const auto& group : totals.years) {
        const auto& sports = group.second;
        for (const auto& [abbrev, s] : sports)
            if (s.withDistance && !distanceUnits_.count(abbrev))
                withDistance += CElapsedTime::FromSeconds(s.timeWithDistance);
        for (const std::string& abbrev : sportOrder_) {
            const auto it = sports.find(abbrev);
            if (it == sports.end()) continue;
            const PeriodTotals::Sport& s = it->second;
            grand.distance += ConvertDistance(s.distance, distanceUnits_[abbrev], grandUnits_);
            grand.time += CElapsedTime::FromSeconds(s.time);
            grand.workouts += s.workouts;
            if (s.withDistance) withDistance += CElapsedTime::FromSeconds(s.timeWithDistance);
        }
    }
    const std::string caption =
        grouping == "yyyy" ? std::to_string(year) + " Total" : std::string("Weekly Total");
    auto writeCaption = [&](int span) {
        out << "<td class=\"total\"";
        if (span >= 1) out << " colspan=\"" << span << '"';
        out << " nowrap><b>" << caption << "</b> (" << grand.workouts << "):</td>\n";
    };
    const std::string distance = grand.distance == 0.0
                                     ? std::string("--")
                                     : DistanceText(grand.distance, grandUnits_) + grandUnitName_;
    std::string pace =
        ComputePace(grandPace_, withDistance.TotalSeconds(), grand.distance, grandUnits_).text;
    if (pace == "0") pace = "--";
    auto valueText = [&](const ListColumn& c) {
        if (c.id == LogListCells::kDistance) return distance;
        if (c.id == LogListCells::kTime) return grand.time.Format(c.format);
        return pace;
    };

    out << "<tr valign=\"center\">\n";
    int before = 0;  // columns ahead of the first value column
    int run = 0;     // a run of other columns after it
    bool captioned = false;
    for (const ListColumn& c : columns_) {
        if (!IsValueColumn(c.id)) {
            ++(captioned ? run : before);
            continue;
        }
        if (!captioned) {
            writeCaption(before);
            captioned = true;
        }
        if (run > 0) {
            out << "<td class=\"total\" colspan=\"" << run << "\">&nbsp;</td>\n";
            run = 0;
        }
        out << "<td class=\"total\">" << valueText(c) << "</td>\n";
    }
    // Without distance, time or pace shown, the caption alone spans the row.
    if (!captioned) writeCaption(before);
    if (equipmentColumn_) ++run;
    if (run > 0) out << "<td class=\"total\" colspan=\"" << run << "\">&nbsp;</td>\n";
    out << "</tr>\n";
    return true;
}

void ExportHTML(CTamselDoc& doc, std::ostream& out) {
    HtmlExport(doc).Write(out);
}

}  // namespace kivrun
