// kivrun's own command line, run as a person runs it, without a display.
#include <gtest/gtest.h>

#include <regex>

#include "PdfSupport.h"
#include "app/SampleLog.h"
#include "store/Database.h"
#include "support/FilterText.h"
#include "support/TestLog.h"

namespace kivrun::test {
namespace {

class PrintCommandLine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        SilentUserInterface silent;
        ASSERT_TRUE(WriteSampleLog(Log(), 400, 11, silent));
    }
    static void TearDownTestSuite() { logDir().reset(); }
    static std::unique_ptr<TempDir>& logDir() {
        static std::unique_ptr<TempDir> d;
        if (!d) d = std::make_unique<TempDir>();
        return d;
    }
    static std::string Log() { return logDir()->File("Season.tlg"); }

    // The program with no display at all: whatever it needs it must choose itself.
    ToolResult Kivrun(const std::string& args) {
        const std::string errFile = dir.File("stderr.txt");
        ToolResult r =
            RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                       std::string(KIVRUN_PROGRAM_PATH) + " " + args + " 2>" + ShellQuote(errFile));
        r.err = RunCommand("cat " + ShellQuote(errFile)).out;
        return r;
    }
    std::string Out(const char* name) const { return dir.File(name); }
    TempDir dir;
};

TEST_F(PrintCommandLine, HelpAndVersionNeedNoDisplay) {
    const ToolResult help = Kivrun("--help");
    EXPECT_EQ(help.status, 0) << help.err;
    for (const char* text : {"--print <OUT.pdf>", "--view <VIEW>", "--filter <STATE>",
                             "--group <week|month|year>", "totals", "the log list"})
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
    const ToolResult version = Kivrun("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Kivrun 1.0.03\n");
}

TEST_F(PrintCommandLine, ViewsPrintIntoAPdf) {
    const std::string totals = Out("totals.pdf");
    ToolResult r = Kivrun("--print " + ShellQuote(totals) + " --view totals --group month " +
                          ShellQuote(Log()));
    ASSERT_EQ(r.status, 0) << r.err;
    PdfFacts facts = ReadPdf(totals);
    ASSERT_GE(facts.pages, 1);
    EXPECT_NE(facts.text.find("Page " + std::to_string(facts.pages) + " of " +
                              std::to_string(facts.pages)),
              std::string::npos);
    // As many periods as kivrun-tool totals lists.
    const std::string rows = RunTool("totals " + ShellQuote(Log()) + " month", dir.path()).out;
    auto count = [](const std::string& text, const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; ++at)
            ++n;
        return n;
    };
    EXPECT_EQ(count(facts.text, "Total:"), count(rows, "Total:"));

    // The log list, narrowed to runs by a saved filter.
    const std::string runs = Out("runs.pdf");
    r = Kivrun("--print " + ShellQuote(runs) + " --view log --filter " +
               ShellQuote(StateWith("R", "", "0,-1,1/01/2003,1/01/2003,0")) + " " +
               ShellQuote(Log()));
    ASSERT_EQ(r.status, 0) << r.err;
    facts = ReadPdf(runs);
    EXPECT_GE(facts.pages, 1);
    EXPECT_NE(facts.text.find("Running"), std::string::npos);
    EXPECT_EQ(facts.text.find("Swimming"), std::string::npos);

    // A month and a week, one page each.
    const std::string month = Out("month.pdf");
    r = Kivrun("--print " + ShellQuote(month) + " --view calendar --month 2/1900 " +
               ShellQuote(Log()));
    ASSERT_EQ(r.status, 0) << r.err;
    facts = ReadPdf(month);
    EXPECT_EQ(facts.pages, 1);
    EXPECT_NE(facts.text.find("February 1900"), std::string::npos) << facts.text;
    const std::string week = Out("week.pdf");
    r = Kivrun("--print " + ShellQuote(week) + " --view week --date 3/4/2150 " + ShellQuote(Log()));
    ASSERT_EQ(r.status, 0) << r.err;
    facts = ReadPdf(week);
    EXPECT_EQ(facts.pages, 1);
    EXPECT_NE(facts.text.find("Monday, Mar 2, 2150"), std::string::npos) << facts.text;
    EXPECT_NE(facts.text.find("Summary"), std::string::npos);

    // A weights workout's routine, by its EntryID.
    std::string entry;
    {
        SqliteDb db(Log(), false);
        Statement s = db.Prepare("SELECT EntryID FROM \"Log Entry Details Routine\" LIMIT 1");
        ASSERT_TRUE(s.Step());
        entry = s.Text(0);
    }
    const std::string routine = Out("routine.pdf");
    r = Kivrun("--print " + ShellQuote(routine) + " --view routine --entry " + entry + " " +
               ShellQuote(Log()));
    ASSERT_EQ(r.status, 0) << r.err;
    facts = ReadPdf(routine);
    EXPECT_EQ(facts.pages, 1);
    EXPECT_NE(facts.text.find("(Weights)"), std::string::npos) << facts.text;
    // The same workout's page as the entry view shows it.
    const std::string page = Out("entry.pdf");
    r = Kivrun("--print " + ShellQuote(page) + " --view entry --entry " + entry + " " +
               ShellQuote(Log()));
    ASSERT_EQ(r.status, 0) << r.err;
    facts = ReadPdf(page);
    EXPECT_EQ(facts.pages, 1);
    EXPECT_NE(facts.text.find("Wt-Rp"), std::string::npos) << facts.text;

    // The events list, under its column titles.
    const std::string events = Out("events.pdf");
    r = Kivrun("--print " + ShellQuote(events) + " --view events " + ShellQuote(Log()));
    ASSERT_EQ(r.status, 0) << r.err;
    facts = ReadPdf(events);
    EXPECT_GE(facts.pages, 1);
    EXPECT_TRUE(
        std::regex_search(facts.text, std::regex("Date +Sport +Affiliation +Event +Details")))
        << facts.text;
    // The affiliation wraps in its narrow column; the details' line break is ".  ".
    EXPECT_NE(facts.text.find("Athletic Club"), std::string::npos);
    EXPECT_TRUE(std::regex_search(facts.text, std::regex("Start 9:00\\.\\. +Bring race belt\\.")));

    // The graph, on one page.
    const std::string graph = Out("graph.pdf");
    r = Kivrun("--print " + ShellQuote(graph) + " --view graph --type line --y time --group year " +
               "--by-sport " + ShellQuote(Log()));
    ASSERT_EQ(r.status, 0) << r.err;
    facts = ReadPdf(graph);
    EXPECT_EQ(facts.pages, 1);
    EXPECT_NE(facts.text.find("Time By Year"), std::string::npos) << facts.text;
    EXPECT_NE(facts.text.find("Running"), std::string::npos);  // the legend
}

TEST_F(PrintCommandLine, TheGraphIsSavedAsAPicture) {
    const std::string png = Out("graph.png");
    ToolResult r = Kivrun("--export-graph " + ShellQuote(png) + " --group month --cumulative " +
                          ShellQuote(Log()));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.find("already having"), std::string::npos) << r.err;  // no option twice
    EXPECT_EQ(RunCommand("file -b " + ShellQuote(png)).out.rfind("PNG image data, 1200 x 750", 0),
              0u);
    const std::string svg = Out("graph.svg");
    r = Kivrun("--export-graph " + ShellQuote(svg) + " --type pie " + ShellQuote(Log()));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string drawing = RunCommand("cat " + ShellQuote(svg)).out;
    EXPECT_NE(drawing.find("<svg"), std::string::npos);
    EXPECT_NE(drawing.find("Distance By Week"), std::string::npos);
}

TEST_F(PrintCommandLine, MistakesAreSaidWithAnExitCode) {
    const std::string log = ShellQuote(Log());
    const std::string pdf = ShellQuote(Out("x.pdf"));
    struct Case {
        std::string args;
        int status;
        const char* says;
    } cases[] = {
        {"--print " + pdf + " " + log, 2, "--print needs --view"},
        {"--print " + pdf + " --view graphs " + log, 2, "no view 'graphs'"},
        {"--print " + pdf + " --view calendar --month 13/2026 " + log, 2, "not '13/2026'"},
        {"--print " + pdf + " --view week --date 2/30/2026 " + log, 2, "not '2/30/2026'"},
        {"--print " + pdf + " --view totals", 2, "needs the LOG"},
        {"--view totals " + log, 2, "go with --print"},
        {"--print " + pdf + " --view totals --group fortnight " + log, 2, "not 'fortnight'"},
        {"--print " + pdf + " --view totals " + ShellQuote(Out("missing.tlg")), 1, "no such file"},
        {"--print /no/such/folder/x.pdf --view totals " + log, 1, "could not be written"},
        {"--print " + pdf + " --view graph --type donut " + log, 2, "not 'donut'"},
        {"--export-graph " + ShellQuote(Out("x.png")) + " --y speed " + log, 2, "not 'speed'"},
        {"--export-graph " + ShellQuote(Out("x.png")), 2, "needs the LOG"},
        {"--export-graph " + ShellQuote(Out("x.png")) + " --view graph " + log, 2, "no --print"},
        {"--export-graph " + ShellQuote(Out("x.doc")) + " " + log, 1, "not a picture format"},
        {"--print " + pdf + " --view routine " + log, 2, "needs --entry ENTRYID"},
        {"--print " + pdf + " --view routine --entry 99999999 " + log, 2, "no entry 99999999"},
        {"--print " + pdf + " --view entry --entry x " + log, 2, "needs --entry ENTRYID"},
        {"--print " + pdf + " --view entry --entry 99999999 " + log, 2, "no entry 99999999"},
        {"--frobnicate", 2, "Unknown option 'frobnicate'"},
    };
    for (const Case& c : cases) {
        const ToolResult r = Kivrun(c.args);
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << "\n" << r.err;
    }
}

}  // namespace
}  // namespace kivrun::test
