#include "print/ui/GPrintUnit.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>

namespace kivrun {
namespace {

Qt::Alignment AlignmentOf(int flags) {
    if (flags & GPrintUnit::kRight) return Qt::AlignRight;
    if (flags & GPrintUnit::kCenter) return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

}  // namespace

void GPrintUnit::DefineColumn(int set, int index, const QString& title, double fraction, int flags,
                              int spacing) {
    sets_[set][index] = Column{title, fraction, flags, spacing};
}

void GPrintUnit::SetMargins(int left, int top, int right, int bottom) {
    left_ = left;
    top_ = top;
    right_ = right;
    bottom_ = bottom;
}

void GPrintUnit::SetCellPadding(int horizontal, int vertical) {
    padX_ = horizontal;
    padY_ = vertical;
}

void GPrintUnit::SetFonts(const QFont& heading, const QFont& titles, const QFont& rows) {
    headingFont_ = heading;
    titleFont_ = titles;
    rowFont_ = rows;
}

int GPrintUnit::TextWidth(const QString& text, const QFont& font) const {
    return qCeil(QFontMetricsF(font).horizontalAdvance(text));
}

int GPrintUnit::CharHeight(const QFont& font) const {
    return qCeil(QFontMetricsF(font).height());
}

std::vector<double> GPrintUnit::Fractions(int set) const {
    std::vector<double> fractions;
    if (auto it = sets_.find(set); it != sets_.end())
        for (const auto& [index, column] : it->second)
            fractions.push_back(column.fraction);
    return fractions;
}

PrintUnitLayout::Span GPrintUnit::ColumnSpan(int set, int index) const {
    const auto spans =
        PrintUnitLayout::ColumnSpans(Fractions(set), left_, layout_.PrintableWidth());
    auto it = sets_.find(set);
    if (it == sets_.end()) return {};
    std::size_t i = 0;
    for (const auto& entry : it->second) {
        if (entry.first == index) return spans[i];
        ++i;
    }
    return {};
}

bool GPrintUnit::Layout(const GPage& page, const GProgress&) {
    sets_.clear();
    headingHeight_ = -1;
    SetUp();
    units_ = page.Units();
    bool titled = false;
    if (auto it = sets_.find(0); it != sets_.end())
        for (const auto& entry : it->second)
            titled = titled || !entry.second.title.isEmpty();
    PrintUnitLayout::Metrics m;
    m.pageWidth = units_.width();
    m.pageHeight = units_.height();
    m.left = left_;
    m.top = top_;
    m.right = right_;
    m.bottom = bottom_;
    m.headingHeight = headingHeight_ >= 0 ? headingHeight_ : CharHeight(headingFont_);
    m.titleHeight = titled ? CharHeight(titleFont_) + 2 * padY_ : 0;
    m.rowHeight = CharHeight(rowFont_) + 2 * padY_;
    layout_.Layout(m, RowCount());
    return true;
}

void GPrintUnit::PaintCells(QPainter& painter, int set, const QStringList& texts, int top,
                            int height, const QFont& font) const {
    auto it = sets_.find(set);
    if (it == sets_.end()) return;
    const auto spans =
        PrintUnitLayout::ColumnSpans(Fractions(set), left_, layout_.PrintableWidth());
    std::size_t i = 0;
    for (const auto& [index, column] : it->second) {
        const QString text = i < static_cast<std::size_t>(texts.size())
                                 ? texts[static_cast<qsizetype>(i)]
                                 : QString();
        const PrintUnitLayout::Span span = spans[i++];
        const int inset = padX_ + column.spacing;
        const QRect cell(span.x + inset, top + padY_, std::max(0, span.width - 2 * inset),
                         std::max(0, height - 2 * padY_));
        QFont cellFont = font;
        if (column.flags & kBold) cellFont.setBold(true);
        painter.setFont(cellFont);
        const QString shown =
            QFontMetricsF(cellFont).elidedText(text, Qt::ElideRight, cell.width());
        painter.drawText(cell, AlignmentOf(column.flags) | Qt::AlignVCenter | Qt::TextSingleLine,
                         shown);
    }
}

void GPrintUnit::PaintPage(QPainter& painter, const QRect& pageRect, int page) const {
    const PaperPainter paper(painter, pageRect, units_);
    const PrintUnitLayout::Metrics& m = layout_.metrics();
    painter.fillRect(QRect(QPoint(0, 0), units_), Qt::white);
    painter.setPen(Qt::black);
    if (const QString heading = HeadingText(page); !heading.isEmpty()) {
        painter.setFont(headingFont_);
        painter.drawText(
            QRect(left_, layout_.HeadingTop(), layout_.PrintableWidth(), m.headingHeight),
            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, heading);
    }
    if (m.titleHeight > 0) {
        QStringList titles;
        if (auto it = sets_.find(0); it != sets_.end())
            for (const auto& entry : it->second)
                titles << entry.second.title;
        // Titles are in their own font, bold or not as it says.
        PaintCells(painter, 0, titles, layout_.TitlesTop(), m.titleHeight, titleFont_);
    }
    for (long row = layout_.FirstRow(page); row < layout_.EndRow(page); ++row) {
        const int r = static_cast<int>(row);
        PaintCells(painter, RowColumnSet(r), RowTexts(r), layout_.RowTop(row), m.rowHeight,
                   rowFont_);
    }
}

}  // namespace kivrun
