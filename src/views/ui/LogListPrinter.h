#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>

#include "views/LogListPageLayout.h"

class QPainter;
class QPrinter;

namespace kivrun {

class CLogListModel;

// Paints the log list on paper, page by page, as the page layout decides: the column
// headings, the rows with their week shading and class colours, Route and Notes wrapped,
// and the footer line with "Page n of m".
class CLogListPrinter {
  public:
    // Week shading on paper.
    static QColor ShadedBackground() { return QColor(180, 180, 180); }

    explicit CLogListPrinter(const CLogListModel& model);

    // Lays the list out on pages of that size, in pixels of a device of that resolution.
    void Layout(QSize pagePixels, int dotsPerInch);
    int PageCount() const { return layout_.PageCount(); }
    const LogListPageLayout& PageLayout() const { return layout_; }
    // Paints a page (0 for the first) into pageRect of the painter's device.
    void PaintPage(QPainter& painter, const QRect& pageRect, int page) const;
    // Lays out and prints every page, or the printer's page range; false when the printer
    // could not be started.
    bool Print(QPrinter& printer);

  private:
    void PaintHeadings(QPainter& painter) const;
    void PaintRows(QPainter& painter, int page) const;
    void PaintFooter(QPainter& painter, int page) const;

    const CLogListModel& model_;
    QFont font_;
    QFont headingFont_;
    LogListPageLayout layout_;
};

}  // namespace kivrun
