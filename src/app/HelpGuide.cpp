#include "app/HelpGuide.h"

#include <algorithm>
#include <cctype>
#include <regex>
#include <set>
#include <sstream>

namespace kivrun {
namespace {

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

int Occurrences(const std::string& haystack, const std::string& word) {
    int count = 0;
    for (auto at = haystack.find(word); at != std::string::npos;
         at = haystack.find(word, at + word.size()))
        ++count;
    return count;
}

}  // namespace

HelpContents ParseHelpContents(const std::string& text) {
    HelpContents contents;
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = Trimmed(line);
        if (line.empty() || line.front() == '#') continue;
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; std::getline(parts, field, '|');)
            fields.push_back(Trimmed(field));
        auto fail = [&](const std::string& why) {
            contents.errors.push_back("line " + std::to_string(number) + ": " + why);
        };
        if (fields.size() != 3 || fields[0].empty() || fields[1].empty()) {
            fail("expected \"page.html | title | level\"");
            continue;
        }
        const std::string& level = fields[2];
        if (level.empty() || level.size() > 1 ||
            !std::isdigit(static_cast<unsigned char>(level[0]))) {
            fail("the level is not a number from 0 to 9");
            continue;
        }
        const int depth = level[0] - '0';
        const int deepest = contents.topics.empty() ? 0 : contents.topics.back().level + 1;
        if (depth > deepest) {
            fail("the level is more than one below the line before it");
            continue;
        }
        contents.topics.push_back({fields[0], fields[1], depth});
    }
    return contents;
}

const std::vector<HelpLink>& HelpLinks() {
    using K = WindowKind;
    static const std::vector<HelpLink> links = {
        {HelpContext::Contents, std::nullopt, "index.html"},
        {HelpContext::LogList, K::LogWindow, "log-window.html#list"},
        {HelpContext::DataEntry, std::nullopt, "log-window.html#form"},
        {HelpContext::FilterBar, std::nullopt, "filter-bar.html"},
        {HelpContext::Calendar, K::Calendar, "calendar.html"},
        {HelpContext::WeekView, K::WeekView, "week.html"},
        {HelpContext::EntryView, K::EntryView, "entry-page.html"},
        {HelpContext::Totals, K::Totals, "totals.html"},
        {HelpContext::Graphs, K::Graphs, "graphs.html"},
        {HelpContext::Events, K::Events, "events.html"},
        {HelpContext::EventDialog, std::nullopt, "events.html#dialog"},
        {HelpContext::Equipment, K::Equipment, "equipment.html"},
        {HelpContext::WeightsWindow, K::Weights, "weights.html"},
        {HelpContext::WeightsDialog, std::nullopt, "weights.html#routines"},
        {HelpContext::TemplatesDialog, std::nullopt, "weights.html#templates"},
        {HelpContext::ExerciseList, std::nullopt, "weights.html#exercises"},
        {HelpContext::Preferences, std::nullopt, "getting-started.html#sports"},
        {HelpContext::Import, std::nullopt, "looking-after.html#import"},
        {HelpContext::ActivityImport, std::nullopt, "activity-files.html"},
        {HelpContext::Print, std::nullopt, "publishing.html#printing"},
    };
    return links;
}

std::string HelpTargetOf(HelpContext context) {
    for (const HelpLink& link : HelpLinks())
        if (link.context == context) return link.target;
    return HelpLinks().front().target;
}

HelpContext HelpContextOf(WindowKind kind) {
    for (const HelpLink& link : HelpLinks())
        if (link.window == kind) return link.context;
    return HelpContext::Contents;
}

std::vector<std::string> CHelpSearch::Words(const std::string& query) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    auto flush = [&] {
        word = Trimmed(word);
        if (!word.empty() && std::find(words.begin(), words.end(), word) == words.end())
            words.push_back(word);
        word.clear();
    };
    for (char c : Lower(query)) {
        if (c == '"') {
            flush();
            quoted = !quoted;
        } else if (!quoted && std::isspace(static_cast<unsigned char>(c))) {
            flush();
        } else {
            word += c;
        }
    }
    flush();
    return words;
}

std::vector<HelpHit> CHelpSearch::Find(const std::string& query) const {
    const std::vector<std::string> words = Words(query);
    std::vector<HelpHit> hits;
    if (words.empty()) return hits;
    for (const HelpPageText& page : pages_) {
        const std::string text = Lower(page.text);
        int total = 0;
        for (const std::string& word : words) {
            const int n = Occurrences(text, word);
            if (n == 0) {
                total = 0;
                break;
            }
            total += n;
        }
        if (total > 0) hits.push_back({page.page, page.title, total});
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const HelpHit& a, const HelpHit& b) { return a.count > b.count; });
    return hits;
}

namespace {

// The values of one attribute ("href", "src", "id", "name") on a page, in order.
std::vector<std::string> AttributeValues(const std::string& html, const char* attribute) {
    const std::regex pattern(std::string("\\b") + attribute + "\\s*=\\s*\"([^\"]*)\"",
                             std::regex::icase);
    std::vector<std::string> values;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), pattern);
         it != std::sregex_iterator(); ++it)
        values.push_back((*it)[1]);
    return values;
}

std::set<std::string> AnchorsOf(const std::string& html) {
    std::set<std::string> anchors;
    for (const char* attribute : {"id", "name"})
        for (std::string& value : AttributeValues(html, attribute))
            anchors.insert(value);
    return anchors;
}

bool IsPage(const std::string& path) {
    return path.size() > 5 && path.compare(path.size() - 5, 5, ".html") == 0;
}

}  // namespace

std::vector<std::string> HelpProblems(const std::map<std::string, std::string>& files) {
    std::vector<std::string> problems;
    std::map<std::string, std::set<std::string>> anchors;
    for (const auto& [path, bytes] : files)
        if (IsPage(path)) anchors[path] = AnchorsOf(bytes);

    // "page.html#section": the page must exist and hold the section.
    auto check = [&](const std::string& where, const std::string& target) {
        const auto hash = target.find('#');
        const std::string page = target.substr(0, hash);
        const auto found = anchors.find(page);
        if (found == anchors.end())
            problems.push_back(where + ": no page " + page);
        else if (hash != std::string::npos && !found->second.count(target.substr(hash + 1)))
            problems.push_back(where + ": " + page + " has no section " + target.substr(hash + 1));
    };

    const auto contentsFile = files.find("contents.txt");
    std::set<std::string> listed;
    if (contentsFile == files.end()) {
        problems.push_back("contents.txt: missing");
    } else {
        const HelpContents contents = ParseHelpContents(contentsFile->second);
        for (const std::string& error : contents.errors)
            problems.push_back("contents.txt " + error);
        for (const HelpTopic& topic : contents.topics) {
            check("contents.txt", topic.page);
            listed.insert(topic.page.substr(0, topic.page.find('#')));
        }
    }
    for (const HelpLink& link : HelpLinks())
        check("F1", link.target);

    for (const auto& [path, bytes] : files) {
        if (!IsPage(path)) continue;
        if (!listed.count(path)) problems.push_back(path + ": not in the contents");
        for (const std::string& href : AttributeValues(bytes, "href")) {
            if (href.empty())
                problems.push_back(path + ": an empty link");
            else if (href.find(':') != std::string::npos)
                problems.push_back(path + ": a link out of the guide, " + href);
            else if (href.front() == '#')
                check(path, path + href);
            else
                check(path, href);
        }
        for (const std::string& src : AttributeValues(bytes, "src"))
            if (!files.count(src)) problems.push_back(path + ": no picture " + src);
    }
    return problems;
}

}  // namespace kivrun
