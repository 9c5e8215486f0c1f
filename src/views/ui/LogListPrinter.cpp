#include "views/ui/LogListPrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QSvgRenderer>
#include <QtMath>
#include <algorithm>

#include "controls/SportIcons.h"
#include "controls/ui/SportIconSet.h"
#include "document/TamselDoc.h"
#include "store/EntryReader.h"
#include "views/LogListCells.h"
#include "views/ui/LogListModel.h"

namespace kivrun {
namespace {

using Paper = LogListPageLayout;

// Printed text is 9 points; a line leaves a little room above and below it.
constexpr double kTextPoints = 9.0;
const int kLinePadding = PaperUnits(1.0);
const int kCellMargin = PaperUnits(4.0);  // both sides of a cell together
const int kRuleWidth = PaperUnits(0.5);

// A printout that owns the model it prints from.
class LogPrintout : public CLogListPrinter {
  public:
    explicit LogPrintout(std::unique_ptr<CLogListModel> model)
        : CLogListPrinter(*model), owned_(std::move(model)) {}

  private:
    std::unique_ptr<CLogListModel> owned_;
};

}  // namespace

CLogListPrinter::CLogListPrinter(const CLogListModel& model) : model_(model) {
    font_ = PaperFont(QStringLiteral("Arial"), PaperUnits(kTextPoints));
    headingFont_ = font_;
    headingFont_.setBold(true);
}

std::unique_ptr<GPrintout> CLogListPrinter::ForLog(CTamselDoc& doc) {
    auto model = std::make_unique<CLogListModel>(doc);
    model->SetColumns(doc.Columns());
    return std::make_unique<LogPrintout>(std::move(model));
}

void CLogListPrinter::ReadRows(long first, long end,
                               const std::function<bool(long, const EntryRow&)>& use) const {
    if (first == 0 && end >= model_.rowCount()) {
        // The whole list streams from the log in one walk.
        try {
            EntryReader reader = model_.Document().ReadEntries();
            EntryRow entry;
            for (long row = 0; row < end && reader.Next(entry); ++row)
                if (!use(row, entry)) return;
        } catch (const std::exception&) {
            // Rows that could not be read keep their room, as below.
        }
        return;
    }
    for (long row = first; row < end; ++row)
        if (const std::optional<EntryRow> entry = model_.Entry(static_cast<int>(row)))
            if (!use(row, *entry)) return;
}

bool CLogListPrinter::Layout(const GPage& page, const GProgress& progress) {
    const QFontMetricsF metrics(font_);
    const QSize units = page.Units();
    Paper::Metrics m;
    m.pageWidth = units.width();
    m.pageHeight = units.height();
    m.lineHeight = qCeil(metrics.height()) + 2 * kLinePadding;
    m.averageCharWidth = std::max(1, qCeil(metrics.averageCharWidth()));
    m.headingHeight = m.lineHeight + 2 * kLinePadding;
    m.cellMargin = kCellMargin;
    m.measure = [metrics](std::u16string_view text) {
        return qCeil(metrics.horizontalAdvance(PaperString(text)));
    };
    // Route and Notes of every row, read in one pass.
    const long rows = model_.rowCount();
    std::vector<std::pair<std::u16string, std::u16string>> texts(static_cast<std::size_t>(rows));
    bool cancelled = false;
    ReadRows(0, rows, [&](long row, const EntryRow& entry) {
        if (progress && row % 256 == 0 && !progress(row, rows)) {
            cancelled = true;
            return false;
        }
        texts[static_cast<std::size_t>(row)] = {
            QString::fromStdString(entry.route).toStdU16String(),
            QString::fromStdString(entry.notes).toStdU16String()};
        return true;
    });
    if (cancelled) return false;
    layout_.Layout(model_.Columns(), m, rows,
                   [&texts](long row) { return std::move(texts[static_cast<std::size_t>(row)]); });
    return true;
}

void CLogListPrinter::PaintPage(QPainter& painter, const QRect& pageRect, int page) const {
    const Paper::Metrics& m = layout_.metrics();
    if (m.pageWidth <= 0 || m.pageHeight <= 0) return;
    const PaperPainter paper(painter, pageRect, QSize(m.pageWidth, m.pageHeight));
    painter.fillRect(QRect(0, 0, m.pageWidth, m.pageHeight), Qt::white);
    PaintHeadings(painter);
    PaintRows(painter, page);
    PaintFooter(painter, page);
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
        painter.drawText(cell, PaperAlignment(columns[i].justification) | Qt::AlignVCenter,
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
    const long first = layout_.FirstRow(page);
    int y = m.headingHeight;
    long next = first;  // rows that could not be read keep their room
    ReadRows(first, layout_.EndRow(page), [&](long row, const EntryRow& entry) {
        for (; next < row; ++next)
            y += layout_.LinesOf(next) * m.lineHeight;
        const int lines = layout_.LinesOf(row);
        if (entry.background == 1)
            painter.fillRect(QRect(0, y, rowWidth, lines * m.lineHeight), ShadedBackground());
        const std::optional<Rgb> color = model_.Cells().ClassColor(entry.cls);
        painter.setPen(color ? QColor(color->r, color->g, color->b) : QColor(Qt::black));
        int x = 0;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const ListColumn& column = columns[i];
            const QRect cell(x + m.cellMargin / 2, y, widths[i] - m.cellMargin, m.lineHeight);
            const Qt::Alignment align = PaperAlignment(column.justification) | Qt::AlignVCenter;
            if (column.id == LogListCells::kSport && column.format == 2) {
                const int side = m.lineHeight - 2 * kLinePadding;
                const QRect place =
                    QStyle::alignedRect(Qt::LeftToRight, align, QSize(side, side), cell);
                const int icon = controls::ValidSportIcon(model_.Cells().SportImage(entry.sport));
                QSvgRenderer(SportIconPath(icon)).render(&painter, place);
            } else {
                const std::u16string text = model_.CellText(entry, column).toStdU16String();
                const std::vector<std::u16string> cellLines = layout_.CellLines(i, text);
                for (std::size_t k = 0; k < cellLines.size(); ++k)
                    painter.drawText(cell.translated(0, static_cast<int>(k) * m.lineHeight),
                                     align | Qt::TextSingleLine, PaperString(cellLines[k]));
            }
            x += widths[i];
        }
        return true;
    });
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

}  // namespace kivrun
