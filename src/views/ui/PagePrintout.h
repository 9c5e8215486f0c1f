#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

#include "entries/Date.h"
#include "views/CalendarPage.h"
#include "views/WeekPage.h"
#include "views/ui/PageDrawing.h"

class QPainter;
class QPrinter;
class QWidget;

namespace kivrun {

class CTamselDoc;
class UserInterface;

// A month or a week on one page of paper. The page is laid out as the view would be at the
// view's width and the paper's proportions, then scaled onto the paper.
class CPagePrintout {
  public:
    virtual ~CPagePrintout() = default;
    // The job's name, and the title of its dialogs.
    virtual QString Title() const = 0;
    // Reads the page from the log for paper of that size (in the device's pixels).
    virtual void Layout(QSize pagePixels) = 0;
    // Paints the page into pageRect of the painter's device.
    virtual void PaintPage(QPainter& painter, const QRect& pageRect) const = 0;

  protected:
    // The view's width (a usual one when the view is too narrow to show anything) and the
    // height that gives it the paper's proportions.
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
    void Layout(QSize pagePixels) override;
    void PaintPage(QPainter& painter, const QRect& pageRect) const override;

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
    void Layout(QSize pagePixels) override;
    void PaintPage(QPainter& painter, const QRect& pageRect) const override;

  private:
    CTamselDoc& doc_;
    CDate weekStart_;
    int viewWidth_;
    QSize logical_;
    std::optional<WeekPage> page_;
    DrawnItems drawn_;
};

// Runs a page printout through Qt's printer: print with its dialog, preview, or a PDF.
class CPagePrinter {
  public:
    // Shows the print dialog, then prints; a failure is told through ui.
    static void Print(QWidget* parent, CPagePrintout& printout, UserInterface& ui);
    static void Preview(QWidget* parent, CPagePrintout& printout);
    // Empty when the PDF was written, else why not.
    static QString PrintToPdf(CPagePrintout& printout, const QString& path);
    // The one page onto a printer that is set up already; false when it would not start.
    static bool PrintTo(QPrinter& printer, CPagePrintout& printout);

  private:
    static QPrinter& Printer();
};

}  // namespace kivrun
