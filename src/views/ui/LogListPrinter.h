#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <functional>
#include <memory>

#include "print/ui/GPrintout.h"
#include "views/LogListPageLayout.h"

class QPainter;

namespace kivrun {

class CLogListModel;
class CTamselDoc;
struct EntryRow;

// Paints the log list on paper, page by page, as the page layout decides: the column
// headings, the rows with their week shading and class colours, Route and Notes wrapped,
// and the footer line with "Page n of m".
class CLogListPrinter : public GPrintout {
  public:
    // Week shading on paper.
    static QColor ShadedBackground() { return QColor(180, 180, 180); }

    explicit CLogListPrinter(const CLogListModel& model);
    // The log list of an open log as the log window shows it, without a window.
    static std::unique_ptr<GPrintout> ForLog(CTamselDoc& doc);

    QString Title() const override { return QStringLiteral("Training Log"); }
    bool Layout(const GPage& page, const GProgress& progress = {}) override;
    int PageCount() const override { return layout_.PageCount(); }
    void PaintPage(QPainter& painter, const QRect& pageRect, int page) const override;
    const LogListPageLayout& PageLayout() const { return layout_; }

  private:
    // Hands the workouts at rows first to end, in order, to use until it says stop: the
    // one place the printout reads the log.
    void ReadRows(long first, long end,
                  const std::function<bool(long row, const EntryRow& entry)>& use) const;
    void PaintHeadings(QPainter& painter) const;
    void PaintRows(QPainter& painter, int page) const;
    void PaintFooter(QPainter& painter, int page) const;

    const CLogListModel& model_;
    QFont font_;
    QFont headingFont_;
    LogListPageLayout layout_;
};

}  // namespace kivrun
