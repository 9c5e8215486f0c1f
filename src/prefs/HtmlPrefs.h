#pragma once

#include <string>

namespace kivrun {
class CTamselDoc;
}

namespace kivrun::prefs {

// The HTML page's values: the page title, heading and subheading of an exported log, and
// which totals and details it holds.
struct HtmlPrefs {
    std::string browserTitle;
    std::string heading;
    std::string subheading;
    bool weeklyTotals = true;
    bool yearlyTotals = true;
    bool routineDetails = true;
    friend bool operator==(const HtmlPrefs&, const HtmlPrefs&) = default;
};

HtmlPrefs LoadHtmlPrefs(CTamselDoc& doc);
bool ApplyHtmlPrefs(CTamselDoc& doc, const HtmlPrefs& prefs);

}  // namespace kivrun::prefs
