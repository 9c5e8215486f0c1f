#pragma once

#include <QDialog>

#include "weights/ExerciseListEditor.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace kivrun {

class CAutoCompleteComboBox;
class CTamselDoc;

// The "Modify Exercise List" dialog: exercises added under a body part (made on first use)
// and removed, body parts no exercise uses removed. It shows an ExerciseListEditor and hands
// it what the user does; every change is stored at once.
class CExerciseListDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CExerciseListDlg(CTamselDoc& doc, QWidget* parent = nullptr);
    ~CExerciseListDlg() override;

    // Weights > Edit Exercise List...
    static void Edit(CTamselDoc& doc, QWidget* parent);

    const ExerciseListEditor& model() const { return model_; }

    CAutoCompleteComboBox* bodyPartBox() const { return bodyPart_; }
    QPushButton* removeBodyPartButton() const { return removeBodyPart_; }
    QLineEdit* nameBox() const { return name_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* removeButton() const { return remove_; }
    QTreeWidget* list() const { return list_; }
    QPushButton* okButton() const { return ok_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using Focus = ExerciseListEditor::Focus;

    void BuildLayout();
    void Connect();
    void Gather();
    void Refresh();
    void MoveFocus(Focus focus);
    void FocusMoved(QWidget* now);

    ExerciseListEditor model_;
    bool refreshing_ = false;

    CAutoCompleteComboBox* bodyPart_ = nullptr;
    QPushButton* removeBodyPart_ = nullptr;
    QLineEdit* name_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace kivrun
