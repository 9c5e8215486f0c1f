#include "print/ui/GPrintJob.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>

#include "print/ui/GPrintDriver.h"
#include "print/ui/GPrintProgress.h"
#include "print/ui/GPrintout.h"
#include "print/ui/PaperCanvas.h"

namespace kivrun {

GPrintJob::GPrintJob(GPrintout& printout, QPrinter& printer)
    : printout_(printout), printer_(printer) {}

bool GPrintJob::AskPrinter(QWidget* parent) {
    return GPrintDriver::Instance().AskPrinter(printer_, parent, printout_.Title());
}

GPrintJob::Result GPrintJob::Fail(const QString& why) {
    error_ = why;
    return kFailed;
}

GPrintJob::Result GPrintJob::Run(QWidget* parent) {
    error_.clear();
    printer_.setDocName(printout_.Title());
    if (ShowsPrintDialog() && !AskPrinter(parent)) return kCancelled;
    if (printer_.outputFormat() == QPrinter::PdfFormat && printer_.outputFileName().isEmpty())
        return kNoFileName;
    if (!printer_.isValid()) return Fail(QStringLiteral("There is no printer to print on."));
    return Render(parent);
}

GPrintJob::Result GPrintJob::Render(QWidget* progressParent) {
    error_.clear();
    GPrintProgress progress(progressParent, printout_.Title());
    const int dpi = printer_.resolution();
    // The painter starts at the top left of the printable area.
    const GPage page{printer_.pageLayout().paintRectPixels(dpi).size(), dpi};
    if (!printout_.Layout(page,
                          [&](long done, long total) { return progress.LayingOut(done, total); }))
        return kCancelled;

    int first = 0;
    int last = printout_.PageCount() - 1;
    if (printer_.printRange() == QPrinter::PageRange && printer_.fromPage() > 0) {
        first = printer_.fromPage() - 1;
        if (printer_.toPage() > 0) last = std::min(last, printer_.toPage() - 1);
    }
    if (first > last)
        return Fail(QStringLiteral("The pages chosen are not in the printout, which has %1.")
                        .arg(printout_.PageCount()));

    if (printer_.outputFormat() == QPrinter::PdfFormat)
        if (const std::optional<Result> written = WritePdf(page, first, last, progress))
            return *written;

    QPainter painter;
    if (!painter.begin(&printer_)) {
        const QString file = printer_.outputFileName();
        return Fail(file.isEmpty() ? QStringLiteral("The printer could not be started.")
                                   : QStringLiteral("%1 could not be written.").arg(file));
    }
    const QRect rect(QPoint(0, 0), page.pixels);
    for (int p = first; p <= last; ++p) {
        if (!progress.Printing(p - first, last - first + 1)) {
            printer_.abort();
            painter.end();
            // No half a document left behind; a pipe or device is not ours to remove.
            if (printer_.outputFormat() == QPrinter::PdfFormat &&
                QFileInfo(printer_.outputFileName()).isFile())
                QFile::remove(printer_.outputFileName());
            return kCancelled;
        }
        if (p != first) printer_.newPage();
        printout_.PaintPage(painter, rect, p);
    }
    if (!painter.end()) return Fail(QStringLiteral("The printout could not be finished."));
    return kPrinted;
}

std::optional<GPrintJob::Result> GPrintJob::WritePdf(const GPage& page, int first, int last,
                                                     GPrintProgress& progress) {
    const std::vector<QFont> fonts = printout_.CanvasFonts();
    // Grey is the painter's to make of the colours.
    if (fonts.empty() || printer_.colorMode() == QPrinter::GrayScale) return std::nullopt;
    const QPageLayout layout = printer_.pageLayout();
    const QRectF sheet = layout.fullRect(QPageLayout::Point);
    const QRectF paint = layout.paintRect(QPageLayout::Point);
    const QSize units = page.Units();
    if (units.isEmpty()) return std::nullopt;
    // As the painter would: print units to the printer's pixels, pixels to points.
    const double points = 72.0 / std::max(1, page.dpi);
    pdf::PageGeometry geometry;
    geometry.widthPoints = sheet.width();
    geometry.heightPoints = sheet.height();
    geometry.left = paint.left() - sheet.left();
    geometry.top = paint.top() - sheet.top();
    geometry.scaleX = points * page.pixels.width() / units.width();
    geometry.scaleY = points * page.pixels.height() / units.height();

    PdfCanvas canvas(printer_.docName(), fonts, geometry);
    for (int p = first; p <= last && !canvas.Failed(); ++p) {
        if (!progress.Printing(p - first, last - first + 1)) return kCancelled;
        canvas.BeginPage();
        printout_.DrawPage(canvas, p);
        canvas.EndPage();
    }
    const std::string bytes = canvas.Finish();
    if (bytes.empty()) return std::nullopt;
    const QString path = printer_.outputFileName();
    const auto size = static_cast<qint64>(bytes.size());
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        // A pipe or a device (/dev/stdout) is written as it is; it cannot be replaced.
        QFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size &&
            file.flush())
            return kPrinted;
    } else {
        // A file is replaced whole or not at all.
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size &&
            file.commit())
            return kPrinted;
    }
    return Fail(QStringLiteral("%1 could not be written.").arg(path));
}

}  // namespace kivrun
