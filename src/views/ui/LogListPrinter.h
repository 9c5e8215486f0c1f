#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <memory>
#include <string>
#include <vector>

#include "print/ui/CharWidths.h"
#include "print/ui/GPrintout.h"
#include "views/LogListPageLayout.h"

class QPainter;

namespace kivrun {

class CLogListModel;
class CTamselDoc;

// Paints the log list on paper, page by page, as the page layout decides: a title line with
// the log and its filter, the column headings, the rows with their week shading and class
// colours, Route and Notes wrapped, and the footer line with "Page n of m". The rows are
// read once, in one walk, when the pages are laid out; painting a page reads nothing.
class CLogListPrinter : public GPrintout {
  public:
    // Week shading on paper.
    static QColor ShadedBackground() { return QColor(180, 180, 180); }

    explicit CLogListPrinter(const CLogListModel& model);
    ~CLogListPrinter() override;
    // The log list of an open log as the log window shows it, without a window.
    static std::unique_ptr<GPrintout> ForLog(CTamselDoc& doc);

    QString Title() const override { return QStringLiteral("Training Log"); }
    bool Layout(const GPage& page, const GProgress& progress = {}) override;
    int PageCount() const override { return layout_.PageCount(); }
    void PaintPage(QPainter& painter, const QRect& pageRect, int page) const override;
    std::vector<QFont> CanvasFonts() const override;
    void DrawPage(PaperCanvas& canvas, int page) const override;
    const LogListPageLayout& PageLayout() const { return layout_; }
    // The title line: the log's name and its filter in words.
    const QString& TitleLine() const { return titleLine_; }

  private:
    static constexpr int kRowFont = 0, kHeadingFont = 1;  // in CanvasFonts
    void DrawTitleAndHeadings(PaperCanvas& canvas) const;
    void DrawRows(PaperCanvas& canvas, int page) const;
    void DrawFooter(PaperCanvas& canvas, int page) const;
    // Where a line of a cell starts, at the cell's alignment.
    qreal LineX(const QRect& cell, Qt::Alignment align, std::u16string_view text,
                CharWidths& widths) const;
    // The base line of a line of text centred in a box.
    qreal Baseline(int top, int height) const;

    const CLogListModel& model_;
    QFont font_;
    QFont headingFont_;
    std::unique_ptr<CharWidths> widths_;
    std::unique_ptr<CharWidths> headingWidths_;
    QString titleLine_;
    int ascent_ = 0;
    qreal textHeight_ = 0;
    LogListPageLayout layout_;
};

}  // namespace kivrun
