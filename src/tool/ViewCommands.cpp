// What the month calendar and the week view show, as text: the same fill the views draw.
#include <ostream>

#include "document/SavedFilter.h"
#include "document/TamselDoc.h"
#include "tool/Tool.h"
#include "views/CalendarPage.h"
#include "views/EntryCursor.h"
#include "views/EntryPage.h"
#include "views/WeekPage.h"

namespace kivrun::tool {
namespace {

struct ViewArgs {
    std::unique_ptr<CTamselDoc> doc;
    int width = 800;
    int height = 600;
};

int Dimension(const Options& o, const char* name, int fallback) {
    const std::string* text = o.Find(name);
    if (!text) return fallback;
    return static_cast<int>(
        WholeArg(*text, ("--" + std::string(name) + " (pixels)").c_str(), 0, 100000));
}

// Opens LOG (the first argument) with --filter applied; the second argument is left to
// the command.
ViewArgs OpenView(const char* command, const Options& o, TerminalUserInterface& ui,
                  std::ostream& err) {
    ViewArgs v;
    v.width = Dimension(o, "width", v.width);
    v.height = Dimension(o, "height", v.height);
    v.doc = OpenDocument(command, o.positional[0], ui, err);
    if (v.doc)
        if (const std::string* filter = o.Find("filter")) ApplyFilterText(*v.doc, *filter);
    return v;
}

std::string DayText(double serial) {
    const CDate d = CDate::FromSerial(serial);
    return std::to_string(d.Month()) + "/" + std::to_string(d.Day()) + "/" +
           std::to_string(d.Year());
}

int CmdCalendar(Context& c) {
    const Options o = ParseOptions(c.args, {"width", "height", "filter"});
    if (o.positional.size() != 2) throw UsageError{"expected LOG and M/YYYY"};
    const std::optional<CDate> month = CalendarGrid::MonthFromText(o.positional[1]);
    if (!month) throw UsageError{"not a month (M/YYYY): " + o.positional[1]};
    TerminalUserInterface ui(c.err);
    ViewArgs v = OpenView("calendar", o, ui, c.err);
    if (!v.doc) return 1;
    const CalendarPage page = CalendarPage::Read(*v.doc, *month, v.width, v.height);
    c.out << "weeks\t" << page.grid.Weeks() << "\nstart\t"
          << DayText(page.grid.GridStart().ToSerial()) << '\n';
    for (const PageItem& item : page.items)
        c.out << item.cell << '\t' << DayText(item.date) << '\t' << KindName(item.kind) << '\t'
              << item.column << '\t' << item.image << '\t' << item.label << '\n';
    return 0;
}

int CmdWeek(Context& c) {
    const Options o = ParseOptions(c.args, {"width", "height", "filter"});
    if (o.positional.size() != 2) throw UsageError{"expected LOG and M/D/YYYY"};
    const CDate day = DateArg(o.positional[1], "M/D/YYYY");
    TerminalUserInterface ui(c.err);
    ViewArgs v = OpenView("week", o, ui, c.err);
    if (!v.doc) return 1;
    const WeekPage page = WeekPage::Read(*v.doc, day.FirstDayOfWeek(), v.width, v.height);
    for (int box = 0; box <= WeekLayout::kSummaryBox; ++box) {
        c.out << page.layout.HeaderText(box) << '\n';
        for (const PageItem& item : page.items)
            if (item.cell == box) c.out << '\t' << item.image << '\t' << item.label << '\n';
    }
    for (const SummaryLine& line : page.summary) {
        c.out << '\t';
        if (line.image >= 0) c.out << line.image << '\t';
        c.out << line.text << '\n';
    }
    return 0;
}

// Line breaks of the notes written as \n, so that every field stays on its line.
std::string OneLine(const std::string& text) {
    std::string line;
    for (char ch : text) {
        if (ch == '\r') continue;
        if (ch == '\n')
            line += "\\n";
        else
            line += ch;
    }
    return line;
}

void PrintRow(std::ostream& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i)
        out << (i ? "\t" : "") << cells[i];
    out << '\n';
}

int CmdEntry(Context& c) {
    const Options o = ParseOptions(c.args, {"filter"});
    if (o.positional.size() != 2) throw UsageError{"expected LOG and ENTRYID"};
    const RowId id = Id(o.positional[1], "ENTRYID");
    TerminalUserInterface ui(c.err);
    ViewArgs v = OpenView("entry", o, ui, c.err);
    if (!v.doc) return 1;
    const EntryPageContent page = EntryPageContent::Read(*v.doc, id);
    if (!page.Shown()) {
        c.err << "entry: the log has no entry " << o.positional[1] << '\n';
        return 1;
    }
    DocumentSequence set(*v.doc);
    EntryCursor cursor(set);
    cursor.Show(page.entryId);
    c.out << "position\t" << cursor.Position() << "\t" << cursor.Maximum() << '\n';
    for (int i = 0; i < kEntryFieldCount; ++i) {
        const FieldText& f = page.fields[static_cast<std::size_t>(i)];
        c.out << i << '\t' << f.label << '\t' << OneLine(f.value) << '\n';
    }
    c.out << "icon\t" << page.image << '\n';
    for (const std::string& s : page.splits)
        c.out << "split\t" << s << '\n';
    if (page.HasRoutine()) {
        c.out << "routine\n";
        PrintRow(c.out, page.routine.headings);
        for (const std::vector<std::string>& row : page.routine.rows)
            PrintRow(c.out, row);
    }
    return 0;
}

const Registration kCalendar({72, "calendar",
                              "calendar LOG M/YYYY [--width W] [--height H] [--filter STATE]",
                              "print the month as the calendar view fills it (default 800 x 600): "
                              "its weeks and first day, then each line: cell, date, entry, event "
                              "or more (a crowded day's \"+N more\"), column, icon and the whole "
                              "label; a size below the month's least is taken at the least",
                              CmdCalendar});
const Registration kWeek({74, "week", "week LOG M/D/YYYY [--width W] [--height H] [--filter STATE]",
                          "print the week of that day as the week view fills it: each day's "
                          "header and lines (icon, whole text), then the Summary",
                          CmdWeek});
const Registration kEntry({76, "entry", "entry LOG ENTRYID [--filter STATE]",
                           "print a workout as the entry view fills it: its place on the scroll "
                           "bar (-1 outside the filter) and the last place, each field's number, "
                           "label and value, the icon, the split times and the routine table",
                           CmdEntry});

}  // namespace
}  // namespace kivrun::tool
