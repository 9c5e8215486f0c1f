#pragma once

#include <string>
#include <vector>

#include "store/Rows.h"

namespace kivrun {

class CTamselDoc;

// The "Modify Exercise List" dialog's state and rules, without widgets. Every change is
// stored at once; the dialog's OK only closes it.
class ExerciseListEditor {
  public:
    // Which control takes the focus after an operation.
    enum class Focus { None, BodyPart, Name, List };

    explicit ExerciseListEditor(CTamselDoc& doc);

    // --- What the widgets show --------------------------------------------------------
    std::string bodyPartText;
    std::string exerciseText;

    const std::vector<BodyPartRow>& BodyParts() const { return bodyParts_; }
    // The list's rows: body part and exercise, by body part and then name.
    const std::vector<ExerciseRow>& Exercises() const { return exercises_; }
    int Selected() const { return selected_; }
    // "&Add >>" and "<< &Remove" take turns: Remove while the list has the focus and a row
    // is chosen, Add otherwise.
    bool AddEnabled() const { return !ReadOnly() && !RemoveMode(); }
    bool RemoveEnabled() const { return !ReadOnly() && RemoveMode(); }
    // The body part "< Remove": only for a body part of the list that no exercise uses.
    bool RemoveBodyPartEnabled() const { return removePartEnabled_ && !ReadOnly(); }

    // --- What the user does -----------------------------------------------------------
    void SelectRow(int row);
    // The focus went to the list, or to the body part box or the name field.
    void FocusList();
    void FocusEntryBoxes();
    // The body part text changed (typed or chosen from its list).
    void EditBodyPart(const std::string& text);
    Focus Add();
    Focus Remove();
    void RemoveBodyPart();

  private:
    bool ReadOnly() const;
    bool RemoveMode() const { return listFocused_ && selected_ >= 0; }
    void Refill();
    void UpdateRemoveBodyPart();

    CTamselDoc& doc_;
    std::vector<BodyPartRow> bodyParts_;
    std::vector<ExerciseRow> exercises_;
    int selected_ = -1;
    bool listFocused_ = false;
    bool removePartEnabled_ = false;
};

}  // namespace kivrun
