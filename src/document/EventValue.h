#pragma once

#include <string>
#include <string_view>

#include "values/Date.h"

namespace kivrun {

// One planned event as the dialog, the event form and the document pass it around.
struct EventValue {
    CDate date;
    std::string sport;  // SptAbbrev
    std::string name;
    std::string details;  // as stored: line breaks as "\r\n"
    std::string affiliation;
};

// An affiliation as a sport's list keeps it and compares it: without trailing blanks.
std::string AffiliationName(std::string_view typed);

// Details carry their line breaks as "\r\n"; logs written by the old text format carry a "|"
// for each. Both are one line break to the user.
//
// The details as a multi-line box shows them: every break as "\n".
std::string DetailsForEditing(std::string_view stored);
// What a multi-line box holds, as the log keeps it: every break as "\r\n".
std::string DetailsForStoring(std::string_view edited);
// The details on one line of the events list: every break as ".  ".
std::string DetailsOnOneLine(std::string_view stored);

}  // namespace kivrun
