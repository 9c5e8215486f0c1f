#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "store/UserInterface.h"

namespace kivrun {

// The user guide: its contents list, the page each window's F1 opens, and finding words in
// its pages. The pages themselves are HTML files compiled into the program.

// One line of the contents: "page file | title | level", level 0 at the top, each level at
// most one below the line before it.
struct HelpTopic {
    std::string page;  // "log-window.html"
    std::string title;
    int level = 0;
    friend bool operator==(const HelpTopic&, const HelpTopic&) = default;
};
struct HelpContents {
    std::vector<HelpTopic> topics;
    std::vector<std::string> errors;  // "line 4: ..." for each line that could not be read
};
// Blank lines and lines starting with '#' are skipped.
HelpContents ParseHelpContents(const std::string& text);

// Where F1 takes the user: the window or dialog that has the keyboard.
enum class HelpContext {
    Contents,
    LogList,
    DataEntry,
    FilterBar,
    Calendar,
    WeekView,
    EntryView,
    Totals,
    Graphs,
    Events,
    EventDialog,
    Equipment,
    WeightsWindow,
    WeightsDialog,
    TemplatesDialog,
    ExerciseList,
    Preferences,
    Import,
    ActivityImport,
    Print,
};
// The F1 table: each context's page ("page.html" or "page.html#section"), and the kind of
// log window whose frame stands for it, if any.
struct HelpLink {
    HelpContext context;
    std::optional<WindowKind> window;
    const char* target;
};
const std::vector<HelpLink>& HelpLinks();
std::string HelpTargetOf(HelpContext context);
HelpContext HelpContextOf(WindowKind kind);

// Finding words in the guide. A page matches when it holds every word of the query
// (case does not matter, a word may be part of a longer one: "export" finds "exports").
struct HelpPageText {
    std::string page;
    std::string title;
    std::string text;  // the page as plain text
};
struct HelpHit {
    std::string page;
    std::string title;
    int count = 0;  // how often the words occur on the page
};
class CHelpSearch {
  public:
    explicit CHelpSearch(std::vector<HelpPageText> pages) : pages_(std::move(pages)) {}
    // The matching pages, most occurrences first, ties in the pages' order.
    std::vector<HelpHit> Find(const std::string& query) const;
    // The query's words, lower case; quotes group words into one ("print preview").
    static std::vector<std::string> Words(const std::string& query);

  private:
    std::vector<HelpPageText> pages_;
};

// What is wrong with the guide's files: `files` maps a path inside the guide's folder
// ("contents.txt", "log-window.html", "images/calendar.png") to its bytes. Every page of
// the contents and of the F1 table must exist, every page must be in the contents, and
// every link and picture on a page must lead to a file of the guide (with its anchor).
// Links out of the guide count as faults too: the help window does not follow them.
std::vector<std::string> HelpProblems(const std::map<std::string, std::string>& files);

}  // namespace kivrun
