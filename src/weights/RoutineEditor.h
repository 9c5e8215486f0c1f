#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/Rows.h"
#include "values/Date.h"
#include "weights/RoutineCells.h"

namespace kivrun {

class CTamselDoc;

// The "Weights" dialog's state and rules, without widgets: the routine grid with its edit
// fields, the template box, and the exercise list it offers. Templates are stored at once
// (save, remove); the workout's routine only changes when the dialog's OK takes Result().
class RoutineEditor {
  public:
    // Which control takes the focus after an operation; Cell: the number box RefusedCell()
    // names.
    enum class Focus { None, Exercise, Template, Cell };

    // A line of the exercise drop-down: an exercise, or a body part heading or the blank
    // line before one, which cannot be chosen.
    struct ExerciseItem {
        std::string text;
        bool exercise = true;
        friend bool operator==(const ExerciseItem&, const ExerciseItem&) = default;
    };

    // routine: the workout's rows, or null when only templates are edited.
    RoutineEditor(CTamselDoc& doc, const std::vector<RoutineRow>* routine);

    // --- What the widgets show --------------------------------------------------------
    // The edit fields: exercise, sets, then weight and reps of each of four pairs.
    RoutineGridTexts fields;
    std::string templateText;

    const std::vector<RoutineRow>& Rows() const { return rows_; }
    // The grid's selection: what Insert Row and Delete Row act on.
    int Selected() const { return selected_; }
    // The row whose texts the fields hold, which E&nter writes back; -1 while the fields
    // make a new row.
    int Editing() const { return editing_; }
    // The grid cell (1..9: sets, then weight and reps of each pair) E&nter last refused.
    int RefusedCell() const { return refusedCell_; }
    const std::vector<TemplateRow>& Templates() const { return templates_; }
    const std::vector<ExerciseItem>& ExerciseItems() const { return exercises_; }
    bool EditsWorkout() const { return editsWorkout_; }
    bool ReadOnly() const;
    bool Modified() const { return modified_; }
    // The template the grid was loaded from; none after it was let go.
    std::optional<TemplateRow> LoadedTemplate() const { return loaded_; }
    bool SaveEnabled() const;
    std::string SaveText() const { return loaded_ ? "Save Template" : "&Save Template"; }
    bool RemoveEnabled() const { return removeEnabled_ && !ReadOnly(); }
    // The printout's heading: the workout's day and sport when one was given.
    void SetWorkout(const CDate& day, const std::string& sportName);
    std::string PrintHeading() const;

    // --- What the user does -----------------------------------------------------------
    // A grid row chosen (-1: none). Choosing is not editing: the fields stay as they are.
    void SelectRow(int row);
    // Double-click, or Return on the chosen row: its texts go into the fields to be changed.
    void EditRow(int row);
    // Lets the row being edited go unchanged; the fields empty.
    void CancelEdit();
    // E&nter: the fields become a new row, or go back into the row being edited. Either way
    // the fields empty, so the next exercise typed is a row of its own.
    Focus Enter();
    void InsertRow();
    void DeleteRow();
    void Clear();
    // The grid as a whole (a script's routine); counts as a change.
    void SetRows(std::vector<RoutineRow> rows);
    // The template box: typing in it, choosing a name from its list, leaving it.
    void EditTemplateText(const std::string& text);
    void ChooseTemplate(const std::string& name);
    void LeaveTemplateBox();
    Focus SaveTemplate();
    void RemoveTemplate();
    // After the exercise list dialog.
    void RefillExercises();
    // What OK hands to the workout.
    const std::vector<RoutineRow>& Result() const { return rows_; }

  private:
    void SelectTemplate(const std::string& name);
    // The name a template is saved under when the box holds none, asked for.
    std::optional<std::string> AskTemplateName();
    void ResolvePendingChange();
    void Load(const TemplateRow& t);
    void SetModified();
    void ClearFields();
    void RefillTemplates();
    void UpdateRemove();

    CTamselDoc& doc_;
    bool editsWorkout_;
    std::vector<RoutineRow> rows_;
    int selected_ = -1;
    int editing_ = -1;
    int refusedCell_ = -1;
    std::string lastTemplate_;  // proposed when a name is asked for
    std::vector<TemplateRow> templates_;
    std::vector<ExerciseItem> exercises_;
    std::optional<TemplateRow> loaded_;
    bool modified_ = false;
    // The user declined to save the loaded template's changes: not asked again until the
    // grid changes once more.
    bool declined_ = false;
    bool asking_ = false;
    bool removeEnabled_ = false;
    std::optional<CDate> workoutDay_;
    std::string workoutSport_;
};

}  // namespace kivrun
