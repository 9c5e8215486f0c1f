#pragma once

#include <QToolBar>
#include <array>

#include "document/UpdateHint.h"
#include "entries/FilterBarPresenter.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace kivrun {

class DatePicker;
class CCheckListComboBox;
class CTamselDoc;
class LeaveWatcher;

// The filter bar docked at the top of the main window: Show All and the sports and classes
// to show, and, expanded, the six criteria. It shows its presenter's values and follows the
// document's notices like any view.
class CFilterToolBar : public QToolBar, public View {
    Q_OBJECT
  public:
    enum Criterion { kDate, kDistance, kTime, kPace, kRoute, kNotes, kCriteria };

    // Collapsed, showing the log's filter state.
    explicit CFilterToolBar(CTamselDoc& doc, QWidget* parent = nullptr);
    ~CFilterToolBar() override;

    FilterBarValues Read() const;
    void Write(const FilterBarValues& values);
    bool IsExpanded() const { return presenter_.Expanded(); }
    const FilterBarPresenter& Presenter() const { return presenter_; }
    void OnUpdate(View* sender, const UpdateHint& hint) override;

    // "<" and "v": the other form of the bar, keeping what the controls hold.
    void Expand();
    void Collapse();
    // Applies what the bar holds to the log.
    void Update();

    QCheckBox* showAllBox() const { return showAll_; }
    CCheckListComboBox* sportsBox() const { return sports_; }
    CCheckListComboBox* classesBox() const { return classes_; }
    QToolButton* expandButton() const { return expand_; }
    QPushButton* updateButton() const { return update_; }
    // "Update to apply", shown while the controls hold a filter other than the one applied.
    QLabel* pendingLabel() const { return pending_; }
    QCheckBox* criterionBox(Criterion c) const { return rows_[c].on; }
    QComboBox* operatorBox(Criterion c) const { return rows_[c].op; }
    // The first or second value: a DatePicker for the date, a QLineEdit for the others.
    QWidget* valueBox(Criterion c, int which = 0) const {
        return which == 0 ? rows_[c].first : rows_[c].second;
    }
    QLabel* andLabel(Criterion c) const { return rows_[c].andLabel; }
    QCheckBox* repeatBox() const { return repeat_; }
    // The items whose workouts to show (none ticked: any); shown when the log has items.
    CCheckListComboBox* equipmentBox() const { return equipment_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Row {
        QCheckBox* on = nullptr;
        QComboBox* op = nullptr;
        QWidget* first = nullptr;
        QLabel* andLabel = nullptr;  // with the second value: none for route and notes
        QWidget* second = nullptr;
    };

    void BuildTopRow(QWidget* body);
    void BuildCriteria(QWidget* body);
    void ShowForm(bool expanded);
    void UpdateEnabling();
    // Shows whether the controls differ from the filter applied.
    void UpdatePending();
    void ShowAllClicked(bool checked);
    void DateChanged(bool first);
    bool LeaveTime(QWidget* box);
    bool CommitBoxes();

    CTamselDoc& doc_;
    FilterBarPresenter presenter_;
    LeaveWatcher* leaves_ = nullptr;
    QCheckBox* showAll_ = nullptr;
    CCheckListComboBox* sports_ = nullptr;
    CCheckListComboBox* classes_ = nullptr;
    QToolButton* expand_ = nullptr;
    QPushButton* update_ = nullptr;
    QLabel* pending_ = nullptr;
    QWidget* criteria_ = nullptr;
    std::array<Row, kCriteria> rows_{};
    DatePicker* date1_ = nullptr;
    DatePicker* date2_ = nullptr;
    QCheckBox* repeat_ = nullptr;
    QLabel* equipmentLabel_ = nullptr;
    CCheckListComboBox* equipment_ = nullptr;
    bool loading_ = false;
};

}  // namespace kivrun
