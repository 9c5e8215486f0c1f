#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "print/ui/GPrintJob.h"

class QPrinter;
class QWidget;

namespace kivrun {

class GPrintout;
class UserInterface;

// The one way the program prints. It keeps one printer for the whole session, so that
// what File > Page Setup chose holds for every later printout, and runs any printout
// through print, print preview, or a PDF made offscreen.
class GPrintDriver {
  public:
    // Shows the print dialog on printer; false when the user cancelled it.
    using PrintDialog =
        std::function<bool(QPrinter& printer, QWidget* parent, const QString& title)>;
    using PageSetupDialog = std::function<bool(QPrinter& printer, QWidget* parent)>;

    static GPrintDriver& Instance();

    QPrinter& Printer();
    // File > Page Setup: paper, orientation and margins; false when cancelled.
    bool PageSetup(QWidget* parent);
    // Print: the print dialog, then the pages with progress and Cancel. A job that failed
    // is reported through ui ("Unable to print the totals" and why).
    GPrintJob::Result Print(QWidget* parent, GPrintout& printout, UserInterface& ui);
    // Print preview over parent, on the session's printer: the pages laid out with progress
    // and Cancel, then shown as they come into view. Print from it reports through ui.
    void Preview(QWidget* parent, GPrintout& printout, UserInterface* ui = nullptr);
    // The printout into a PDF file, offscreen and without a dialog. Empty when written,
    // otherwise why not.
    static QString PrintToPdf(GPrintout& printout, const QString& path);

    bool AskPrinter(QPrinter& printer, QWidget* parent, const QString& title);
    // Other dialogs in place of Qt's (tests, scripted runs); null brings Qt's back.
    void SetPrintDialog(PrintDialog dialog) { printDialog_ = std::move(dialog); }
    void SetPageSetupDialog(PageSetupDialog dialog) { pageSetupDialog_ = std::move(dialog); }
    // A fresh printer, as at the start of a session.
    void Reset();

  private:
    GPrintDriver();
    ~GPrintDriver();

    std::unique_ptr<QPrinter> printer_;
    PrintDialog printDialog_;
    PageSetupDialog pageSetupDialog_;
};

}  // namespace kivrun
