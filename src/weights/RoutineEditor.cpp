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
}

void RoutineEditor::EditRow(int row) {
    if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return;
    selected_ = editing_ = row;
    fields = GridTexts(rows_[static_cast<size_t>(row)]);
}

void RoutineEditor::CancelEdit() {
    editing_ = -1;
    ClearFields();
}

RoutineEditor::Focus RoutineEditor::Enter() {
    if (TrimBlanks(fields[0]).empty()) {
        doc_.ui().ShowMessage("You must enter an exercise !!");
        return Focus::Exercise;
    }
    RoutineReading reading = ReadGridTexts(fields);
    if (!reading.row) {
        doc_.ui().ShowMessage(reading.message);
        refusedCell_ = reading.badCell;
        return Focus::Cell;
    }
    if (editing_ >= 0)
        rows_[static_cast<size_t>(editing_)] = std::move(*reading.row);
    else
        rows_.push_back(std::move(*reading.row));
    editing_ = selected_ = -1;
    ClearFields();
    SetModified();
    return Focus::Exercise;
}

void RoutineEditor::InsertRow() {
    if (selected_ < 0) return;
    rows_.insert(rows_.begin() + selected_, RoutineRow{});
    // The new, empty row is the one to fill in.
    editing_ = selected_;
    ClearFields();
    SetModified();
}

void RoutineEditor::DeleteRow() {
    if (selected_ < 0) return;
    rows_.erase(rows_.begin() + selected_);
    if (editing_ == selected_)
        CancelEdit();
    else if (editing_ > selected_)
        --editing_;
    selected_ = -1;
    SetModified();
}

void RoutineEditor::Clear() {
    const bool had = !rows_.empty();
    rows_.clear();
    selected_ = -1;
    CancelEdit();
    if (had) SetModified();
}

void RoutineEditor::SetRows(std::vector<RoutineRow> rows) {
    rows_ = std::move(rows);
    selected_ = -1;
    CancelEdit();
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
    selected_ = -1;
    CancelEdit();
    loaded_ = t;
    lastTemplate_ = t.name;
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
    std::string name = TrimBlanks(templateText);
    if (name.empty()) {
        // Asked for, rather than sending the user to the box: the answer is the go-ahead.
        const std::optional<std::string> asked = AskTemplateName();
        if (!asked) return Focus::None;
        name = TrimBlanks(*asked);
        if (name.empty()) {
            doc_.ui().ShowMessage("Please specify a name for the template!!");
            return Focus::Template;
        }
        // Another template of that name is replaced only when the user says so.
        if (doc_.TemplateNamed(name) &&
            !doc_.ui().AskYesNo("Save the current workout as the \"" + name + "\" template??"))
            return Focus::None;
    } else if (!doc_.ui().AskYesNo("Save the current workout as the \"" + name + "\" template??")) {
        return Focus::None;
    }
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
    lastTemplate_ = saved->name;
    templateText = saved->name;
    modified_ = false;
    declined_ = false;
    UpdateRemove();
    return Focus::None;
}

std::optional<std::string> RoutineEditor::AskTemplateName() {
    return doc_.ui().AskText("Save the current workout as the template named:", lastTemplate_);
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
