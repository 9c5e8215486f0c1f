#pragma once

#include <QFont>
#include <memory>

#include "print/ui/GPrintout.h"
#include "views/PrintListLayout.h"

namespace kivrun {

// A printable list on paper: the column titles and a rule on every page, the rows in
// their colours with every cell wrapped, and the footer line with "Page n of m".
class CPrintListPrintout : public GPrintout {
  public:
    CPrintListPrintout(std::shared_ptr<const PrintListSource> source, QString title);

    QString Title() const override { return title_; }
    bool Layout(const GPage& page, const GProgress& progress = {}) override;
    int PageCount() const override { return layout_.PageCount(); }
    void PaintPage(QPainter& painter, const QRect& pageRect, int page) const override;
    const PrintListLayout& PageLayout() const { return layout_; }

  private:
    void PaintHeader(QPainter& painter) const;
    void PaintRows(QPainter& painter, int page) const;
    void PaintFooter(QPainter& painter, int page) const;
    QRect CellRect(std::size_t column, int top) const;

    std::shared_ptr<const PrintListSource> source_;
    QString title_;
    QFont font_;
    PrintListLayout layout_;
};

}  // namespace kivrun
