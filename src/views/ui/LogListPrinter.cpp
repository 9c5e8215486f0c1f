#include "views/ui/LogListPrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QSvgRenderer>
#include <QtMath>
#include <algorithm>
#include <array>
#include <optional>

#include "controls/SportIcons.h"
#include "controls/ui/SportIconSet.h"
#include "document/TamselDoc.h"
#include "print/ui/PaperCanvas.h"
#include "store/EntryReader.h"
#include "views/LogListCells.h"
#include "views/PrintTitle.h"
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

// The sport icons as drawings, loaded once for every page.
QSvgRenderer& PaperIcon(int image) {
    static std::array<std::unique_ptr<QSvgRenderer>, controls::kSportIconCount> drawings;
    auto& svg = drawings[static_cast<std::size_t>(controls::ValidSportIcon(image))];
    if (!svg) {
        SportIcon(image);  // makes sure the drawings are loaded
        svg = std::make_unique<QSvgRenderer>(SportIconPath(controls::ValidSportIcon(image)));
    }
    return *svg;
}

}  // namespace

CLogListPrinter::CLogListPrinter(const CLogListModel& model) : model_(model) {
    font_ = PaperFont(QStringLiteral("Arial"), PaperUnits(kTextPoints));
    headingFont_ = font_;
    headingFont_.setBold(true);
}

CLogListPrinter::~CLogListPrinter() = default;

std::unique_ptr<GPrintout> CLogListPrinter::ForLog(CTamselDoc& doc) {
    auto model = std::make_unique<CLogListModel>(doc);
    model->SetColumns(doc.Columns());
    return std::make_unique<LogPrintout>(std::move(model));
}

bool CLogListPrinter::Layout(const GPage& page, const GProgress& progress) {
    const QFontMetricsF metrics(font_);
    widths_ = std::make_unique<CharWidths>(font_);
    headingWidths_ = std::make_unique<CharWidths>(headingFont_);
    ascent_ = qCeil(metrics.ascent());
    textHeight_ = metrics.ascent() + metrics.descent();
    const QSize units = page.Units();
    CTamselDoc& doc = model_.Document();
    titleLine_ =
        QString::fromStdString(LogPrintTitle(doc.PathName(), doc.Filter(), doc.GetCatalog()));

    Paper::Metrics m;
    m.pageWidth = units.width();
    m.pageHeight = units.height();
    m.lineHeight = qCeil(metrics.height()) + 2 * kLinePadding;
    m.averageCharWidth = std::max(1, qCeil(metrics.averageCharWidth()));
    m.titleHeight = m.lineHeight + 2 * kLinePadding;
    m.headingHeight = m.lineHeight + 2 * kLinePadding;
    m.cellMargin = kCellMargin;
    m.measure = widths_->Measure();

    // Every row in one walk of the log, in one read transaction.
    std::optional<EntryReader> reader;
    try {
        reader.emplace(doc.ReadEntries());
    } catch (const std::exception&) {
        // A log that cannot be read prints its headings over no rows.
    }
    const auto next = [&reader](EntryRow& row) {
        if (!reader) return false;
        try {
            return reader->Next(row);
        } catch (const std::exception&) {
            reader.reset();
            return false;
        }
    };
    const long rows = model_.rowCount();
    return layout_.Layout(
        model_.Columns(), m, model_.Cells(), rows, next,
        [&progress](long done, long total) { return !progress || progress(done, total); });
}

void CLogListPrinter::PaintPage(QPainter& painter, const QRect& pageRect, int page) const {
    const Paper::Metrics& m = layout_.metrics();
    if (m.pageWidth <= 0 || m.pageHeight <= 0) return;
    const PaperPainter paper(painter, pageRect, QSize(m.pageWidth, m.pageHeight));
    const std::vector<QFont> fonts = CanvasFonts();
    PainterCanvas canvas(painter, fonts);
    DrawPage(canvas, page);
}

std::vector<QFont> CLogListPrinter::CanvasFonts() const {
    // Every cell is text; a sport drawn as its icon is a picture.
    for (const ListColumn& column : layout_.Columns())
        if (column.id == LogListCells::kSport && column.format == 2) return {};
    return {font_, headingFont_};
}

void CLogListPrinter::DrawPage(PaperCanvas& canvas, int page) const {
    const Paper::Metrics& m = layout_.metrics();
    if (m.pageWidth <= 0 || m.pageHeight <= 0) return;
    canvas.Fill(QRect(0, 0, m.pageWidth, m.pageHeight), Qt::white);
    DrawTitleAndHeadings(canvas);
    DrawRows(canvas, page);
    DrawFooter(canvas, page);
}

qreal CLogListPrinter::LineX(const QRect& cell, Qt::Alignment align, std::u16string_view text,
                             CharWidths& widths) const {
    if (!(align & (Qt::AlignRight | Qt::AlignHCenter))) return cell.left();
    const qreal width = widths.WidthF(text);
    return align & Qt::AlignRight ? cell.right() + 1 - width
                                  : cell.left() + (cell.width() - width) / 2;
}

qreal CLogListPrinter::Baseline(int top, int height) const {
    return top + (height - textHeight_) / 2 + ascent_;
}

void CLogListPrinter::DrawTitleAndHeadings(PaperCanvas& canvas) const {
    const Paper::Metrics& m = layout_.metrics();
    const auto& columns = layout_.Columns();
    const auto& widths = layout_.Widths();
    const std::u16string title = controls::ShortenToFit(titleLine_.toStdU16String(), m.pageWidth,
                                                        headingWidths_->Measure(), 0);
    canvas.Text(kHeadingFont, 0, Baseline(0, m.lineHeight), title, Qt::black);
    const int top = m.titleHeight;
    int x = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const QRect cell(x + m.cellMargin / 2, top, widths[i] - m.cellMargin, m.lineHeight);
        const std::u16string label = QString::fromStdString(columns[i].label).toStdU16String();
        canvas.Text(kHeadingFont,
                    LineX(cell, PaperAlignment(columns[i].justification), label, *headingWidths_),
                    Baseline(top, m.lineHeight), label, Qt::black);
        x += widths[i];
    }
    canvas.EndLine();
    canvas.HorizontalRule(0, std::min(x, m.pageWidth), top + m.lineHeight + kLinePadding,
                          kRuleWidth);
}

void CLogListPrinter::DrawRows(PaperCanvas& canvas, int page) const {
    const Paper::Metrics& m = layout_.metrics();
    const auto& columns = layout_.Columns();
    const auto& widths = layout_.Widths();
    int rowWidth = 0;
    for (int w : widths)
        rowWidth += w;
    rowWidth = std::min(rowWidth, m.pageWidth);
    const int baseline = kLinePadding + ascent_;
    int y = layout_.RowsTop();
    for (long row = layout_.FirstRow(page); row < layout_.EndRow(page); ++row) {
        const int lines = layout_.LinesOf(row);
        const LogListPageLayout::RowLook& look = layout_.Look(row);
        if (look.shaded)
            canvas.Fill(QRect(0, y, rowWidth, lines * m.lineHeight), ShadedBackground());
        const QColor color =
            look.color ? QColor(look.color->r, look.color->g, look.color->b) : QColor(Qt::black);
        for (int k = 0; k < lines; ++k) {
            const int top = y + k * m.lineHeight;
            int x = 0;
            for (std::size_t i = 0; i < columns.size(); ++i) {
                const ListColumn& column = columns[i];
                const QRect cell(x + m.cellMargin / 2, top, widths[i] - m.cellMargin, m.lineHeight);
                x += widths[i];
                const Qt::Alignment align = PaperAlignment(column.justification);
                if (column.id == LogListCells::kSport && column.format == 2) {
                    if (k > 0) continue;
                    const int side = m.lineHeight - 2 * kLinePadding;
                    const QRect place = QStyle::alignedRect(
                        Qt::LeftToRight, align | Qt::AlignVCenter, QSize(side, side), cell);
                    canvas.Picture(place, [image = look.image](QPainter& p, const QRect& box) {
                        PaperIcon(image).render(&p, box);
                    });
                    continue;
                }
                const std::vector<std::u16string_view> cellLines = layout_.CellLines(row, i);
                if (static_cast<std::size_t>(k) >= cellLines.size()) continue;
                const std::u16string_view text = cellLines[static_cast<std::size_t>(k)];
                canvas.Text(kRowFont, LineX(cell, align, text, *widths_), top + baseline, text,
                            color);
            }
            canvas.EndLine();
        }
        y += lines * m.lineHeight;
    }
}

void CLogListPrinter::DrawFooter(PaperCanvas& canvas, int page) const {
    const Paper::Metrics& m = layout_.metrics();
    const int line = m.pageHeight - Paper::kFooterLineAboveBottom;
    canvas.Fill(QRect(0, line, m.pageWidth, Paper::kFooterLineAboveBottom), Qt::white);
    canvas.HorizontalRule(0, m.pageWidth, line, kRuleWidth);
    const std::u16string footer =
        QString::fromStdString(paper::FooterText(page + 1, PageCount())).toStdU16String();
    canvas.Text(kRowFont, (m.pageWidth - widths_->WidthF(footer)) / 2,
                Baseline(line, Paper::kFooterLineAboveBottom), footer, Qt::black);
    canvas.EndLine();
}

}  // namespace kivrun
