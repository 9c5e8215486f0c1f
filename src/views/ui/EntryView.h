#pragma once

#include <QWidget>
#include <memory>

#include "document/UpdateHint.h"
#include "frames/Commands.h"
#include "frames/SavedLayout.h"
#include "print/ui/GPrintout.h"
#include "store/UserInterface.h"
#include "views/EntryCursor.h"
#include "views/EntryPage.h"
#include "views/ui/EntryDrawing.h"
#include "views/ui/WheelSteps.h"

class QCalendarWidget;
class QScrollBar;

namespace kivrun {

class CTamselDoc;

// One workout of the filtered log on a painted page. The arrow keys, Page Up and Down, the
// wheel, the scroll bar and Previous and Next step through the log in date order, Home and
// End go to the earliest and the latest; a click on the date opens a month calendar whose
// bold days have workouts, and the day picked shows its workout or the nearest one.
class CEntryView : public QWidget, public View, public CommandTarget, public RestorableView {
    Q_OBJECT
  public:
    static QWidget* Create(CTamselDoc& doc, QWidget* parent);
    explicit CEntryView(CTamselDoc& doc, QWidget* parent = nullptr);
    ~CEntryView() override;

    // Shows a workout (0: the last of the filtered set).
    void ShowEntry(RowId entryId);
    void MoveBy(long delta);
    void MoveTo(long position);
    // The day picked in the month calendar.
    void PickDay(const CDate& day);

    RowId Shown() const { return content_.entryId; }
    const EntryPageContent& Content() const { return content_; }
    const EntryLayout& Layout() const { return layout_; }
    QScrollBar* ScrollBar() const { return scroll_; }
    QCalendarWidget* MonthCalendar() const { return calendar_; }
    // Shows the month calendar under the date, at x.
    void ShowCalendar(int x);
    // The days of the calendar's month that are bold.
    std::vector<int> BoldDays() const { return boldDays_; }

    void Print();
    void PrintPreview();

    // The workout shown, by its EntryID.
    std::string SavedState() const override { return std::to_string(Shown()); }
    void RestoreState(const std::string& state) override;

    void OnUpdate(View* sender, const UpdateHint& hint) override;
    std::optional<CommandState> CommandStatus(Command cmd) override;
    void RunCommand(Command cmd) override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    // The page of the cursor's workout, read again and laid out.
    void Rebuild();
    void Moved();
    void Relayout();
    void UpdateScrollBar();
    void MarkMonth(int year, int month);
    QSize PageSize() const;

    CTamselDoc& doc_;
    DocumentSequence set_;
    EntryCursor cursor_;
    EntryFonts fonts_;
    EntryPageContent content_;
    EntryLayout layout_;
    QScrollBar* scroll_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
    std::vector<int> boldDays_;
    int markedYear_ = 0, markedMonth_ = 0;
    WheelSteps wheel_;
    bool settingScroll_ = false;
};

// The entry page on one sheet of paper, laid out as the view would be at its width.
class CEntryPrintout : public GPrintout {
  public:
    CEntryPrintout(CTamselDoc& doc, RowId entryId, int viewWidth);
    // Null when the log has no such workout.
    static std::unique_ptr<CEntryPrintout> ForEntry(CTamselDoc& doc, RowId entryId);

    QString Title() const override { return QStringLiteral("Entry View"); }
    bool Layout(const GPage& page, const GProgress& progress) override;
    int PageCount() const override { return 1; }
    void PaintPage(QPainter& painter, const QRect& pageRect, int page) const override;

  private:
    EntryPageContent content_;
    EntryFonts fonts_{true};
    int viewWidth_;
    QSize logical_;
    EntryLayout layout_;
};

}  // namespace kivrun
