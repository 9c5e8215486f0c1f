// The totals window in the running program: its groupings and views from the menus and
// its toolbar, its rows against kivrun-tool's, how it follows the log, and its printout.
#include <QMdiArea>
#include <QPrinter>
#include <QSplitter>
#include <QSplitterHandle>
#include <QToolBar>
#include <cstdio>
#include <filesystem>

#include "PdfSupport.h"
#include "ShellSupport.h"
#include "print/ui/GPrintDriver.h"
#include "store/Database.h"
#include "summaries/ui/TotalsFrame.h"
#include "summaries/ui/TotalsModel.h"
#include "summaries/ui/TotalsView.h"

namespace kivrun::test {
namespace {

class TotalsWindow : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        GPrintDriver::Instance().Reset();
    }
    void TearDown() override {
        GPrintDriver::Instance().SetPageSetupDialog(nullptr);
        ShellTest::TearDown();
    }

    // A log whose first week runs over New Year (1 January 2021 was a Friday), open in a
    // main window of 1000 x 700 with the log window.
    CTamselDoc& OpenLog() {
        log = MakeLog("totals.tlg");
        PlugFakeViews({WindowKind::LogWindow});
        WindowTemplates::Instance().SetContentFactory(WindowKind::Totals, &CTotalsFrame::Create);
        Started({log});
        ShowFrame(1000, 700);
        CTamselDoc& doc = *app->Document();
        AddThreeSports(doc);
        const struct {
            int m, d, y;
            const char* sport;
            double distance, seconds;
        } workouts[] = {{12, 30, 2020, "R", 6, 3000}, {1, 3, 2021, "B", 40, 5400},
                        {1, 5, 2021, "W", 0, 2700},   {1, 7, 2021, "R", 3.5, 1800},
                        {2, 14, 2021, "R", 10, 4800}, {3, 1, 2022, "B", 55, 7200}};
        for (const auto& w : workouts) {
            WorkingEntry e = Entry(w.m, w.d, w.y, w.sport, w.seconds);
            e.distance = w.distance;
            doc.AddEntry(e, nullptr);
        }
        return doc;
    }

    CTotalsFrame& OpenTotals() {
        frame().Run(Command::ViewTotals);
        Settle();
        ChildFrame* window = frame().FindChild(WindowKind::Totals);
        EXPECT_NE(window, nullptr);
        return *dynamic_cast<CTotalsFrame*>(window->Panes().front());
    }
    ChildFrame& Window() { return *frame().FindChild(WindowKind::Totals); }

    // The rows as kivrun-tool totals prints them, from a copy of the log (the program keeps
    // others out of the log it has open).
    std::string ToolRows(const char* grouping) {
        const std::string copy = dir.File("copy.tlg");
        std::filesystem::copy_file(log.toStdString(), copy,
                                   std::filesystem::copy_options::overwrite_existing);
        const ToolResult r = RunTool("totals " + ShellQuote(copy) + " " + grouping, dir.path());
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out;
    }
    static std::string Rows(const CTotalsView& view) {
        std::string out;
        for (const TotalsRow& row : *view.Model().Rows())
            out += row.text[0] + '\t' + row.text[1] + '\t' + row.text[2] + '\t' + row.text[3] +
                   '\t' + row.text[4] + '\n';
        return out;
    }

    QString log;
    PrintsToPdf pdf{Path("totals.pdf")};
};

TEST_F(TotalsWindow, GroupingsAndSplitViewFromTheMenu) {
    OpenLog();
    CTotalsFrame& totals = OpenTotals();
    const QSize area = frame().MdiArea()->viewport()->size();
    // A new log groups by week; the rows are the tool's (the rows' rules: TotalsRowsTest).
    EXPECT_TRUE(Checked(Command::TotalsByWeek));
    EXPECT_TRUE(Checked(Command::TotalsSingleView));
    EXPECT_FALSE(Enabled(Command::TotalsSingleView));
    EXPECT_EQ(Rows(totals.Left()), ToolRows("week"));

    frame().Run(Command::TotalsByMonth);
    EXPECT_TRUE(Checked(Command::TotalsByMonth));
    EXPECT_FALSE(Checked(Command::TotalsByWeek));
    // The window's W, M and Y buttons show the grouping, clicked twice too.
    const QList<QAction*> buttons = Window().findChild<QToolBar*>()->actions();
    Settle();
    EXPECT_FALSE(buttons[0]->isChecked());
    EXPECT_TRUE(buttons[1]->isChecked());
    for (int i = 0; i < 2; ++i) {
        buttons[0]->trigger();  // by week
        EXPECT_TRUE(buttons[0]->isChecked());
        EXPECT_FALSE(buttons[1]->isChecked());
    }
    buttons[1]->trigger();

    // Split: 830 wide, as high as before, centred; both panes hold the rows.
    const int height = Window().height();
    frame().Run(Command::TotalsSplitView);
    Settle();
    EXPECT_EQ(Window().geometry(),
              QRect((area.width() - 830) / 2, (area.height() - height) / 2, 830, height));
    ASSERT_NE(totals.Right(), nullptr);
    EXPECT_EQ(totals.Left().width(), 408);
    EXPECT_EQ(Rows(*totals.Right()), ToolRows("month"));
    EXPECT_FALSE(totals.findChild<QSplitter*>()->handle(1)->isEnabled());
    EXPECT_TRUE(Checked(Command::TotalsSplitView));
    EXPECT_FALSE(Enabled(Command::TotalsSplitView));
    // A grouping goes to both panes.
    frame().Run(Command::TotalsByYear);
    EXPECT_EQ(Rows(totals.Left()), ToolRows("year"));
    EXPECT_EQ(Rows(*totals.Right()), ToolRows("year"));

    frame().Run(Command::TotalsSingleView);
    Settle();
    EXPECT_EQ(totals.Right(), nullptr);
    EXPECT_EQ(Window().width(), 420);
    EXPECT_EQ(Window().height(), height);

    // The log keeps the grouping (TotalsRowsTest.TheGroupingIsKeptInTheLog): the window opens
    // by year again.
    Window().close();
    Settle();
    frame().Run(Command::ViewTotals);
    Settle();
    EXPECT_TRUE(Checked(Command::TotalsByYear));
}

TEST_F(TotalsWindow, FollowsTheLogAndTheFilter) {
    CTamselDoc& doc = OpenLog();
    CTotalsFrame& totals = OpenTotals();
    frame().Run(Command::TotalsSplitView);
    ASSERT_GT(doc.AddEntry(Entry(1, 4, 2021, "R", 900), nullptr), 0);
    Settle();
    EXPECT_EQ(Rows(totals.Left()), ToolRows("week"));
    EXPECT_EQ(Rows(*totals.Right()), ToolRows("week"));

    // A filter that leaves nothing: an empty list that says so, and no box over it.
    doc.ApplyFilter(LongerThan(1000));
    Settle();
    EXPECT_EQ(totals.Left().Model().rowCount(), 0);
    EXPECT_TRUE(totals.Left().NoEntries());
    EXPECT_TRUE(totals.Right()->NoEntries());
    EXPECT_TRUE(dialogs->messages.empty());
    // Asking for totals then is told.
    frame().Run(Command::TotalsByMonth);
    Settle();
    EXPECT_EQ(dialogs->messages, std::vector<QString>{"No entries!!"});
}

TEST_F(TotalsWindow, PrintsPagesWithTheirFootersOnThePageSetUpForTheSession) {
    OpenLog();
    OpenTotals();
    GPrintDriver::Instance().SetPageSetupDialog([](QPrinter& printer, QWidget*) {
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    });
    EXPECT_TRUE(Enabled(Command::FilePageSetup));
    frame().Run(Command::FilePageSetup);
    ASSERT_TRUE(Enabled(Command::FilePrint));
    frame().Run(Command::FilePrint);
    EXPECT_EQ(pdf.title, "Totals");
    const PdfFacts facts = pdf.Read();
    EXPECT_EQ(facts.pages, 1);
    int width = 0, height = 0;
    ASSERT_EQ(std::sscanf(facts.pageSize.c_str(), "%d x %d", &width, &height), 2);
    EXPECT_GT(width, height) << facts.pageSize;  // landscape, as set up
    EXPECT_NE(facts.text.find("Page 1 of 1"), std::string::npos);
    EXPECT_NE(facts.text.find("12/28/20 -"), std::string::npos);
    EXPECT_NE(facts.text.find("Total:"), std::string::npos);
    EXPECT_TRUE(dialogs->messages.empty());

    // Print preview, on the same page.
    EXPECT_TRUE(SaveModalScreenshot([&] { frame().Run(Command::FilePrintPreview); },
                                    "totals-print-preview"));
}

}  // namespace
}  // namespace kivrun::test
