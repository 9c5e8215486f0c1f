#include "views/EntryCursor.h"

#include <algorithm>
#include <cmath>

#include "document/TamselDoc.h"
#include "values/Date.h"

namespace kivrun {

long DocumentSequence::Count() {
    return doc_.EntryCount();
}

RowId DocumentSequence::IdAt(long position) {
    const std::optional<EntryRow> row = doc_.EntryAt(position);
    return row ? row->entryId : 0;
}

double DocumentSequence::DayAt(long position) {
    const std::optional<EntryRow> row = doc_.EntryAt(position);
    return row ? row->date : 0;
}

long DocumentSequence::PositionOf(RowId entryId) {
    return doc_.PositionOfEntry(entryId);
}

bool DocumentSequence::Descending() {
    return doc_.IsOpen() && doc_.DateSortDescending();
}

// --- The cursor ------------------------------------------------------------------------

long EntryCursor::RowOf(long position) const {
    return descending_ ? count_ - 1 - position : position;
}

void EntryCursor::Refresh() {
    count_ = std::max(0L, set_.Count());
    descending_ = set_.Descending();
    const long row = shown_ ? set_.PositionOf(shown_) : -1;
    position_ = row < 0 ? -1 : RowOf(row);
}

void EntryCursor::Show(RowId entryId) {
    shown_ = entryId;
    Refresh();
}

void EntryCursor::ShowLast() {
    count_ = std::max(0L, set_.Count());
    descending_ = set_.Descending();
    shown_ = count_ > 0 ? set_.IdAt(count_ - 1) : 0;
    position_ = shown_ ? RowOf(count_ - 1) : -1;
}

bool EntryCursor::CanMove(int direction) const {
    if (position_ < 0) return false;
    return direction < 0 ? position_ > 0 : position_ < Maximum();
}

void EntryCursor::Place(long position) {
    shown_ = set_.IdAt(RowOf(position));
    position_ = shown_ ? position : -1;
}

bool EntryCursor::MoveBy(long delta) {
    if (delta == 0 || !CanMove(delta < 0 ? -1 : 1)) return false;
    Place(std::clamp(position_ + delta, 0L, Maximum()));
    return true;
}

bool EntryCursor::MoveTo(long position) {
    if (count_ == 0) return false;
    position = std::clamp(position, 0L, Maximum());
    if (position == position_) return false;
    Place(position);
    return true;
}

// The first scroll position whose day is on or after (with after: after) the day.
long EntryCursor::FirstAtOrAfter(double day, bool after) {
    long lo = 0, hi = count_;
    while (lo < hi) {
        const long mid = lo + (hi - lo) / 2;
        const double d = std::floor(set_.DayAt(RowOf(mid)));
        if (after ? d > day : d >= day)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

bool EntryCursor::PickDay(const CDate& picked) {
    Refresh();
    if (count_ == 0) return false;
    const double day = std::floor(picked.ToSerial());
    long at = FirstAtOrAfter(day, false);
    if (at == count_) at = count_ - 1;  // none on or after it: the latest earlier one
    const double found = std::floor(set_.DayAt(RowOf(at)));
    // Several workouts on that day: the first of them in the set's own order.
    Place(descending_ ? FirstAtOrAfter(found, true) - 1 : FirstAtOrAfter(found, false));
    return true;
}

bool EntryCursor::OnNotice(const UpdateHint& hint) {
    switch (hint.kind) {
        case Notice::EntryAdded:
            if (shown_ == 0)
                Show(hint.id);
            else
                Refresh();
            return true;
        case Notice::EntryChanged:
        case Notice::CurrentEntry:
            if (hint.id > 0)
                Show(hint.id);
            else
                Refresh();
            return true;
        case Notice::EntryDeleted:
            if (hint.id == shown_)
                ShowLast();
            else
                Refresh();
            return true;
        case Notice::DataReloaded:
        case Notice::FilterApplied:
            ShowLast();
            return true;
        case Notice::OptionalFieldNames:
        case Notice::SportsChanged:
        case Notice::ColumnsChanged:
            return true;
        default:
            return false;
    }
}

std::vector<int> EntryDaysOfMonth(CTamselDoc& doc, int year, int month) {
    std::vector<int> days;
    if (!doc.IsOpen() || month < 1 || month > 12) return days;
    const CDate first(month, 1, year);
    const CDate last(month, CDate::DaysInMonth(month, year), year);
    for (const EntryRow& e : doc.EntriesBetween(first, last))
        days.push_back(CDate::FromSerial(e.date).Day());
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

}  // namespace kivrun
