#include <gtest/gtest.h>

#include <sstream>

#include "output/HtmlExport.h"
#include "output/WorkbookContent.h"
#include "output/WorkbookEquipment.h"
#include "support/DocFixture.h"
#include "views/LogListCells.h"

namespace kivrun {
namespace {

// The HTML page and the .xlsx name each workout's items; a log without items exports as it
// always did.
class EquipmentExportTest : public test::DocFixture {
  protected:
    std::string Page() {
        std::ostringstream out;
        ExportHTML(*doc, out);
        return out.str();
    }
    // The Training_Log sheet's last field, row by row, after its field name.
    std::vector<std::string> LastField() {
        LogListCells cells;
        cells.Refresh(doc->GetCatalog());
        WorkbookContent content = BuildWorkbookContent(*doc, cells);
        AddEquipmentField(content, *doc);
        const WorkbookSheet& sheet = content.sheets.front();
        std::vector<std::string> field = {sheet.columns.back().name};
        sheet.ForEachRow([&](const WorkbookRow& row) { field.push_back(row.back().text); });
        return field;
    }
};

TEST_F(EquipmentExportTest, EachWorkoutNamesItsItems) {
    WorkingEntry run = test::Entry(3, 2, 2026, "R");
    ASSERT_NE(doc->AddEntry(run, nullptr), 0);
    const std::string before = Page();
    EXPECT_EQ(before.find("Equipment"), std::string::npos);
    EXPECT_NE(LastField().front(), "Equipment");

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
    EXPECT_EQ(LastField(),
              (std::vector<std::string>{"Equipment", "Alpha; Bob's <fast> shoes", ""}));
}

}  // namespace
}  // namespace kivrun
