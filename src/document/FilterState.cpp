#include "document/FilterState.h"

#include "document/FilterDetail.h"

namespace kivrun {

FilterState::FilterState() {
    sports.fill(true);
    classes.fill(true);
}

bool FilterState::AnyCriterion() const {
    return dateOn || distanceOn || timeOn || paceOn || routeOn || notesOn;
}

void FilterState::SetFirstDate(const CDate& date) {
    date1 = date;
    if (date1 > date2) date2 = date1;
}

void FilterState::SetSecondDate(const CDate& date) {
    date2 = date;
    if (date2 < date1) date1 = date2;
}

void FilterState::WidenToYears(int firstYear, int lastYear) {
    const CDate first = filter_detail::InYear(date1, firstYear);
    const CDate last = filter_detail::InYear(date2, lastYear);
    // Both dates change, then the first picker's rule restores the order (the second's
    // rule has nothing left to do).
    date1 = first;
    date2 = last;
    if (date1 > date2) date2 = date1;
}

}  // namespace kivrun
