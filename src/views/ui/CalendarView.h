#pragma once

#include <functional>

#include "frames/SavedLayout.h"
#include "views/CalendarPage.h"
#include "views/ui/PageView.h"

namespace kivrun {

// The month calendar: the filtered workouts of a month and the planned events, one line
// each in their day's cell, the days of the neighbouring months in grey. It opens, edits,
// duplicates and deletes workouts, deletes events, starts a workout on a day and shows the
// week of a workout. Events are added and opened through the event editor, once the program
// has one.
class CCalendarView : public CPageView, public RestorableView {
    Q_OBJECT
  public:
    // What the events window offers the calendar; a command without its function is off.
    struct EventEditor {
        std::function<void(CTamselDoc& doc, const CDate& day, QWidget* parent)> newEvent;
        std::function<void(CTamselDoc& doc, RowId eventId, QWidget* parent)> openEvent;
    };
    static void SetEventEditor(EventEditor editor);

    static QWidget* Create(CTamselDoc& doc, QWidget* parent);
    explicit CCalendarView(CTamselDoc& doc, QWidget* parent = nullptr);

    // The month of the date; its day does not matter, except to Previous and Next.
    void ShowMonth(const CDate& date);
    // The month of a workout that passes the filter, with its line selected.
    void ShowEntry(RowId entryId);
    const CDate& Shown() const { return shown_; }
    const CalendarGrid& Grid() const { return grid_; }
    // The cell of the last right click on an empty place, -1 when none.
    int RightClickedCell() const { return rightClickedCell_; }
    // The event editor on a new event of that day (nothing without one).
    void NewEventOnDate(const CDate& day);
    void OpenSelectedEvent();
    void NewEntryOnCell(int cell);

    // The month shown, as "M/DD/YYYY" of its 1st.
    std::string SavedState() const override;
    void RestoreState(const std::string& state) override;

    void OnUpdate(View* sender, const UpdateHint& hint) override;
    std::optional<CommandState> CommandStatus(Command cmd) override;
    void RunCommand(Command cmd) override;
    std::unique_ptr<QMenu> MakeMenu(const QPoint& at, bool onLine) override;

  protected:
    void Refill() override;
    QSize PageSize() const override { return QSize(grid_.Width(), grid_.Height()); }
    // The week of the day, in the week view.
    void ShowMore(const PageItem& more) override;
    void DrawPage(QPainter& painter) const override;
    void Step(int direction) override;
    void Activate() override;
    void DoubleClickedAt(const QPoint& at) override;
    std::unique_ptr<CPagePrintout> MakePrintout() const override;

  private:
    static EventEditor& Editor();
    bool CanEditEvents() const;

    CDate shown_;
    CalendarGrid grid_;
    RowId pendingEntry_ = 0;  // to select once the month is laid out
    int rightClickedCell_ = -1;
};

}  // namespace kivrun
