#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

#include "print/ui/GPrintout.h"
#include "values/Date.h"
#include "views/CalendarPage.h"
#include "views/WeekPage.h"
#include "views/ui/PageDrawing.h"

class QPainter;

namespace kivrun {

class CTamselDoc;

// A month or a week on one page of paper. The page is laid out as the view would be at the
// view's width and the paper's proportions, then scaled onto the paper.
class CPagePrintout : public GPrintout {
  public:
    bool Layout(const GPage& page, const GProgress& progress) override;
    int PageCount() const override { return 1; }
    void PaintPage(QPainter& painter, const QRect& pageRect, int page) const override;

  protected:
    // Reads the page from the log for paper of that size (in the device's pixels).
    virtual void LayoutFor(QSize pagePixels) = 0;
    virtual void Paint(QPainter& painter, const QRect& pageRect) const = 0;

    // The view's width (a usual one without a view) and the height that gives it the
    // paper's proportions.
    static QSize LogicalSize(int viewWidth, QSize pagePixels);
    // Scales the logical page onto pageRect, on white, for as long as the painter is saved.
    static void BeginPage(QPainter& painter, const QRect& pageRect, QSize logical);

    PageFonts fonts_ = PaperFonts();

  private:
    static PageFonts PaperFonts();
};

class CCalendarPrintout : public CPagePrintout {
  public:
    // The grid lies this far below the top of the paper.
    static constexpr int kTopOffset = 50;

    CCalendarPrintout(CTamselDoc& doc, const CDate& shown, int viewWidth);
    QString Title() const override;

  protected:
    void LayoutFor(QSize pagePixels) override;
    void Paint(QPainter& painter, const QRect& pageRect) const override;

  private:
    CTamselDoc& doc_;
    CDate shown_;
    int viewWidth_;
    QSize logical_;
    std::optional<CalendarPage> page_;
    DrawnItems drawn_;
};

class CWeekPrintout : public CPagePrintout {
  public:
    CWeekPrintout(CTamselDoc& doc, const CDate& weekStart, int viewWidth);
    QString Title() const override;

  protected:
    void LayoutFor(QSize pagePixels) override;
    void Paint(QPainter& painter, const QRect& pageRect) const override;

  private:
    CTamselDoc& doc_;
    CDate weekStart_;
    int viewWidth_;
    QSize logical_;
    std::optional<WeekPage> page_;
    DrawnItems drawn_;
};

}  // namespace kivrun
