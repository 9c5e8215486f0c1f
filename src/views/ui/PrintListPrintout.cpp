#include "views/ui/PrintListPrintout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>

#include "values/TextEncoding.h"

namespace kivrun {
namespace {

// The print font: its character cell PrintListLayout::kFontHeight units high.
QFont ListFont() {
    QFont font = PaperFont(QStringLiteral("Arial"), PrintListLayout::kFontHeight);
    const double cell = QFontMetricsF(font).height();
    if (cell > 0)
        font.setPixelSize(std::max(
            1, qRound(PrintListLayout::kFontHeight * PrintListLayout::kFontHeight / cell)));
    return font;
}

}  // namespace

CPrintListPrintout::CPrintListPrintout(std::shared_ptr<const PrintListSource> source, QString title)
    : source_(std::move(source)), title_(std::move(title)), font_(ListFont()) {}

bool CPrintListPrintout::Layout(const GPage& page, const GProgress& progress) {
    const QFontMetricsF metrics(font_);
    const QSize units = page.Units();
    PrintListLayout::Metrics m;
    m.pageWidth = units.width();
    m.pageHeight = units.height();
    m.charHeight = qRound(metrics.height());
    m.averageCharWidth = std::max(1, qRound(metrics.averageCharWidth()));
    m.measure = [metrics](std::u16string_view text) {
        return qCeil(metrics.horizontalAdvance(PaperString(text)));
    };
    return layout_.Layout(*source_, m, progress);
}

QRect CPrintListPrintout::CellRect(std::size_t column, int top) const {
    int x = layout_.Margin();
    const auto& columns = layout_.Columns();
    for (std::size_t c = 0; c < column && c < columns.size(); ++c)
        x += columns[c].width;
    const int inset = PrintListLayout::kCellInset;
    return QRect(x + inset, top, std::max(0, columns[column].width - 2 * inset),
                 layout_.LineHeight());
}

void CPrintListPrintout::PaintPage(QPainter& painter, const QRect& pageRect, int page) const {
    const PrintListLayout::Metrics& m = layout_.metrics();
    if (m.pageWidth <= 0 || m.pageHeight <= 0) return;
    const PaperPainter paper(painter, pageRect, QSize(m.pageWidth, m.pageHeight));
    painter.fillRect(QRect(0, 0, m.pageWidth, m.pageHeight), Qt::white);
    painter.setFont(font_);
    PaintHeader(painter);
    PaintRows(painter, page);
    PaintFooter(painter, page);
}

void CPrintListPrintout::PaintHeader(QPainter& painter) const {
    const auto& columns = layout_.Columns();
    painter.setPen(Qt::black);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        QRect title = CellRect(c, PrintListLayout::kTitleTop);
        title.setHeight(layout_.metrics().charHeight);
        painter.drawText(
            title, PaperAlignment(columns[c].alignment) | Qt::TextSingleLine | Qt::TextDontClip,
            QString::fromStdString(columns[c].title));
    }
    const int rule = layout_.TitleRuleY();
    painter.drawLine(layout_.Margin(), rule, layout_.Margin() + layout_.PrintableWidth(), rule);
}

void CPrintListPrintout::PaintRows(QPainter& painter, int page) const {
    const auto& columns = layout_.Columns();
    const int lineHeight = layout_.LineHeight();
    int y = layout_.RowsTop();
    for (long row = layout_.FirstRow(page); row < layout_.EndRow(page); ++row) {
        const int lines = layout_.LinesOf(row);
        const Rgb back = source_->RowBackground(row);
        painter.fillRect(QRect(layout_.Margin(), y, layout_.PrintableWidth(), lines * lineHeight),
                         QColor(back.r, back.g, back.b));
        painter.setPen(Qt::black);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const std::vector<std::u16string> cellLines =
                layout_.CellLines(c, Utf8ToUtf16(source_->CellText(row, c)));
            const QRect first = CellRect(c, y);
            for (std::size_t k = 0; k < cellLines.size(); ++k)
                painter.drawText(
                    first.translated(0, static_cast<int>(k) * lineHeight),
                    PaperAlignment(columns[c].alignment) | Qt::AlignVCenter | Qt::TextSingleLine,
                    PaperString(cellLines[k]));
        }
        y += lines * lineHeight;
    }
}

void CPrintListPrintout::PaintFooter(QPainter& painter, int page) const {
    if (page + 1 > PageCount()) return;
    const PrintListLayout::Metrics& m = layout_.metrics();
    const int top = layout_.FooterTop();
    const int left = layout_.Margin();
    const int width = layout_.PrintableWidth();
    painter.setPen(Qt::black);
    painter.drawLine(left, top, left + width, top);
    const QRect text(left, top + 10, width, m.pageHeight - top - 10);
    painter.fillRect(text, Qt::white);
    painter.drawText(text, Qt::AlignCenter | Qt::TextSingleLine,
                     QString::fromStdString(paper::FooterText(page + 1, PageCount())));
}

}  // namespace kivrun
