#pragma once

#include <optional>

#include "document/FilterState.h"
#include "document/UpdateHint.h"

namespace kivrun {

class CTamselDoc;

// The filter bar's rules without its widgets. The bar holds a filter the user is still
// changing; the document holds the one applied. Each action takes what the bar's controls
// hold now and returns what they should show afterwards.
class FilterBarPresenter {
  public:
    explicit FilterBarPresenter(CTamselDoc& doc);

    // The applied filter, as the bar first shows it.
    FilterBarValues Initial();
    bool Expanded() const { return expanded_; }
    // What the bar holds, applied or not.
    const FilterState& Pending() const { return pending_; }
    // Whether what the controls hold would show other workouts than the filter applied: the
    // bar then says so until Update.
    bool ChangesPending(const FilterBarValues& shown) const;

    // "<": the criteria are there to be used, so Show All goes off.
    FilterBarValues Expand(const FilterBarValues& shown);
    // "v": keeps what the controls hold.
    FilterBarValues Collapse(const FilterBarValues& shown);
    // Show All clicked: off with criteria set shows them; on collapses.
    FilterBarValues ShowAllClicked(const FilterBarValues& shown, bool checked);
    // Update (or Return in a box): applies what the bar holds. The bar then shows the filter
    // as applied (a repeated date range widened to the log's years), collapsed.
    void Update(const FilterBarValues& shown);

    // A document notice: what the bar should show now, or nothing when it need not change.
    std::optional<FilterBarValues> OnUpdate(const UpdateHint& hint, const FilterBarValues& shown);

  private:
    // The state as the bar shows it, with the log's items.
    FilterBarValues Show(const FilterState& state);

    CTamselDoc& doc_;
    FilterState pending_;
    bool expanded_ = false;
};

}  // namespace kivrun
