#include "weights/RoutineEditor.h"

#include "document/TamselDoc.h"
#include "values/NumberFormat.h"

namespace kivrun {

RoutineEditor::RoutineEditor(CTamselDoc& doc, const std::vector<RoutineRow>* routine)
    : doc_(doc), editsWorkout_(routine != nullptr) {
    if (routine) rows_ = *routine;
    RefillTemplates();
    RefillExercises();
}

bool RoutineEditor::ReadOnly() const {
    return doc_.IsReadOnly();
}

bool RoutineEditor::SaveEnabled() const {
    // Rows that belong to no template can always be saved as one, changed or not.
    return !ReadOnly() && (modified_ || (!loaded_ && !rows_.empty()));
}

void RoutineEditor::SetWorkout(const CDate& day, const std::string& sportName) {
    workoutDay_ = day;
    workoutSport_ = sportName;
}

std::string RoutineEditor::PrintHeading() const {
    if (workoutDay_) return RoutineHeading(*workoutDay_, workoutSport_);
    return TemplateHeading(loaded_ ? loaded_->name : templateText);
}

void RoutineEditor::RefillTemplates() {
    templates_ = doc_.Templates();
}

void RoutineEditor::RefillExercises() {
    exercises_.clear();
    std::optional<RowId> part;
    for (const ExerciseRow& e : doc_.ExerciseList()) {
        if (part != e.bodyPartId) {
            if (part) exercises_.push_back({"", false});
            exercises_.push_back({"-- " + e.bodyPartName + " --", false});
            part = e.bodyPartId;
        }
        exercises_.push_back({e.name, true});
    }
}

// --- The grid ---------------------------------------------------------------------------------

void RoutineEditor::ClearFields() {
    fields = RoutineGridTexts{};
}

void RoutineEditor::SetModified() {
    modified_ = true;
    declined_ = false;
}

void RoutineEditor::SelectRow(int row) {
    selected_ = row >= 0 && static_cast<size_t>(row) < rows_.size() ? row : -1;
    if (selected_ < 0)
        ClearFields();
    else
        fields = GridTexts(rows_[static_cast<size_t>(selected_)]);
}

RoutineEditor::Focus RoutineEditor::Enter() {
    const RoutineRow row = RowFromGridTexts(fields);
    if (row.exercise.empty()) {
        doc_.ui().ShowMessage("You must enter an exercise !!");
        return Focus::Exercise;
    }
    if (selected_ < 0) {
        rows_.push_back(row);
        ClearFields();
    } else {
        rows_[static_cast<size_t>(selected_)] = row;
        // The row as it is kept: numbers read as far as they go.
        fields = GridTexts(row);
    }
    SetModified();
    return Focus::Exercise;
}

void RoutineEditor::InsertRow() {
    if (selected_ < 0) return;
    rows_.insert(rows_.begin() + selected_, RoutineRow{});
    // The new, empty row is the one to fill in.
    ClearFields();
    SetModified();
}

void RoutineEditor::DeleteRow() {
    if (selected_ < 0) return;
    rows_.erase(rows_.begin() + selected_);
    SelectRow(-1);
    SetModified();
}

void RoutineEditor::Clear() {
    const bool had = !rows_.empty();
    rows_.clear();
    SelectRow(-1);
    if (had) SetModified();
}

void RoutineEditor::SetRows(std::vector<RoutineRow> rows) {
    rows_ = std::move(rows);
    SelectRow(-1);
    SetModified();
}

// --- Templates --------------------------------------------------------------------------------

void RoutineEditor::UpdateRemove() {
    removeEnabled_ = !TrimBlanks(templateText).empty() && doc_.TemplateNamed(templateText);
}

void RoutineEditor::ResolvePendingChange() {
    if (!loaded_ || !modified_ || declined_ || asking_) return;
    asking_ = true;
    const bool save = doc_.ui().AskYesNo("The \"" + loaded_->name +
                                         "\" template has been modified!!\n\nSave Changes??");
    asking_ = false;
    if (!save) {
        declined_ = true;
        return;
    }
    if (doc_.SaveTemplateRoutine(loaded_->templateId, rows_, nullptr)) {
        loaded_.reset();
        modified_ = false;
    }
}

void RoutineEditor::EditTemplateText(const std::string& text) {
    templateText = text;
    if (asking_) return;
    ResolvePendingChange();
    UpdateRemove();
}

void RoutineEditor::ChooseTemplate(const std::string& name) {
    if (asking_) return;
    templateText = name;
    SelectTemplate(name);
}

void RoutineEditor::LeaveTemplateBox() {
    // Showing the question takes the focus from the box: that is no leaving.
    if (asking_) return;
    SelectTemplate(templateText);
}

void RoutineEditor::SelectTemplate(const std::string& name) {
    const std::optional<TemplateRow> found = doc_.TemplateNamed(name);
    const bool same = loaded_ && found && found->templateId == loaded_->templateId;
    if (!same) {
        ResolvePendingChange();
        if (found)
            Load(*found);
        else
            loaded_.reset();
    }
    UpdateRemove();
}

void RoutineEditor::Load(const TemplateRow& t) {
    rows_ = doc_.TemplateRoutine(t.templateId);
    SelectRow(-1);
    loaded_ = t;
    modified_ = false;
    declined_ = false;
}

RoutineEditor::Focus RoutineEditor::SaveTemplate() {
    if (loaded_) {
        if (doc_.SaveTemplateRoutine(loaded_->templateId, rows_, nullptr)) {
            modified_ = false;
            declined_ = false;
        }
        return Focus::None;
    }
    const std::string name = TrimBlanks(templateText);
    if (name.empty()) {
        doc_.ui().ShowMessage("Please specify a name for the template!!");
        return Focus::Template;
    }
    if (!doc_.ui().AskYesNo("Save the current workout as the \"" + name + "\" template??"))
        return Focus::None;
    // A name the log already has is that template saved again, never a second of the name.
    std::optional<TemplateRow> saved = doc_.TemplateNamed(name);
    if (saved) {
        if (!doc_.SaveTemplateRoutine(saved->templateId, rows_, nullptr)) return Focus::None;
    } else {
        const RowId id = doc_.AddTemplate(name, rows_, nullptr);
        if (id == 0) return Focus::None;
        saved = TemplateRow{id, name};
    }
    RefillTemplates();
    loaded_ = saved;
    modified_ = false;
    declined_ = false;
    UpdateRemove();
    return Focus::None;
}

void RoutineEditor::RemoveTemplate() {
    const std::optional<TemplateRow> found = doc_.TemplateNamed(templateText);
    if (TrimBlanks(templateText).empty() || !found) return;
    if (!doc_.RemoveTemplate(found->templateId, nullptr)) return;
    RefillTemplates();
    if (loaded_ && loaded_->templateId == found->templateId) loaded_.reset();
    templateText.clear();
    modified_ = false;
    declined_ = false;
    UpdateRemove();
}

}  // namespace kivrun
