#pragma once

#include <vector>
#include "document/UpdateHint.h"

#include "store/Rows.h"

namespace kivrun {

class CDate;
class CTamselDoc;

// What the entry view steps through: the filtered set in its own order (oldest first, or
// newest first).
class EntrySequence {
  public:
    virtual ~EntrySequence() = default;
    virtual long Count() = 0;
    virtual RowId IdAt(long position) = 0;  // 0 when there is no such row
    virtual double DayAt(long position) = 0;
    virtual long PositionOf(RowId entryId) = 0;  // -1 when it does not pass the filter
    virtual bool Descending() = 0;
};

// The document's filtered set, read row by row: a step reads one row, never the whole set.
class DocumentSequence : public EntrySequence {
  public:
    explicit DocumentSequence(CTamselDoc& doc) : doc_(doc) {}
    long Count() override;
    RowId IdAt(long position) override;
    double DayAt(long position) override;
    long PositionOf(RowId entryId) override;
    bool Descending() override;

  private:
    CTamselDoc& doc_;
};

// The shown workout and its place on the scroll bar. The scroll position counts from the
// earliest workout whatever the date order, so Home is always the earliest, End the latest,
// Previous an earlier and Next a later one.
class EntryCursor {
  public:
    explicit EntryCursor(EntrySequence& set) : set_(set) {}

    RowId Shown() const { return shown_; }
    // 0 .. Maximum() on the scroll bar; Position() is -1 when nothing is shown or the shown
    // workout does not pass the filter.
    long Maximum() const { return count_ - 1; }
    long Position() const { return position_; }
    bool CanMove(int direction) const;

    void Show(RowId entryId);
    // The last row of the set in its order; nothing when the set is empty.
    void ShowLast();
    // False when already at that end (or nothing to move through).
    bool MoveBy(long delta);
    bool MoveTo(long position);
    // The workout of that day (the first of the set's order), else of the nearest later
    // day, else of the latest earlier one. False when the set is empty.
    bool PickDay(const CDate& day);
    // Follows a notice of the document; true when the page must be built again.
    bool OnNotice(const UpdateHint& hint);
    // Counts the set again and finds the shown workout's place in it.
    void Refresh();

  private:
    long RowOf(long position) const;  // scroll position -> place in the set's order
    long FirstAtOrAfter(double day, bool after);
    void Place(long position);

    EntrySequence& set_;
    RowId shown_ = 0;
    long count_ = 0;
    long position_ = -1;
    bool descending_ = false;
};

// The days of a month (1..31) on which a workout passes the filter, in order.
std::vector<int> EntryDaysOfMonth(CTamselDoc& doc, int year, int month);

}  // namespace kivrun
