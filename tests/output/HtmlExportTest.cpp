#include "output/HtmlExport.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "output/PythonCheck.h"
#include "output/WorkbookContent.h"
#include "output/WorkbookEquipment.h"
#include "store/PreferencesSet.h"
#include "support/DocFixture.h"
#include "views/LogListCells.h"

namespace kivrun {
namespace {

using test::Entry;

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
        return doc->AddEntry(Entry(month, day, year, sport, seconds, cls, distance), nullptr);
    }
    void SetPref(const std::string& name, const std::string& value) {
        doc->PreferencesSet().SetPreference(name, value);
    }
    void Sql(const std::string& sql) { doc->Database().sql().Exec(sql); }
    // The body rows after the header row, joined by "; ": for a total row its caption and
    // count, for an entry row its date.
    static std::string RowOutline(const std::string& page) {
        std::string rows;
        auto inside = [&](size_t from, const std::string& open, const std::string& close) {
            const size_t a = page.find(open, from) + open.size();
            return page.substr(a, page.find(close, a) - a);
        };
        for (size_t at = page.find("<tr valign=\"center\""); at != std::string::npos;
             at = page.find("<tr valign=\"center\"", at + 1)) {
            const size_t cell = page.find('\n', at) + 1;
            const std::string sep = rows.empty() ? "" : "; ";
            if (page.compare(cell, 17, "<td class=\"total\"") == 0)
                rows +=
                    sep + inside(cell, "<b>", "</b>") + " (" + inside(cell, "</b> (", ")") + ")";
            else if (page.compare(cell, 16, "<td class=\"grn\">") == 0)
                rows += sep + inside(cell, "<td class=\"grn\">", "</td>");
        }
        return rows;
    }
};

TEST_F(HtmlExportTest, AnEmptyLogHasTheHeaderRowOnly) {
    calendar::SetTodayForTesting(calendar::Ymd{2026, 12, 5});
    const std::string page = Page();
    EXPECT_NE(page.find("<title>My Training Log as of Saturday, December 05, 2026</title>"),
              std::string::npos);
    EXPECT_NE(page.find("<th class=\"log\" align=\"left\">Notes</th>\n</tr>\n</table>\n<br><br>\n"),
              std::string::npos);
    EXPECT_EQ(page.find("<td"), std::string::npos);
    // No heading of the user's: the log's name heads the page.
    EXPECT_NE(page.find("<font class=\"LOGHEADING\">log</font>"), std::string::npos);
}

TEST_F(HtmlExportTest, TotalsAroundNewYearInBothDateOrders) {
    // Monday 29 December 2025 starts the week that holds 2 January 2026.
    for (auto [month, day, year] :
         {std::array{11, 20, 2024}, {12, 20, 2025}, {12, 30, 2025}, {1, 2, 2026}, {1, 10, 2026}})
        Add(month, day, year, "R", 1, 600);
    EXPECT_EQ(RowOutline(Page()),
              "2026 Total (2); Weekly Total (1); 1/10/26; Weekly Total (2); 1/02/26; "
              "2025 Total (2); 12/30/25; Weekly Total (1); 12/20/25; 2024 Total (1); "
              "Weekly Total (1); 11/20/24");
    doc->ToggleDateSort();
    EXPECT_EQ(RowOutline(Page()),
              "11/20/24; Weekly Total (1); 2024 Total (1); 12/20/25; Weekly Total (1); 12/30/25; "
              "2025 Total (2); 1/02/26; Weekly Total (2); 1/10/26; Weekly Total (1); "
              "2026 Total (2)");
    SetPref("HTMLShowWeeklyTotals", "0");
    EXPECT_EQ(RowOutline(Page()),
              "11/20/24; 2024 Total (1); 12/20/25; 12/30/25; 2025 Total (2); 1/02/26; 1/10/26; "
              "2026 Total (2)");
    SetPref("HTMLShowYearlyTotals", "0");
    EXPECT_EQ(RowOutline(Page()), "11/20/24; 12/20/25; 12/30/25; 1/02/26; 1/10/26");
}

TEST_F(HtmlExportTest, TotalRowsSpanTheColumnsAroundDistanceTimeAndPace) {
    Add(2, 3, 2026, "R", 6, 3000);
    Add(2, 4, 2026, "W", 0, 2700);  // no distance
    SetPref("HTMLShowYearlyTotals", "0");
    auto caption = [](const std::string& span) {
        return "<td class=\"total\"" + span + " nowrap><b>Weekly Total</b> (2):</td>\n";
    };
    auto blank = [](int span) {
        return "<td class=\"total\" colspan=\"" + std::to_string(span) + "\">&nbsp;</td>\n";
    };
    const std::string distance = "<td class=\"total\">6.0M</td>\n";
    const std::string time = "<td class=\"total\">1:35:00</td>\n";
    const std::string pace = "<td class=\"total\">7.2</td>\n";
    const std::string three = " colspan=\"3\"";
    struct Layout {
        const char* name;
        const char* visible;  // column ids in display order
        std::string row;      // the weekly total row's cells
    } layouts[] = {
        {"all columns", "0123456789", caption(three) + distance + time + pace + blank(4)},
        {"route and notes after pace", "01234589",
         caption(three) + distance + time + pace + blank(2)},
        {"other columns between them", "0384675",
         caption(" colspan=\"1\"") + distance + blank(1) + time + blank(2) + pace},
        {"distance first", "309", caption("") + distance + blank(2)},
        {"no distance, time or pace", "019", caption(three)},
    };
    for (const Layout& l : layouts) {
        Sql("UPDATE \"Log Column Settings\" SET ColumnVisible = 0");
        for (int i = 0; l.visible[i]; ++i)
            Sql("UPDATE \"Log Column Settings\" SET ColumnVisible = -1, ColumnOrder = " +
                std::to_string(i) + " WHERE ColumnID = " + l.visible[i]);
        EXPECT_NE(Page().find("<tr valign=\"center\">\n" + l.row + "</tr>\n"), std::string::npos)
            << l.name;
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
    WorkingEntry lift = Entry(2, 4, 2026, "W", 2700, "G", 0);
    lift.route = "Gym";
    RoutineRow bench{"Bench Press", 3, {135, 155, 175, 0}, {10, 8, 6, 0}};
    RoutineRow squats{"Squats & Lunges", 2, {225, 45, 0, 0}, {5, 0, 0, 0}};
    RoutineRow crunches{"Crunches", 0, {0, 0, 0, 0}, {25, 0, 0, 0}};
    lift.routine = {bench, squats, crunches};
    doc->AddEntry(lift, nullptr);
    auto row = [](const std::string& tag, const std::string& first,
                  std::initializer_list<const char*> rest) {
        std::string r = "\t<tr valign=\"" + std::string(tag == "th" ? "bottom" : "center") +
                        "\">\n\t<" + tag + " class=\"wktlt\">" + first + "</" + tag + ">\n";
        for (const char* cell : rest)
            r += "\t<" + tag + " class=\"wktct\">" + cell + "</" + tag + ">\n";
        return r + "\t</tr>\n";
    };
    // Empty sets show as a blank cell; a weight without reps as the weight alone.
    const std::string block =
        "<td class=\"ylw\" align=\"center\">\n\t<p style=\"margin-bottom: 4\">Gym</p>\n"
        "\t<table class=\"log\" align=\"center\">\n" +
        row("th", "Exercise", {"Sets", "Wt-Rp", "Wt-Rp", "Wt-Rp"}) +
        row("td", "Bench Press", {"3", "135-10", "155-8", "175-6"}) +
        row("td", "Squats &amp; Lunges", {"2", "225-5", "45", "&nbsp;"}) +
        row("td", "Crunches", {"&nbsp;", "25", "&nbsp;", "&nbsp;"}) +
        "\t</table>\n</td>\n<td class=\"ylwlt\"></td>\n</tr>\n";
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
    WorkingEntry lift = Entry(12, 31, 2025, "W", 2700, "C", 0);
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
    test::WriteBytes(dir.File("page.htm"), page);
    const auto check =
        test::RunPython(kStrictHtml, test::ShellQuote(dir.File("page.htm")), dir.path().string());
    EXPECT_EQ(check.status, 0) << check.out;
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_NE(page.find("<title>Ann's &lt;log&gt; &amp; &quot;more&quot;</title>\n"),
              std::string::npos);
    EXPECT_NE(page.find("\"LOGHEADING\">Jürgen's Log – 東京 &lt;b&gt;team&lt;/b&gt;</font>"),
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

// The page and the .xlsx name each workout's items; a log without items exports as it always
// did.
TEST_F(HtmlExportTest, EachWorkoutNamesItsItemsOnThePageAndInTheWorkbook) {
    // The Training_Log sheet's last field, row by row, after its field name.
    const auto lastField = [&] {
        LogListCells cells;
        cells.Refresh(doc->GetCatalog());
        WorkbookContent content = BuildWorkbookContent(*doc, cells);
        AddEquipmentField(content, *doc);
        const WorkbookSheet& sheet = content.sheets.front();
        std::vector<std::string> field = {sheet.columns.back().name};
        sheet.ForEachRow([&](const WorkbookRow& row) { field.push_back(row.back().text); });
        return field;
    };
    WorkingEntry run = Entry(3, 2, 2026, "R");
    ASSERT_NE(doc->AddEntry(run, nullptr), 0);
    EXPECT_EQ(Page().find("Equipment"), std::string::npos);
    EXPECT_NE(lastField().front(), "Equipment");

    EquipmentItem shoes;
    shoes.name = "Bob's <fast> shoes";
    shoes.kind = "shoes";
    EquipmentItem socks = shoes;
    socks.name = "Alpha";
    run.equipment = {doc->AddEquipment(shoes, nullptr), doc->AddEquipment(socks, nullptr)};
    run.date = CDate(3, 3, 2026);
    ASSERT_NE(doc->AddEntry(run, nullptr), 0);
    const std::string page = Page();
    EXPECT_NE(page.find("<th class=\"log\" align=\"left\">Equipment</th>\n</tr>"),
              std::string::npos);
    EXPECT_NE(page.find("<td class=\"ylwlt\">Alpha; Bob's &lt;fast&gt; shoes</td>\n</tr>"),
              std::string::npos);
    // The weekly total row reaches under the new column too.
    EXPECT_NE(page.find("<td class=\"total\" colspan=\"5\">&nbsp;</td>\n</tr>"), std::string::npos)
        << page;
    EXPECT_EQ(lastField(),
              (std::vector<std::string>{"Equipment", "Alpha; Bob's <fast> shoes", ""}));
}

}  // namespace
}  // namespace kivrun
