#include "entries/FilterBarPresenter.h"

#include "document/TamselDoc.h"

namespace kivrun {

FilterBarPresenter::FilterBarPresenter(CTamselDoc& doc) : doc_(doc), pending_(doc.Filter()) {}

FilterBarValues FilterBarPresenter::Show(const FilterState& state) {
    // Retired items stay listed: their workouts are still in the log.
    std::vector<FilterBarItem> items;
    for (const EquipmentItem& item : doc_.Equipment())
        items.push_back({item.equipmentId, item.name, false});
    return StateToBar(state, doc_.GetCatalog(), items);
}

FilterBarValues FilterBarPresenter::Initial() {
    pending_ = doc_.Filter();
    return Show(pending_);
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
    return Show(pending_);
}

FilterBarValues FilterBarPresenter::Collapse(const FilterBarValues& shown) {
    BarToState(shown, pending_, doc_.GetCatalog());
    expanded_ = false;
    return Show(pending_);
}

FilterBarValues FilterBarPresenter::ShowAllClicked(const FilterBarValues& shown, bool checked) {
    BarToState(shown, pending_, doc_.GetCatalog());
    if (!checked && (pending_.AnyCriterion() || !pending_.equipment.empty())) {
        expanded_ = true;
    } else if (checked) {
        expanded_ = false;
    }
    pending_.showAll = checked;
    pending_.changed = true;
    return Show(pending_);
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
            return Show(pending_);
        case Notice::SportsChanged:
        case Notice::EquipmentChanged:
            // The lists name other sports, classes or items now; the ticks stay with them.
            BarToState(shown, pending_, doc_.GetCatalog());
            return Show(pending_);
        default:
            return std::nullopt;
    }
}

}  // namespace kivrun
