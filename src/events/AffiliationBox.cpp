#include "events/AffiliationBox.h"

#include <algorithm>

#include "document/TamselDoc.h"

namespace kivrun {
void AffiliationBox::SetSport(const std::string& abbrev) {
    sport_ = abbrev;
    Refill();
}

void AffiliationBox::Refill() {
    items_ = sport_.empty() ? std::vector<std::string>() : doc_.Affiliations(sport_);
    UpdateButton();
}

void AffiliationBox::SetText(const std::string& text) {
    text_ = text;
    UpdateButton();
}

void AffiliationBox::Choose(const std::string& item) {
    text_ = item;
    UpdateButton();
    if (enabled_) adds_ = false;
}

void AffiliationBox::Clear() {
    text_.clear();
    UpdateButton();
}

void AffiliationBox::UpdateButton() {
    const std::string text = AffiliationName(text_);
    enabled_ = !text.empty() && !sport_.empty();
    adds_ = std::find(items_.begin(), items_.end(), text) == items_.end();
}

bool AffiliationBox::Press() {
    const std::string text = AffiliationName(text_);
    if (text.empty() || sport_.empty()) return false;
    const bool listed = std::find(items_.begin(), items_.end(), text) != items_.end();
    bool focus = false;
    if (adds_) {
        if (!listed) doc_.AddAffiliation(sport_, text, self_);
    } else if (listed &&
               doc_.ui().AskYesNo("Are you sure you want to delete the selected affiliation?")) {
        if (doc_.RemoveAffiliation(sport_, text, self_)) text_.clear();
        focus = true;
    }
    Refill();
    return focus;
}

}  // namespace kivrun
