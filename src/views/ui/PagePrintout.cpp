#include "views/ui/PagePrintout.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <memory>

#include "app/TamselDoc.h"

namespace kivrun {
namespace {

// A page is laid out at this width when the view gives none that shows anything.
constexpr int kUsualWidth = 800;

}  // namespace

PageFonts CPagePrintout::PaperFonts() {
    PageFonts fonts;
    // Unhinted, so that text is as wide on paper as it was measured.
    fonts.regular.setHintingPreference(QFont::PreferNoHinting);
    fonts.bold.setHintingPreference(QFont::PreferNoHinting);
    return fonts;
}

QSize CPagePrintout::LogicalSize(int viewWidth, QSize pagePixels) {
    const int width = viewWidth >= CalendarGrid::kMinWidth ? viewWidth : kUsualWidth;
    if (pagePixels.width() <= 0 || pagePixels.height() <= 0) return {width, 0};
    const long long height =
        static_cast<long long>(width) * pagePixels.height() / pagePixels.width();
    return {width, static_cast<int>(height)};
}

void CPagePrintout::BeginPage(QPainter& painter, const QRect& pageRect, QSize logical) {
    painter.save();
    painter.fillRect(pageRect, Qt::white);
    painter.translate(pageRect.topLeft());
    if (logical.width() > 0 && logical.height() > 0)
        painter.scale(static_cast<double>(pageRect.width()) / logical.width(),
                      static_cast<double>(pageRect.height()) / logical.height());
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// --- The month ------------------------------------------------------------------------------

CCalendarPrintout::CCalendarPrintout(CTamselDoc& doc, const CDate& shown, int viewWidth)
    : doc_(doc), shown_(shown), viewWidth_(viewWidth) {}

QString CCalendarPrintout::Title() const {
    return QStringLiteral("Calendar");
}

void CCalendarPrintout::Layout(QSize pagePixels) {
    logical_ = LogicalSize(viewWidth_, pagePixels);
    // The whole grid below the top offset, whichever way the paper is turned.
    page_ = CalendarPage::Read(doc_, shown_, logical_.width(), logical_.height() - kTopOffset);
    drawn_ = DrawnItems::Fit(page_->items, fonts_.regular);
}

void CCalendarPrintout::PaintPage(QPainter& painter, const QRect& pageRect) const {
    if (!page_) return;
    BeginPage(painter, pageRect, logical_);
    painter.translate(0, kTopOffset);
    DrawCalendarPage(painter, page_->grid, fonts_);
    DrawItems(painter, drawn_, fonts_, -1, false, nullptr);
    painter.restore();
}

// --- The week ---------------------------------------------------------------------------------

CWeekPrintout::CWeekPrintout(CTamselDoc& doc, const CDate& weekStart, int viewWidth)
    : doc_(doc), weekStart_(weekStart), viewWidth_(viewWidth) {}

QString CWeekPrintout::Title() const {
    return QStringLiteral("Week");
}

void CWeekPrintout::Layout(QSize pagePixels) {
    logical_ = LogicalSize(viewWidth_, pagePixels);
    page_ = WeekPage::Read(doc_, weekStart_, logical_.width(), logical_.height());
    drawn_ = DrawnItems::Fit(page_->items, fonts_.regular);
}

void CWeekPrintout::PaintPage(QPainter& painter, const QRect& pageRect) const {
    if (!page_) return;
    BeginPage(painter, pageRect, logical_);
    DrawWeekPage(painter, *page_, fonts_, true);
    DrawItems(painter, drawn_, fonts_, -1, false, nullptr);
    painter.restore();
}

// --- Printing ---------------------------------------------------------------------------------

QPrinter& CPagePrinter::Printer() {
    // One for the session, so that what the print dialog chose holds for the next job.
    static std::unique_ptr<QPrinter> printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer;
}

bool CPagePrinter::PrintTo(QPrinter& printer, CPagePrintout& printout) {
    printer.setDocName(printout.Title());
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRect page(QPoint(0, 0),
                     printer.pageLayout().paintRectPixels(printer.resolution()).size());
    printout.Layout(page.size());
    printout.PaintPage(painter, page);
    return painter.end();
}

void CPagePrinter::Print(QWidget* parent, CPagePrintout& printout, UserInterface& ui) {
    QPrinter& printer = Printer();
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print ") + printout.Title());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted) return;
    WaitCursor wait(ui);
    if (!PrintTo(printer, printout))
        ui.ShowMessage("Unable to print the " + printout.Title().toLower().toStdString());
}

void CPagePrinter::Preview(QWidget* parent, CPagePrintout& printout) {
    QPrintPreviewDialog preview(&Printer(), parent);
    preview.setWindowTitle(QStringLiteral("Print Preview - ") + printout.Title());
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&printout](QPrinter* printer) { PrintTo(*printer, printout); });
    if (parent && parent->window()) preview.resize(parent->window()->size() * 8 / 10);
    preview.exec();
}

QString CPagePrinter::PrintToPdf(CPagePrintout& printout, const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    if (!PrintTo(printer, printout)) return QStringLiteral("%1 could not be written").arg(path);
    if (QFileInfo(path).size() <= 0) return QStringLiteral("%1 is empty").arg(path);
    return {};
}

}  // namespace kivrun
