#pragma once

#include <string>
#include <vector>

#include "document/UpdateHint.h"

namespace kivrun {

class CTamselDoc;

// The affiliation box of the "Event" dialog and of the event form, with its "< &Add" /
// "< &Remove" button: the sport's affiliations in the list, the typed text kept through a
// refill, and the button adding the text to the sport's list or removing it after asking.
class AffiliationBox {
  public:
    AffiliationBox(CTamselDoc& doc, View* self) : doc_(doc), self_(self) {}

    // The typed (or picked) text.
    const std::string& Text() const { return text_; }
    const std::vector<std::string>& Items() const { return items_; }
    bool ButtonEnabled() const { return enabled_; }
    std::string ButtonText() const { return adds_ ? "< &Add" : "< &Remove"; }

    // The sport's abbreviation, empty for none; the list is read again.
    void SetSport(const std::string& abbrev);
    // The list read again (on gaining the focus, after another window changed it).
    void Refill();
    void SetText(const std::string& text);
    // An item picked from the list: it can only be removed.
    void Choose(const std::string& item);
    void Clear();
    // Adds or removes (after asking) the text. True when the box should take the focus.
    bool Press();

  private:
    void UpdateButton();

    CTamselDoc& doc_;
    View* self_;
    std::string sport_;
    std::string text_;
    std::vector<std::string> items_;
    bool enabled_ = false;
    bool adds_ = true;
};

}  // namespace kivrun
