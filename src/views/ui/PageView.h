#pragma once

#include <QAbstractScrollArea>
#include <QMenu>
#include <memory>
#include <optional>
#include <vector>

#include "document/UpdateHint.h"
#include "frames/Commands.h"
#include "store/UserInterface.h"
#include "views/ui/PageDrawing.h"
#include "views/ui/WheelSteps.h"

namespace kivrun {

class CTamselDoc;
class CPagePrintout;

// What the month calendar and the week view share: a painted page of day cells whose
// lines (workouts and events) can be selected with the mouse and the keyboard. The arrow
// keys move between lines, Enter opens, Delete deletes, the menu key opens the line's menu,
// Page Up and Page Down and the wheel step through the months or weeks. Painting reads
// only the lines of the page shown; the page is read again when the log changes. A window
// smaller than the page needs shows it at its least size and scrolls (the wheel then
// scrolls too); a crowded day's "+N more" opens its lines elsewhere.
class CPageView : public QAbstractScrollArea, public View, public CommandTarget {
    Q_OBJECT
  public:
    CPageView(CTamselDoc& doc, QWidget* parent);
    ~CPageView() override;

    CTamselDoc& Document() const { return doc_; }
    const DrawnItems& Drawn() const { return drawn_; }
    int Selected() const { return selected_; }
    // The selected line, null for none.
    const PageItem* SelectedItem() const;
    void Select(int index);

    // --- What a selected workout offers (nothing when the selection is no workout) -------
    // The entry view on it; until the program has that window, the data entry form.
    void OpenSelectedEntry();
    void EditSelectedEntry(bool duplicate);
    // The week or month window on its day.
    void ShowSelectedIn(WindowKind kind);
    // A workout with the document's question; an event with its own.
    void DeleteSelected();
    bool SelectedIsEntry() const;
    bool HasEntryView() const;

    // The page on paper: the print dialog, or the preview.
    void Print();
    void PrintPreview();

  protected:
    // Reads the page again for the view's present size; the selected line stays selected
    // when it is still shown.
    virtual void Refill() = 0;
    // The size the page was laid out at: the window's, or more when it is too small.
    virtual QSize PageSize() const = 0;
    // "+N more" was clicked (or chosen with Enter): where the day's lines are shown in full.
    virtual void ShowMore(const PageItem& more) = 0;
    virtual void DrawPage(QPainter& painter) const = 0;
    // -1 the month or week before, +1 the one after.
    virtual void Step(int direction) = 0;
    // The menu of the selected line, or of the empty place at `at` (null for none).
    virtual std::unique_ptr<QMenu> MakeMenu(const QPoint& at, bool onLine) = 0;
    // Enter or a double click on the selected line.
    virtual void Activate() = 0;
    // A double click where there is no line.
    virtual void DoubleClickedAt(const QPoint&) {}
    // Home and End: the first and last line.
    virtual void JumpToEnd(bool end);
    // The page as it goes on paper.
    virtual std::unique_ptr<CPagePrintout> MakePrintout() const = 0;

    // The lines to show; the selected line stays selected when it is among them.
    void SetItems(std::vector<PageItem> items);
    void SelectItem(PageItem::Kind kind, RowId id);
    // The menu of a selected workout: open, edit, duplicate, delete, and the other view.
    std::unique_ptr<QMenu> MakeEntryMenu(const QString& otherView, WindowKind other);
    std::optional<CommandState> SharedStatus(Command cmd) const;
    bool RunShared(Command cmd);

    // The page's size in the window's, as wide and high as the window can show.
    int AreaWidth() const;
    int AreaHeight() const;
    // A point of the window in the page's pixels, and back.
    QPoint ToPage(const QPoint& viewportPoint) const;
    QPoint ToWindow(const QPoint& pagePoint) const;
    // After a refill: the scroll bars as the page's size asks.
    void PageLaidOut();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    CTamselDoc& doc_;
    PageFonts fonts_;

  private:
    void ShowMenu(const QPoint& at, bool onLine);
    void EnsureVisible(int index);

    DrawnItems drawn_;
    int selected_ = -1;
    WheelSteps wheel_;
};

}  // namespace kivrun
