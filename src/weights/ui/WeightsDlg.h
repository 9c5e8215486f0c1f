#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "weights/RoutineEditor.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;

namespace kivrun {

class CAutoCompleteComboBox;
class CTamselDoc;
class RoutineGridModel;

// The "Weights" dialog: a routine edited in a grid, templates loaded, saved and removed,
// the exercise list opened, the routine printed. It shows a RoutineEditor and hands it what
// the user does; every rule lives there.
class CWeightsDlg : public QDialog {
    Q_OBJECT
  public:
    // routine: the workout's rows, or null for templates alone.
    CWeightsDlg(CTamselDoc& doc, const std::vector<RoutineRow>* routine, QWidget* parent = nullptr);
    ~CWeightsDlg() override;

    // The workout's routine edited (day and sport name its printout); the new rows on OK.
    static std::optional<std::vector<RoutineRow>> EditRoutine(CTamselDoc& doc,
                                                              const std::vector<RoutineRow>& rows,
                                                              const CDate& day,
                                                              const std::string& sportName,
                                                              QWidget* parent);
    // Weights > Routine Templates...: templates alone.
    static void EditTemplates(CTamselDoc& doc, QWidget* parent);

    RoutineEditor& model() { return model_; }

    QComboBox* templateBox() const { return template_; }
    QPushButton* removeButton() const { return remove_; }
    QPushButton* exerciseListButton() const { return exerciseList_; }
    CAutoCompleteComboBox* exerciseBox() const { return exercise_; }
    // Sets (0), then weight and reps of each pair (1..8).
    QLineEdit* numberBox(int index) const { return numbers_[index]; }
    QPushButton* enterButton() const { return enter_; }
    QTableView* grid() const { return grid_; }
    QPushButton* deleteRowButton() const { return deleteRow_; }
    QPushButton* insertRowButton() const { return insertRow_; }
    QPushButton* clearButton() const { return clear_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* printButton() const { return print_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using Focus = RoutineEditor::Focus;

    void BuildControls();
    void BuildLayout();
    void Connect();
    // The boxes' texts into the model, before it acts on them.
    void Gather();
    void Refresh();
    void RefreshExercises();
    void MoveFocus(Focus focus);
    // A grid row into the fields, to be changed and entered back.
    void EditRow(int row);
    void OpenExerciseList();
    void Print();

    RoutineEditor model_;
    CTamselDoc& doc_;
    RoutineGridModel* gridModel_ = nullptr;
    bool refreshing_ = false;

    QComboBox* template_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* exerciseList_ = nullptr;
    CAutoCompleteComboBox* exercise_ = nullptr;
    QLineEdit* numbers_[9] = {};
    QPushButton* enter_ = nullptr;
    QTableView* grid_ = nullptr;
    QPushButton* deleteRow_ = nullptr;
    QPushButton* insertRow_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* print_ = nullptr;
};

}  // namespace kivrun
