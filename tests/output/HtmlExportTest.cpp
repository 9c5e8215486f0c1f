#include "output/HtmlExport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "output/PythonCheck.h"
#include "store/PreferencesSet.h"
#include "support/DocFixture.h"

namespace kivrun {
namespace {

using test::Entry;

// The style sheet as the page must carry it: the one in the sample export, which the
// read-model test holds byte for byte.
std::string StyleSheet() {
    std::ifstream in(std::string(KIVRUN_TEST_DATA) + "/exports/sample-newest-first.htm",
                     std::ios::binary);
    const std::string page{std::istreambuf_iterator<char>(in), {}};
    const size_t from = page.find("<!-- Style Sheet");
    const size_t to = page.find("</STYLE>\n\n", from);
    EXPECT_NE(to, std::string::npos);
    return page.substr(from, to + 10 - from);
}

const char* kHeaderRow =
    "<table class=\"log\" align=\"center\">\n<tr valign=\"bottom\">\n"
    "<th class=\"log\" align=\"left\">Date</th>\n"
    "<th class=\"log\" align=\"left\">Sport</th>\n"
    "<th class=\"log\" align=\"left\">Class</th>\n"
    "<th class=\"log\" align=\"right\">Dist</th>\n"
    "<th class=\"log\" align=\"right\">Time</th>\n"
    "<th class=\"log\" align=\"right\">Pace</th>\n"
    "<th class=\"log\" align=\"right\">AHR</th>\n"
    "<th class=\"log\" align=\"right\">Wt</th>\n"
    "<th class=\"log\" align=\"left\">Route</th>\n"
    "<th class=\"log\" align=\"left\">Notes</th>\n"
    "</tr>\n";

// Every element opened is closed, in order; text holds no raw markup characters; the page
// is UTF-8.
const char* kStrictHtml = R"PY(
import sys
from html.parser import HTMLParser
VOID = {'br', 'meta'}
class Strict(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=False)
        self.stack, self.errors = [], []
    def handle_starttag(self, tag, attrs):
        if tag not in VOID: self.stack.append(tag)
    def handle_startendtag(self, tag, attrs): self.errors.append('self-closed ' + tag)
    def handle_endtag(self, tag):
        if not self.stack or self.stack[-1] != tag:
            self.errors.append('</%s> at %s closes %s' % (tag, self.getpos(), self.stack[-1:]))
        else:
            self.stack.pop()
    def handle_data(self, data):
        if self.stack and self.stack[-1] == 'style': return
        if any(c in data for c in '<>&'): self.errors.append('raw markup in %r' % data)
    def handle_entityref(self, name):
        if name not in ('amp', 'lt', 'gt', 'quot', 'nbsp'): self.errors.append('entity ' + name)
p = Strict()
p.feed(open(sys.argv[1], encoding='utf-8', errors='strict').read())
p.close()
if p.stack: p.errors.append('unclosed %s' % p.stack)
print('\n'.join(p.errors))
sys.exit(1 if p.errors else 0)
)PY";

class HtmlExportTest : public test::DocFixture {
  protected:
    std::string Page() {
        std::ostringstream out;
        ExportHTML(*doc, out);
        return out.str();
    }
    long Add(int month, int day, int year, const char* sport, double distance, double seconds,
             const char* cls = "G") {
        WorkingEntry e = Entry(month, day, year, sport, seconds, cls);
        e.distance = distance;
        return doc->AddEntry(e, nullptr);
    }
    void SetPref(const std::string& name, const std::string& value) {
        doc->PreferencesSet().SetPreference(name, value);
    }
    void Sql(const std::string& sql) { doc->Database().sql().Exec(sql); }
    // The body rows after the header row: for a total row its caption and count, for an
    // entry row its date.
    static std::vector<std::string> RowOutline(const std::string& page) {
        std::vector<std::string> rows;
        auto inside = [&](size_t from, const std::string& open, const std::string& close) {
            const size_t a = page.find(open, from) + open.size();
            return page.substr(a, page.find(close, a) - a);
        };
        for (size_t at = page.find("<tr valign=\"center\""); at != std::string::npos;
             at = page.find("<tr valign=\"center\"", at + 1)) {
            const size_t cell = page.find('\n', at) + 1;
            if (page.compare(cell, 17, "<td class=\"total\"") == 0)
                rows.push_back(inside(cell, "<b>", "</b>") + " (" + inside(cell, "</b> (", ")") +
                               ")");
            else if (page.compare(cell, 16, "<td class=\"grn\">") == 0)
                rows.push_back(inside(cell, "<td class=\"grn\">", "</td>"));
        }
        return rows;
    }
    static std::string Between(const std::string& text, const std::string& from,
                               const std::string& to) {
        const size_t a = text.find(from);
        if (a == std::string::npos) return {};
        const size_t b = text.find(to, a + from.size());
        return b == std::string::npos ? std::string() : text.substr(a, b + to.size() - a);
    }
};

TEST_F(HtmlExportTest, OneWorkoutMakesThisPageByteForByte) {
    WorkingEntry run = Entry(1, 5, 2026, "R", 4500, "G");
    run.distance = 10;
    run.pace = 450;
    doc->AddEntry(run, nullptr);
    SetPref("HTMLHeading", "Spring Training");
    const std::string totals =
        "<td class=\"total\">10.0M</td>\n"
        "<td class=\"total\">1:15:00</td>\n"
        "<td class=\"total\">8.0</td>\n"
        "<td class=\"total\" colspan=\"4\">&nbsp;</td>\n"
        "</tr>\n";
    const std::string expected =
        std::string("<html>\n<head>\n") +
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
        "<meta name=\"GENERATOR\" content=\"Kivrun 1.0\">\n"
        "<title>My Training Log as of Sunday, December 06, 2026</title>\n" +
        StyleSheet() +
        "</head>\n<body>\n\n"
        "<p align=\"center\"><font class=\"LOGHEADING\">Spring Training</font></p>\n\n" +
        kHeaderRow +
        // Newest first: the year's total, then the week's, head the workout.
        "<tr valign=\"center\">\n"
        "<td class=\"total\" colspan=\"3\" nowrap><b>2026 Total</b> (1):</td>\n" +
        totals +
        "<tr valign=\"center\">\n"
        "<td class=\"total\" colspan=\"3\" nowrap><b>Weekly Total</b> (1):</td>\n" +
        totals +
        "<tr valign=\"center\" style=\"color: RGB(0,0,0)\">\n"
        "<td class=\"grn\">1/05/26</td>\n"
        "<td class=\"ylwlt\">Running</td>\n"
        "<td class=\"ylwlt\">General</td>\n"
        "<td class=\"ylwrt\">10.0M</td>\n"
        "<td class=\"ylwrt\">1:15:00</td>\n"
        "<td class=\"ylwrt\">7:30</td>\n"
        "<td class=\"ylwrt\"></td>\n"
        "<td class=\"ylwrt\"></td>\n"
        "<td class=\"ylwlt\"></td>\n"
        "<td class=\"ylwlt\"></td>\n"
        "</tr>\n"
        "</table>\n"
        "<br><br>\n<p><font class=\"logfooter\"><i>Last Updated: Sunday, December 06, "
        "2026</i></font></p>\n<br>\n\n"
        "</BODY>\n</HTML>\n";
    EXPECT_EQ(Page(), expected);
}

TEST_F(HtmlExportTest, AnEmptyLogHasTheHeaderRowOnly) {
    calendar::SetTodayForTesting(calendar::Ymd{2026, 12, 5});
    const std::string page = Page();
    EXPECT_NE(page.find("<title>My Training Log as of Saturday, December 05, 2026</title>"),
              std::string::npos);
    EXPECT_NE(page.find(std::string(kHeaderRow) + "</table>\n<br><br>\n"), std::string::npos);
    EXPECT_EQ(page.find("<td"), std::string::npos);
}

TEST_F(HtmlExportTest, AWeekOfFiveWorkoutsIsTotalledAfterIt) {
    doc->ToggleDateSort();  // oldest first
    // Monday 4 May to Friday 8 May 2026, then the next Monday.
    for (int day = 4; day <= 8; ++day)
        Add(5, day, 2026, "R", 3, 1500);
    Add(5, 11, 2026, "R", 4, 1800);
    const std::string page = Page();
    EXPECT_EQ(RowOutline(page),
              (std::vector<std::string>{"5/04/26", "5/05/26", "5/06/26", "5/07/26", "5/08/26",
                                        "Weekly Total (5)", "5/11/26", "Weekly Total (1)",
                                        "2026 Total (6)"}));
    EXPECT_NE(page.find("</tr>\n<tr valign=\"center\">\n"
                        "<td class=\"total\" colspan=\"3\" nowrap><b>Weekly Total</b> (5):</td>\n"
                        "<td class=\"total\">15.0M</td>\n"
                        "<td class=\"total\">2:05:00</td>\n"
                        "<td class=\"total\">7.2</td>\n"
                        "<td class=\"total\" colspan=\"4\">&nbsp;</td>\n"
                        "</tr>\n<tr valign=\"center\" style=\"color: RGB(0,0,0)\">\n"
                        "<td class=\"grn\">5/11/26</td>\n"),
              std::string::npos);
}

TEST_F(HtmlExportTest, TotalsAroundNewYearInBothDateOrders) {
    // Monday 29 December 2025 starts the week that holds 2 January 2026.
    Add(11, 20, 2024, "R", 1, 600);
    Add(12, 20, 2025, "R", 1, 600);
    Add(12, 30, 2025, "R", 1, 600);
    Add(1, 2, 2026, "R", 1, 600);
    Add(1, 10, 2026, "R", 1, 600);
    EXPECT_EQ(RowOutline(Page()),
              (std::vector<std::string>{"2026 Total (2)", "Weekly Total (1)", "1/10/26",
                                        "Weekly Total (2)", "1/02/26", "2025 Total (2)", "12/30/25",
                                        "Weekly Total (1)", "12/20/25", "Weekly Total (1)",
                                        "2024 Total (1)", "11/20/24"}));
    doc->ToggleDateSort();
    EXPECT_EQ(RowOutline(Page()),
              (std::vector<std::string>{"11/20/24", "Weekly Total (1)", "2024 Total (1)",
                                        "12/20/25", "Weekly Total (1)", "12/30/25",
                                        "2025 Total (2)", "1/02/26", "Weekly Total (2)", "1/10/26",
                                        "Weekly Total (1)", "2026 Total (2)"}));
    SetPref("HTMLShowWeeklyTotals", "0");
    EXPECT_EQ(RowOutline(Page()),
              (std::vector<std::string>{"11/20/24", "2024 Total (1)", "12/20/25", "12/30/25",
                                        "2025 Total (2)", "1/02/26", "1/10/26", "2026 Total (2)"}));
    SetPref("HTMLShowYearlyTotals", "0");
    EXPECT_EQ(RowOutline(Page()).size(), 5u);
}

TEST_F(HtmlExportTest, TotalRowsSpanTheColumnsAroundDistanceTimeAndPace) {
    Add(2, 3, 2026, "R", 6, 3000);
    Add(2, 4, 2026, "W", 0, 2700);  // no distance
    SetPref("HTMLShowYearlyTotals", "0");
    struct Layout {
        const char* name;
        std::vector<int> visible;  // column ids in display order
        const char* row;           // the weekly total row's cells
    } layouts[] = {
        {"all columns",
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
         "<td class=\"total\" colspan=\"3\" nowrap><b>Weekly Total</b> (2):</td>\n"
         "<td class=\"total\">6.0M</td>\n<td class=\"total\">1:35:00</td>\n"
         "<td class=\"total\">7.2</td>\n<td class=\"total\" colspan=\"4\">&nbsp;</td>\n"},
        {"route and notes after pace",
         {0, 1, 2, 3, 4, 5, 8, 9},
         "<td class=\"total\" colspan=\"3\" nowrap><b>Weekly Total</b> (2):</td>\n"
         "<td class=\"total\">6.0M</td>\n<td class=\"total\">1:35:00</td>\n"
         "<td class=\"total\">7.2</td>\n<td class=\"total\" colspan=\"2\">&nbsp;</td>\n"},
        {"other columns between them",
         {0, 3, 8, 4, 6, 7, 5},
         "<td class=\"total\" colspan=\"1\" nowrap><b>Weekly Total</b> (2):</td>\n"
         "<td class=\"total\">6.0M</td>\n<td class=\"total\" colspan=\"1\">&nbsp;</td>\n"
         "<td class=\"total\">1:35:00</td>\n<td class=\"total\" colspan=\"2\">&nbsp;</td>\n"
         "<td class=\"total\">7.2</td>\n"},
        {"distance first",
         {3, 0, 9},
         "<td class=\"total\" nowrap><b>Weekly Total</b> (2):</td>\n"
         "<td class=\"total\">6.0M</td>\n<td class=\"total\" colspan=\"2\">&nbsp;</td>\n"},
        {"no distance, time or pace",
         {0, 1, 9},
         "<td class=\"total\" colspan=\"3\" nowrap><b>Weekly Total</b> (2):</td>\n"},
    };
    for (const Layout& l : layouts) {
        Sql("UPDATE \"Log Column Settings\" SET ColumnVisible = 0");
        for (size_t i = 0; i < l.visible.size(); ++i)
            Sql("UPDATE \"Log Column Settings\" SET ColumnVisible = -1, ColumnOrder = " +
                std::to_string(i) + " WHERE ColumnID = " + std::to_string(l.visible[i]));
        const std::string page = Page();
        EXPECT_NE(page.find(std::string("<tr valign=\"center\">\n") + l.row + "</tr>\n"),
                  std::string::npos)
            << l.name << "\n"
            << Between(page, "<td class=\"total\"", "</tr>");
    }
}

TEST_F(HtmlExportTest, AWeekWithoutDistanceShowsDashes) {
    Add(2, 4, 2026, "W", 0, 2700);
    Sql("UPDATE \"Log Column Settings\" SET ColumnFormat = 0 WHERE ColumnID = 4");
    EXPECT_NE(Page().find("<b>Weekly Total</b> (1):</td>\n<td class=\"total\">--</td>\n"
                          "<td class=\"total\">0:45</td>\n<td class=\"total\">--</td>\n"),
              std::string::npos);
}

TEST_F(HtmlExportTest, ARoutineIsATableInsideTheRouteCell) {
    WorkingEntry lift = Entry(2, 4, 2026, "W", 2700, "G");
    lift.distance = 0;
    lift.route = "Gym";
    RoutineRow bench{"Bench Press", 3, {135, 155, 175, 0}, {10, 8, 6, 0}};
    RoutineRow squats{"Squats & Lunges", 2, {225, 45, 0, 0}, {5, 0, 0, 0}};
    RoutineRow crunches{"Crunches", 0, {0, 0, 0, 0}, {25, 0, 0, 0}};
    lift.routine = {bench, squats, crunches};
    doc->AddEntry(lift, nullptr);
    const std::string block =
        "<td class=\"ylw\" align=\"center\">\n"
        "\t<p style=\"margin-bottom: 4\">Gym</p>\n"
        "\t<table class=\"log\" align=\"center\">\n"
        "\t<tr valign=\"bottom\">\n"
        "\t<th class=\"wktlt\">Exercise</th>\n"
        "\t<th class=\"wktct\">Sets</th>\n"
        "\t<th class=\"wktct\">Wt-Rp</th>\n"
        "\t<th class=\"wktct\">Wt-Rp</th>\n"
        "\t<th class=\"wktct\">Wt-Rp</th>\n"
        "\t</tr>\n"
        "\t<tr valign=\"center\">\n"
        "\t<td class=\"wktlt\">Bench Press</td>\n"
        "\t<td class=\"wktct\">3</td>\n"
        "\t<td class=\"wktct\">135-10</td>\n"
        "\t<td class=\"wktct\">155-8</td>\n"
        "\t<td class=\"wktct\">175-6</td>\n"
        "\t</tr>\n"
        "\t<tr valign=\"center\">\n"
        "\t<td class=\"wktlt\">Squats &amp; Lunges</td>\n"
        "\t<td class=\"wktct\">2</td>\n"
        "\t<td class=\"wktct\">225-5</td>\n"
        "\t<td class=\"wktct\">45</td>\n"
        "\t<td class=\"wktct\">&nbsp;</td>\n"
        "\t</tr>\n"
        "\t<tr valign=\"center\">\n"
        "\t<td class=\"wktlt\">Crunches</td>\n"
        "\t<td class=\"wktct\">&nbsp;</td>\n"
        "\t<td class=\"wktct\">25</td>\n"
        "\t<td class=\"wktct\">&nbsp;</td>\n"
        "\t<td class=\"wktct\">&nbsp;</td>\n"
        "\t</tr>\n"
        "\t</table>\n"
        "</td>\n"
        "<td class=\"ylwlt\"></td>\n"
        "</tr>\n";
    EXPECT_NE(Page().find("<td class=\"ylwrt\"></td>\n" + block), std::string::npos) << Page();
    SetPref("HTMLShowRoutineDetails", "0");
    EXPECT_NE(Page().find("<td class=\"ylwlt\">Gym</td>\n<td class=\"ylwlt\"></td>\n</tr>\n"),
              std::string::npos);
}

// Whatever the user typed, the page parses strictly: text never becomes markup.
TEST_F(HtmlExportTest, AFullPageParsesStrictly) {
    SetPref("HTMLBrowserTitle", "Ann's <log> & \"more\"");
    SetPref("HTMLSubheading", "Base phase\r\nThen <speed> & \"hills\"\nthird");
    SetPref("HTMLHeading", "Jürgen's Log – 東京 <b>team</b>");
    WorkingEntry lift = Entry(12, 31, 2025, "W", 2700, "C");
    lift.distance = 0;
    lift.notes = "<i>heavy</i> & slow <script>alert(1)</script>";
    lift.route = "Tom & Jerry's \"loop\"";
    lift.routine = {RoutineRow{"Rows <bent>", 1, {100, 0, 0, 0}, {12, 0, 0, 0}}};
    doc->AddEntry(lift, nullptr);
    Add(1, 2, 2026, "B", 40.5, 5400, "R");
    Add(1, 9, 2026, "R", 5, 1500, "C");  // a class without a colour
    Sql("UPDATE Sports SET SptName = 'Run <fast>' WHERE SptAbbrev = 'R'");
    Sql("UPDATE \"Log Column Settings\" SET ColumnLabel = 'A<b>&' WHERE ColumnID = 6");
    Sql("UPDATE \"Log Column Settings\" SET ColumnJustification = 2 WHERE ColumnID = 2");
    const std::string page = Page();
    const std::string file = dir.File("page.htm");
    std::ofstream(file, std::ios::binary) << page;
    const auto check = test::RunPython(kStrictHtml, test::ShellQuote(file), dir.path().string());
    EXPECT_EQ(check.status, 0) << check.out;
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_NE(page.find("<title>Ann's &lt;log&gt; &amp; &quot;more&quot;</title>\n"),
              std::string::npos);
    // The subheading's lines, in their box under the heading.
    EXPECT_NE(page.find("</font></p>\n\n<center>\n<table class=\"notes\" cellpadding=5 "
                        "width=\"65%\">\n<tr>\n<td align=\"justify\"><font "
                        "class=\"logsubheading\">Base phase<br>Then &lt;speed&gt; &amp; "
                        "&quot;hills&quot;<br>third</font></td>\n</tr>\n</table>\n</center>\n\n"
                        "<p>&nbsp;</p>\n\n\n<table class=\"log\""),
              std::string::npos);
    EXPECT_NE(page.find("<tr valign=\"center\" style=\"color: RGB(0,0,210)\">\n"),
              std::string::npos);  // the Racing class's colour
    EXPECT_NE(page.find("<td class=\"ylw\" align=center>Climbing</td>\n"), std::string::npos);
    EXPECT_NE(page.find("<tr valign=\"center\">\n<td class=\"grn\">1/09/26</td>\n"),
              std::string::npos);
}

}  // namespace
}  // namespace kivrun
