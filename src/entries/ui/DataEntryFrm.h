#pragma once

#include <QWidget>
#include <string>

#include "document/UpdateHint.h"
#include "entries/DataEntryForm.h"

class QAbstractButton;
class QComboBox;
namespace kivrun {
class CCheckListComboBox;
}
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kivrun {

class DatePicker;
class CAutoCompleteComboBox;
class CTamselDoc;
class LeaveWatcher;
class RowFlowLayout;

// The data entry form, the upper pane of the log window: where a workout is entered,
// edited, duplicated or deleted. It shows a DataEntryForm and hands it what the user does;
// every rule lives there.
class CDataEntryFrm : public QWidget, public View {
    Q_OBJECT
  public:
    explicit CDataEntryFrm(CTamselDoc& doc, QWidget* parent = nullptr);
    ~CDataEntryFrm() override;

    void OnUpdate(View* sender, const UpdateHint& hint) override;
    void LoadEntry(RowId entryId, bool duplicate);
    // A calendar event as a new workout (the calendar view's "make it an entry").
    void ConvertEvent(const CDate& day, const std::string& sportAbbrev, const std::string& name,
                      bool race);

    const DataEntryForm& model() const { return model_; }

    // The form's height follows its width: the field groups wrap in a narrow pane.
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    // How many rows the field groups take at the present width.
    int FieldRows() const;

    DatePicker* dateBox() const { return date_; }
    QComboBox* sportBox() const { return sport_; }
    QComboBox* classBox() const { return class_; }
    QLineEdit* distanceBox() const { return distance_; }
    QLineEdit* paceBox() const { return pace_; }
    QLineEdit* timeBox() const { return time_; }
    QLineEdit* optionalBox(int field) const { return optional_[field]; }
    QLabel* optionalLabel(int field) const { return optionalLabel_[field]; }
    QLabel* distanceUnitLabel() const { return distanceUnit_; }
    QLabel* paceUnitLabel() const { return paceUnit_; }
    QLabel* timeReadLabel() const { return timeRead_; }
    QLabel* routeLabel() const { return routeLabel_; }
    QPushButton* workoutButton() const { return workout_; }
    CAutoCompleteComboBox* routeBox() const { return route_; }
    QPushButton* routeButton() const { return routeButton_; }
    QPlainTextEdit* notesBox() const { return notes_; }
    CCheckListComboBox* equipmentBox() const { return equipment_; }
    QPushButton* enterButton() const { return enter_; }
    QPushButton* resetButton() const { return reset_; }
    QPushButton* deleteButton() const { return delete_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    using Focus = DataEntryForm::Focus;

    void BuildControls();
    void BuildLayout();
    void Connect();
    // Shows the model in the controls.
    void Refresh();
    // ... after the model replaced the workout as a whole (entered, reset, loaded).
    void Reload();
    void ShowEquipment();
    // A workout that took an item past its limit says so once, in the status bar.
    void ShowStatusNote();
    void ShowTitle();
    void MoveFocus(Focus focus);
    void FocusFirstBox();

    // The conversions of leaving a box; the box that must be fixed first, if any.
    Focus LeaveBox(QWidget* box);
    // Runs the conversions of every box left, and of the box still holding the focus, as
    // leaving it for a button would. False when a box refused its text.
    bool CommitBoxes();

    void PressEnter();
    // Offers to save what would be lost, then clears the form for a new workout of today.
    // False when the user chose to save and the form could not be saved as it stands.
    bool ResetAsking();
    // The form's button that an Alt key presses while the focus is in the form.
    QAbstractButton* ButtonOfAltKey(const QKeyEvent& key) const;
    void PressReset();
    void PressDelete();
    void PressRouteButton();
    void PressWorkout();
    void FocusMoved(QWidget* old, QWidget* now);
    void ResetOnLeaving(long entryId);
    bool Holds(const QWidget* w) const;
    bool IsAnotherView(QWidget* w) const;

    DataEntryForm model_;
    LeaveWatcher* leaves_ = nullptr;
    QWidget* content_ = nullptr;
    RowFlowLayout* fields_ = nullptr;

    DatePicker* date_ = nullptr;
    QComboBox* sport_ = nullptr;
    QComboBox* class_ = nullptr;
    QLineEdit* distance_ = nullptr;
    QLabel* distanceUnit_ = nullptr;
    QLineEdit* pace_ = nullptr;
    QLabel* paceUnit_ = nullptr;
    QLabel* timeRead_ = nullptr;
    QLineEdit* time_ = nullptr;
    QLabel* optionalLabel_[2] = {nullptr, nullptr};
    QLineEdit* optional_[2] = {nullptr, nullptr};
    QLabel* routeLabel_ = nullptr;
    QPushButton* workout_ = nullptr;
    CAutoCompleteComboBox* route_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    QPushButton* routeButton_ = nullptr;
    QPushButton* enter_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* delete_ = nullptr;
    CCheckListComboBox* equipment_ = nullptr;

    Focus initialFocus_ = Focus::None;
    bool shown_ = false;
    bool loading_ = false;
    bool distanceTyped_ = false;  // typed and not yet left
    bool resetting_ = false;
};

}  // namespace kivrun
