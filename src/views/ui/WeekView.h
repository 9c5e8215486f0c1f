#pragma once

#include "frames/SavedLayout.h"
#include "views/WeekPage.h"
#include "views/ui/PageView.h"

namespace kivrun {

// The week view: the filtered workouts of one week in seven day boxes, and their totals per
// sport and in all in the "Summary" box. Previous and Next stop at the ends of the log;
// Home and End show the weeks of the first and the last workout.
class CWeekView : public CPageView, public RestorableView {
    Q_OBJECT
  public:
    static QWidget* Create(CTamselDoc& doc, QWidget* parent);
    explicit CWeekView(CTamselDoc& doc, QWidget* parent = nullptr);

    // The week that holds the day.
    void ShowWeek(const CDate& day);
    // The week of a workout that passes the filter, with its line selected.
    void ShowEntry(RowId entryId);
    const CDate& WeekStart() const { return weekStart_; }
    const WeekPage& Page() const { return page_; }
    bool CanGoBack();
    bool CanGoForward();

    // The week shown, as "M/DD/YYYY" of its first day.
    std::string SavedState() const override { return weekStart_.Format(1); }
    void RestoreState(const std::string& state) override;

    void OnUpdate(View* sender, const UpdateHint& hint) override;
    std::optional<CommandState> CommandStatus(Command cmd) override;
    void RunCommand(Command cmd) override;
    std::unique_ptr<QMenu> MakeMenu(const QPoint& at, bool onLine) override;

  protected:
    void Refill() override;
    QSize PageSize() const override { return QSize(page_.layout.Width(), page_.layout.Height()); }
    // The day's workouts in the log list, from the first left out.
    void ShowMore(const PageItem& more) override;
    void DrawPage(QPainter& painter) const override;
    void Step(int direction) override;
    void Activate() override;
    void JumpToEnd(bool end) override;
    std::unique_ptr<CPagePrintout> MakePrintout() const override;

  private:
    CDate weekStart_;
    WeekPage page_;
    RowId pendingEntry_ = 0;  // to select once the week is laid out
};

}  // namespace kivrun
