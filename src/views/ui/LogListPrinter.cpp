#include "views/ui/LogListPrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QStyle>
#include <QSvgRenderer>
#include <QtMath>
#include <algorithm>

#include "controls/SportIcons.h"
#include "controls/ui/SportIconSet.h"
#include "views/ui/LogListModel.h"

namespace kivrun {
namespace {

using Paper = LogListPageLayout;

int Units(double points) {
    return qRound(points * Paper::kUnitsPerInch / 72.0);
}

// Printed text is 9 points; a line leaves a little room above and below it.
constexpr double kTextPoints = 9.0;
const int kLinePadding = Units(1.0);
const int kCellMargin = Units(4.0);  // both sides of a cell together
const int kRuleWidth = Units(0.5);

QString ToQString(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

Qt::Alignment AlignmentOf(int justification) {
    switch (justification) {
        case 1:
            return Qt::AlignRight;
        case 2:
            return Qt::AlignHCenter;
        default:
            return Qt::AlignLeft;
    }
}

}  // namespace

CLogListPrinter::CLogListPrinter(const CLogListModel& model) : model_(model) {
    font_ = QFont(QStringLiteral("Arial"));
    font_.setPixelSize(Units(kTextPoints));
    // Unhinted, so that text is as wide on paper as it was measured.
    font_.setHintingPreference(QFont::PreferNoHinting);
    headingFont_ = font_;
    headingFont_.setBold(true);
}

void CLogListPrinter::Layout(QSize pagePixels, int dotsPerInch) {
    const double toUnits = static_cast<double>(Paper::kUnitsPerInch) / std::max(1, dotsPerInch);
    const QFontMetricsF metrics(font_);
    Paper::Metrics m;
    m.pageWidth = static_cast<int>(pagePixels.width() * toUnits);
    m.pageHeight = static_cast<int>(pagePixels.height() * toUnits);
    m.lineHeight = qCeil(metrics.height()) + 2 * kLinePadding;
    m.averageCharWidth = std::max(1, qCeil(metrics.averageCharWidth()));
    m.headingHeight = m.lineHeight + 2 * kLinePadding;
    m.cellMargin = kCellMargin;
    m.measure = [metrics](std::u16string_view text) {
        return qCeil(metrics.horizontalAdvance(ToQString(text)));
    };
    layout_.Layout(model_.Columns(), m, model_.rowCount(), [this](long row) {
        const std::optional<EntryRow> entry = model_.Entry(static_cast<int>(row));
        if (!entry) return std::pair<std::u16string, std::u16string>();
        return std::make_pair(QString::fromStdString(entry->route).toStdU16String(),
                              QString::fromStdString(entry->notes).toStdU16String());
    });
}

void CLogListPrinter::PaintPage(QPainter& painter, const QRect& pageRect, int page) const {
    const Paper::Metrics& m = layout_.metrics();
    if (m.pageWidth <= 0 || m.pageHeight <= 0) return;
    painter.save();
    painter.translate(pageRect.topLeft());
    painter.scale(static_cast<double>(pageRect.width()) / m.pageWidth,
                  static_cast<double>(pageRect.height()) / m.pageHeight);
    painter.fillRect(QRect(0, 0, m.pageWidth, m.pageHeight), Qt::white);
    PaintHeadings(painter);
    PaintRows(painter, page);
    PaintFooter(painter, page);
    painter.restore();
}

void CLogListPrinter::PaintHeadings(QPainter& painter) const {
    const Paper::Metrics& m = layout_.metrics();
    const auto& columns = layout_.Columns();
    const auto& widths = layout_.Widths();
    painter.setFont(headingFont_);
    painter.setPen(Qt::black);
    int x = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const QRect cell(x + m.cellMargin / 2, 0, widths[i] - m.cellMargin, m.lineHeight);
        painter.drawText(cell, AlignmentOf(columns[i].justification) | Qt::AlignVCenter,
                         QString::fromStdString(columns[i].label));
        x += widths[i];
    }
    const int rule = m.lineHeight + kLinePadding;
    painter.setPen(QPen(Qt::black, kRuleWidth));
    painter.drawLine(0, rule, std::min(x, m.pageWidth), rule);
}

void CLogListPrinter::PaintRows(QPainter& painter, int page) const {
    const Paper::Metrics& m = layout_.metrics();
    const auto& columns = layout_.Columns();
    const auto& widths = layout_.Widths();
    int rowWidth = 0;
    for (int w : widths)
        rowWidth += w;
    rowWidth = std::min(rowWidth, m.pageWidth);
    painter.setFont(font_);
    int y = m.headingHeight;
    for (long row = layout_.FirstRow(page); row < layout_.EndRow(page); ++row) {
        const std::optional<EntryRow> entry = model_.Entry(static_cast<int>(row));
        const int lines = layout_.LinesOf(row);
        if (!entry) {
            y += lines * m.lineHeight;
            continue;
        }
        if (entry->background == 1)
            painter.fillRect(QRect(0, y, rowWidth, lines * m.lineHeight), ShadedBackground());
        const std::optional<Rgb> color = model_.Cells().ClassColor(entry->cls);
        painter.setPen(color ? QColor(color->r, color->g, color->b) : QColor(Qt::black));
        int x = 0;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const ListColumn& column = columns[i];
            const QRect first(x + m.cellMargin / 2, y, widths[i] - m.cellMargin, m.lineHeight);
            const Qt::Alignment align = AlignmentOf(column.justification) | Qt::AlignVCenter;
            if (column.id == LogListCells::kSport && column.format == 2) {
                const int side = m.lineHeight - 2 * kLinePadding;
                const QRect place =
                    QStyle::alignedRect(Qt::LeftToRight, align, QSize(side, side), first);
                const int icon = controls::ValidSportIcon(model_.Cells().SportImage(entry->sport));
                QSvgRenderer(SportIconPath(icon)).render(&painter, place);
            } else {
                const std::u16string text = model_.CellText(*entry, column).toStdU16String();
                const std::vector<std::u16string> cellLines = layout_.CellLines(i, text);
                for (std::size_t k = 0; k < cellLines.size(); ++k)
                    painter.drawText(first.translated(0, static_cast<int>(k) * m.lineHeight),
                                     align | Qt::TextSingleLine, ToQString(cellLines[k]));
            }
            x += widths[i];
        }
        y += lines * m.lineHeight;
    }
}

void CLogListPrinter::PaintFooter(QPainter& painter, int page) const {
    const Paper::Metrics& m = layout_.metrics();
    const int line = m.pageHeight - Paper::kFooterLineAboveBottom;
    const QRect footer(0, line, m.pageWidth, Paper::kFooterLineAboveBottom);
    painter.fillRect(footer, Qt::white);
    painter.setPen(QPen(Qt::black, kRuleWidth));
    painter.drawLine(0, line, m.pageWidth, line);
    painter.setFont(font_);
    painter.drawText(footer, Qt::AlignCenter,
                     QString::fromStdString(paper::FooterText(page + 1, PageCount())));
}

bool CLogListPrinter::Print(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const int dpi = printer.resolution();
    // The painter starts at the top left of the printable area.
    const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(dpi).size());
    Layout(page.size(), dpi);
    int first = 0;
    int last = PageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        if (printer.toPage() > 0) last = std::min(last, printer.toPage() - 1);
    }
    for (int p = first; p <= last; ++p) {
        if (p != first) printer.newPage();
        PaintPage(painter, page, p);
    }
    painter.end();
    return true;
}

}  // namespace kivrun
