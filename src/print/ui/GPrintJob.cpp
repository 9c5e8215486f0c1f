#include "print/ui/GPrintJob.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "print/ui/GPrintDriver.h"
#include "print/ui/GPrintProgress.h"
#include "print/ui/GPrintout.h"

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
            // No half a document left behind.
            if (printer_.outputFormat() == QPrinter::PdfFormat)
                QFile::remove(printer_.outputFileName());
            return kCancelled;
        }
        if (p != first) printer_.newPage();
        printout_.PaintPage(painter, rect, p);
    }
    if (!painter.end()) return Fail(QStringLiteral("The printout could not be finished."));
    return kPrinted;
}

}  // namespace kivrun
