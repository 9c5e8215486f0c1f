#pragma once

#include <string>

#include "store/Rows.h"

namespace kivrun {

// The sports every log knows by their icon alone; any other sport's lines start with its
// letter ("S: ").
bool IsBuiltInSportName(const std::string& name);

// A workout's line in the month calendar: the letter of a sport that is not built in, the
// distance with its unit, the time ("1:05H") and the pace with its unit, two blanks apart.
// sport is null when the log has no such sport: then no letter, unit or pace.
std::string FormatEntryLabel(const EntryRow& entry, const SportInfo* sport);
// The same line in the week view, with the route after three blanks and the notes in
// braces, on one line.
std::string WeekEntryLine(const EntryRow& entry, const SportInfo* sport);
// The icon of a sport, or the one for a sport the log does not have.
int LineImage(const SportInfo* sport);

}  // namespace kivrun
