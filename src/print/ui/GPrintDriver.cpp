#include "print/ui/GPrintDriver.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "print/ui/GPrintPreview.h"
#include "print/ui/GPrintout.h"
#include "store/UserInterface.h"

namespace kivrun {

GPrintDriver& GPrintDriver::Instance() {
    static GPrintDriver driver;
    return driver;
}

GPrintDriver::GPrintDriver() = default;
GPrintDriver::~GPrintDriver() = default;

QPrinter& GPrintDriver::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void GPrintDriver::Reset() {
    printer_.reset();
}

bool GPrintDriver::PageSetup(QWidget* parent) {
    if (pageSetupDialog_) return pageSetupDialog_(Printer(), parent);
    QPageSetupDialog dialog(&Printer(), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool GPrintDriver::AskPrinter(QPrinter& printer, QWidget* parent, const QString& title) {
    if (printDialog_) return printDialog_(printer, parent, title);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print %1").arg(title));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}

GPrintJob::Result GPrintDriver::Print(QWidget* parent, GPrintout& printout, UserInterface& ui) {
    GPrintJob job(printout, Printer());
    const GPrintJob::Result result = job.Run(parent);
    if (result == GPrintJob::kFailed)
        ui.ShowMessage("Unable to print the " + printout.Title().toLower().toStdString() + "\n" +
                       job.ErrorText().toStdString());
    return result;
}

void GPrintDriver::Preview(QWidget* parent, GPrintout& printout, UserInterface* ui) {
    GPrintPreview preview(printout, Printer(), ui, parent);
    if (!preview.Prepare()) return;  // cancelled while laying out
    preview.exec();
}

QString GPrintDriver::PrintToPdf(GPrintout& printout, const QString& path) {
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    pdf.setDocName(printout.Title());
    GPrintJob job(printout, pdf);
    switch (job.Render(nullptr)) {
        case GPrintJob::kPrinted:
            return {};
        case GPrintJob::kFailed:
            return job.ErrorText();
        default:
            return QStringLiteral("Printing was cancelled.");
    }
}

}  // namespace kivrun
