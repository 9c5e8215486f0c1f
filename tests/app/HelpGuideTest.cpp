#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/HelpGuide.h"

namespace kivrun {
namespace {

namespace fs = std::filesystem;

// The guide as the repository holds it.
std::map<std::string, std::string> GuideFiles() {
    const fs::path folder = fs::path(KIVRUN_TEST_DATA) / ".." / ".." / "resources" / "help";
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files[fs::relative(entry.path(), folder).generic_string()] = bytes.str();
    }
    return files;
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

TEST(HelpGuide, TheGuideIsWholeAndEachKindOfBreakIsFound) {
    const auto guide = GuideFiles();
    EXPECT_EQ(HelpProblems(guide), std::vector<std::string>{});

    using Files = std::map<std::string, std::string>;
    struct Case {
        const char* what;
        std::function<void(Files&)> damage;
        std::string problem;
    };
    const std::string& contents = guide.at("contents.txt");
    const auto lastLine = std::count(contents.begin(), contents.end(), '\n');
    const std::vector<Case> cases = {
        {"a page F1 opens lost a section",
         [](Files& f) { Replace(f["events.html"], "id=\"dialog\"", "id=\"dlg\""); },
         "F1: events.html has no section dialog"},
        {"a page of the contents is gone", [](Files& f) { f.erase("graphs.html"); },
         "contents.txt: no page graphs.html"},
        {"a link to a missing page",
         [](Files& f) { Replace(f["totals.html"], "href=\"filter-bar.html\"", "href=\"filters.html\""); },
         "totals.html: no page filters.html"},
        {"a link out of the guide",
         [](Files& f) { f["week.html"] += "<a href=\"https://example.com/\">x</a>"; },
         "week.html: a link out of the guide, https://example.com/"},
        {"a missing picture", [](Files& f) { f.erase("images/calendar.png"); },
         "calendar.html: no picture images/calendar.png"},
        {"a page nobody can reach", [](Files& f) { f["extra.html"] = "<p>x</p>"; },
         "extra.html: not in the contents"},
        {"a contents line skipping a level",
         [](Files& f) { f["contents.txt"] += "week.html | Week again | 3\n"; },
         "contents.txt line " + std::to_string(lastLine + 1) +
             ": the level is more than one below the line before it"},
    };
    for (const Case& c : cases) {
        Files files = guide;
        c.damage(files);
        const auto problems = HelpProblems(files);
        EXPECT_NE(std::find(problems.begin(), problems.end(), c.problem), problems.end())
            << c.what << ": " << ::testing::PrintToString(problems);
    }
}

TEST(HelpGuide, FindListsThePagesHoldingEveryWordMostOftenFirst) {
    const CHelpSearch search({{"a.html", "A", "Export the log. Exports are text."},
                              {"b.html", "B", "Printing and print preview; export once."},
                              {"c.html", "C", "Nothing here."}});
    struct Case {
        const char* query;
        std::vector<std::string> pages;
    };
    for (const Case& c : std::vector<Case>{{"EXPORT", {"a.html", "b.html"}},
                                           {"export print", {"b.html"}},
                                           {"\"print preview\"", {"b.html"}},
                                           {"\"preview print\"", {}},
                                           {"  ", {}}}) {
        std::vector<std::string> pages;
        for (const HelpHit& hit : search.Find(c.query)) pages.push_back(hit.page);
        EXPECT_EQ(pages, c.pages) << c.query;
    }
}

}  // namespace
}  // namespace kivrun
