#include "entries/FilterBarPresenter.h"

#include "document/TamselDoc.h"

namespace kivrun {

FilterBarPresenter::FilterBarPresenter(CTamselDoc& doc) : doc_(doc), pending_(doc.Filter()) {}

FilterBarValues FilterBarPresenter::Initial() {
    pending_ = doc_.Filter();
    return StateToBar(pending_, doc_.GetCatalog());
}

bool FilterBarPresenter::ChangesPending(const FilterBarValues& shown) const {
    FilterState held = pending_;
    BarToState(shown, held, doc_.GetCatalog());
    // Compared as the SQL each makes: a value changed in a criterion that is off, or under
    // Show All, shows the same workouts.
    const Catalog& catalog = doc_.GetCatalog();
    return BuildFilterSql(held, catalog, {}) != BuildFilterSql(doc_.Filter(), catalog, {});
}

FilterBarValues FilterBarPresenter::Expand(const FilterBarValues& shown) {
    BarToState(shown, pending_, doc_.GetCatalog());
    if (!expanded_) pending_.showAll = false;
    expanded_ = true;
    return StateToBar(pending_, doc_.GetCatalog());
}

FilterBarValues FilterBarPresenter::Collapse(const FilterBarValues& shown) {
    BarToState(shown, pending_, doc_.GetCatalog());
    expanded_ = false;
    return StateToBar(pending_, doc_.GetCatalog());
}

FilterBarValues FilterBarPresenter::ShowAllClicked(const FilterBarValues& shown, bool checked) {
    BarToState(shown, pending_, doc_.GetCatalog());
    if (!checked && pending_.AnyCriterion()) {
        expanded_ = true;
    } else if (checked) {
        expanded_ = false;
    }
    pending_.showAll = checked;
    pending_.changed = true;
    return StateToBar(pending_, doc_.GetCatalog());
}

void FilterBarPresenter::Update(const FilterBarValues& shown) {
    BarToState(shown, pending_, doc_.GetCatalog());
    expanded_ = false;
    // The document tells every view, the bar too, which then shows what was applied.
    doc_.UpdateFilter(pending_);
}

std::optional<FilterBarValues> FilterBarPresenter::OnUpdate(const UpdateHint& hint,
                                                            const FilterBarValues& shown) {
    switch (hint.kind) {
        case Notice::FilterApplied:
            pending_ = doc_.Filter();
            return StateToBar(pending_, doc_.GetCatalog());
        case Notice::SportsChanged:
            // The lists name other sports and classes now; the ticks stay with their names.
            BarToState(shown, pending_, doc_.GetCatalog());
            return StateToBar(pending_, doc_.GetCatalog());
        default:
            return std::nullopt;
    }
}

}  // namespace kivrun
