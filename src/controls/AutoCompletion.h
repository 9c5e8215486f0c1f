#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text positions here are UTF-16 code units, as in the toolkit's text controls.
namespace kivrun::controls {

// Whether text begins with prefix when the case of letters is ignored (Latin, Greek and
// Cyrillic letters; other characters compare exactly).
bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);

// An edit's text with its selection; start == end is a plain caret.
struct EditState {
    std::u16string text;
    int selectionStart = 0;
    int selectionEnd = 0;
};

// Whether the change from before to after only took characters out (Backspace, Delete, Cut)
// rather than typing or pasting something. The text is changed at the selection, or at the
// caret when nothing is selected: that is what tells typing "e" over a selected "ench" from
// deleting "nch".
bool OnlyDeleted(const EditState& before, std::u16string_view after);

// What the edit of an autocompleting combo box shows after the user changed its text.
struct Completion {
    int item = -1;  // the list item the text was completed to; -1 when none
    EditState edit;
};

// Completes what the user types to the first list item that starts with it. Deleting never
// completes, or Backspace over a completed part would only bring it back.
class AutoCompleter {
  public:
    // The user changed the text; after.selectionEnd is where the caret stands.
    Completion TextChanged(const EditState& after, const std::vector<std::u16string>& items);
    // The edit as it is now, when it changed other than by TextChanged (the caret moved, an
    // item was picked from the list, the owner set a text).
    void Reset(EditState state) { before_ = std::move(state); }

  private:
    EditState before_;
};

}  // namespace kivrun::controls
