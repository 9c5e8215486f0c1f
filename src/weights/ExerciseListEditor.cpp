#include "weights/ExerciseListEditor.h"

#include "document/TamselDoc.h"
#include "values/NumberFormat.h"

namespace kivrun {

ExerciseListEditor::ExerciseListEditor(CTamselDoc& doc) : doc_(doc) {
    Refill();
}

bool ExerciseListEditor::ReadOnly() const {
    return doc_.IsReadOnly();
}

void ExerciseListEditor::Refill() {
    bodyParts_ = doc_.BodyParts();
    exercises_ = doc_.ExerciseList();
    if (static_cast<size_t>(selected_ + 1) > exercises_.size()) selected_ = -1;
}

void ExerciseListEditor::SelectRow(int row) {
    selected_ = row >= 0 && static_cast<size_t>(row) < exercises_.size() ? row : -1;
}

void ExerciseListEditor::FocusList() {
    listFocused_ = true;
}

void ExerciseListEditor::FocusEntryBoxes() {
    listFocused_ = false;
}

void ExerciseListEditor::EditBodyPart(const std::string& text) {
    bodyPartText = text;
    UpdateRemoveBodyPart();
}

void ExerciseListEditor::UpdateRemoveBodyPart() {
    const std::optional<BodyPartRow> part =
        TrimBlanks(bodyPartText).empty() ? std::nullopt : doc_.BodyPartNamed(bodyPartText);
    removePartEnabled_ = part && !doc_.BodyPartInUse(part->bodyPartId);
}

ExerciseListEditor::Focus ExerciseListEditor::Add() {
    // Blanks alone are no name: the texts are trimmed before they are checked.
    if (TrimBlanks(bodyPartText).empty()) {
        doc_.ui().ShowMessage("Please select a body part for this exercise!!");
        return Focus::BodyPart;
    }
    if (TrimBlanks(exerciseText).empty()) {
        doc_.ui().ShowMessage("Please enter a name for this exercise!!");
        return Focus::Name;
    }
    const RowId id = doc_.AddExercise(bodyPartText, exerciseText, nullptr);
    if (id == 0) return Focus::Name;
    Refill();
    selected_ = -1;
    for (size_t i = 0; i < exercises_.size(); ++i)
        if (exercises_[i].exerciseId == id) selected_ = static_cast<int>(i);
    if (selected_ < 0) {
        doc_.ui().ShowMessage("Error: Exercise was not added!!");
        return Focus::Name;
    }
    exerciseText.clear();
    UpdateRemoveBodyPart();
    return Focus::Name;
}

ExerciseListEditor::Focus ExerciseListEditor::Remove() {
    if (selected_ < 0) {
        doc_.ui().ShowMessage("Please select the exercise you want to remove!!");
        return Focus::List;
    }
    if (!doc_.ui().AskYesNo("Are you sure you want to remove the selected exercise??"))
        return Focus::None;
    const RowId id = exercises_[static_cast<size_t>(selected_)].exerciseId;
    if (!doc_.RemoveExercise(id, nullptr)) return Focus::None;
    selected_ = -1;
    Refill();
    UpdateRemoveBodyPart();
    return Focus::List;
}

void ExerciseListEditor::RemoveBodyPart() {
    const std::optional<BodyPartRow> part =
        TrimBlanks(bodyPartText).empty() ? std::nullopt : doc_.BodyPartNamed(bodyPartText);
    if (!part) return;
    if (doc_.BodyPartInUse(part->bodyPartId)) {
        doc_.ui().ShowMessage(
            "Some exercises use this body part!!\n\nUnable to remove body part!!");
        return;
    }
    if (!doc_.RemoveBodyPart(part->bodyPartId, nullptr)) return;
    Refill();
    bodyPartText.clear();
    UpdateRemoveBodyPart();
}

}  // namespace kivrun
