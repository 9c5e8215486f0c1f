// kivrun's own command line, run as a person runs it, without a display.

#include <filesystem>
#include <iterator>
#include <regex>

#include "PdfSupport.h"
#include "ShellSupport.h"
#include "app/ui/CommandLine.h"
#include "store/Database.h"
#include "support/FilterText.h"

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
    EXPECT_EQ(version.out.substr(0, version.out.find('\n')), "Kivrun 1.0.03");
    EXPECT_NE(version.out.find("GPL version 3 or later"), std::string::npos) << version.out;
}

// What each view's pages hold is that view's own test's; here, that the command line reaches
// each view: its page count and a telling text (regular expressions).
TEST_F(PrintCommandLine, ViewsPrintIntoAPdf) {
    std::string entry;  // a weights workout with a routine
    {
        SqliteDb db(Log(), false);
        Statement s = db.Prepare("SELECT EntryID FROM \"Log Entry Details Routine\" LIMIT 1");
        ASSERT_TRUE(s.Step());
        entry = s.Text(0);
    }
    ASSERT_EQ(RunTool("equipment add " + ShellQuote(Log()) +
                          " 'Trail shoes' --kind shoes --sport Running --start 700 --limit 700",
                      dir.path())
                  .status,
              0);
    const struct {
        std::string name;
        std::string view;  // what follows --view
        int pages;         // 0: at least one
        std::vector<std::string> texts;
        const char* absent = nullptr;
    } cases[] = {
        {"totals", "totals --group month", 0, {}},
        // The log list, narrowed to runs by a saved filter.
        {"runs",
         "log --filter " + ShellQuote(StateWith("R", "", "0,-1,1/01/2003,1/01/2003,0")),
         0,
         {"Running"},
         "Swimming"},
        {"month", "calendar --month 2/1900", 1, {"February 1900"}},
        {"week", "week --date 3/4/2150", 1, {"Monday, Mar 2, 2150", "Summary"}},
        {"routine", "routine --entry " + entry, 1, {"\\(Weights\\)"}},
        {"entry", "entry --entry " + entry, 1, {"Wt-Rp"}},  // as the entry view shows it
        // The affiliation wraps in its narrow column; the details' line break is ".  ".
        {"events",
         "events",
         0,
         {"Date +Sport +Affiliation +Event +Details", "Athletic Club",
          "Start 9:00\\.\\. +Bring race belt\\."}},
        {"equipment", "equipment", 1, {"Name +Kind +Sports", "Trail shoes", "over limit"}},
        {"graph",
         "graph --type line --y time --group year --by-sport",
         1,
         {"Time By Year", "Running"}},  // the legend
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string pdf = Out((c.name + ".pdf").c_str());
        const ToolResult r =
            Kivrun("--print " + ShellQuote(pdf) + " --view " + c.view + " " + ShellQuote(Log()));
        ASSERT_EQ(r.status, 0) << r.err;
        const PdfFacts facts = ReadPdf(pdf);
        EXPECT_TRUE(c.pages ? facts.pages == c.pages : facts.pages >= 1) << facts.pages;
        for (const std::string& text : c.texts)
            EXPECT_TRUE(std::regex_search(facts.text, std::regex(text))) << text << "\n"
                                                                         << facts.text;
        EXPECT_TRUE(!c.absent || facts.text.find(c.absent) == std::string::npos) << c.absent;
    }

    // The totals count their pages and have as many periods as kivrun-tool totals lists.
    const PdfFacts totals = ReadPdf(Out("totals.pdf"));
    const std::string pages = std::to_string(totals.pages);
    EXPECT_NE(totals.text.find("Page " + pages + " of " + pages), std::string::npos);
    const std::string rows = RunTool("totals " + ShellQuote(Log()) + " month", dir.path()).out;
    auto count = [](const std::string& text) {
        const std::regex total("Total:");
        return std::distance(std::sregex_iterator(text.begin(), text.end(), total),
                             std::sregex_iterator());
    };
    EXPECT_EQ(count(totals.text), count(rows));

    // Into a pipe, as `kivrun --print /dev/stdout ... | lp` prints.
    const ToolResult piped =
        RunCommand(std::string(KIVRUN_PROGRAM_PATH) + " --print /dev/stdout --view log " +
                   ShellQuote(Log()) + " 2>/dev/null | head -c 5");
    EXPECT_EQ(piped.out, "%PDF-");
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
    // A log that has lost a table is said to be so, never an abort.
    const std::string lost = Out("lost.tlg");
    std::filesystem::copy_file(Log(), lost);
    SqliteDb(lost, false).Exec("DROP TABLE \"Log Column Settings\"");
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
        {"--print " + pdf + " --view log " + ShellQuote(lost), 1,
         "Couldn't print--Exception: no such table: Log Column Settings"},
        {"--print " + pdf + " --view totals " + log + " ride.fit", 2, "not printed"},
    };
    for (const Case& c : cases) {
        const ToolResult r = Kivrun(c.args);
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << "\n" << r.err;
    }
}

}  // namespace
}  // namespace kivrun::test
