#pragma once

#include <optional>

#include <QString>

class QPrinter;
class QWidget;

namespace kivrun {

class GPrintout;

// One print job, from the print dialog to the last page: lays the printout out for the
// printer's page, then paints the pages of the chosen range, with progress and Cancel. A
// printout that needs more of its job (its own dialog, say) derives from it.
class GPrintProgress;
struct GPage;

class GPrintJob {
  public:
    enum Result {
        kPrinted = 0,
        kCancelled = 1,   // in the print dialog or while printing
        kFailed = 2,      // no printer, an empty page range, or the printer could not start
        kNoFileName = 3,  // printing to a file without its name
    };

    GPrintJob(GPrintout& printout, QPrinter& printer);
    virtual ~GPrintJob() = default;
    GPrintJob(const GPrintJob&) = delete;
    GPrintJob& operator=(const GPrintJob&) = delete;

    // The whole job; dialogs and progress over parent.
    Result Run(QWidget* parent);
    // The pages without the print dialog (print preview, a PDF); progress over
    // progressParent when there is one.
    Result Render(QWidget* progressParent);
    // Why the job failed, for a message.
    const QString& ErrorText() const { return error_; }

  protected:
    // Whether Run shows the print dialog first (it does).
    virtual bool ShowsPrintDialog() const { return true; }
    // The print dialog; false when the user cancelled it.
    virtual bool AskPrinter(QWidget* parent);

    GPrintout& printout_;
    QPrinter& printer_;

  private:
    Result Fail(const QString& why);
    // The pages written as a PDF without the painter, for a printout that draws on a canvas;
    // nothing when it cannot be (then the painter prints it).
    std::optional<Result> WritePdf(const GPage& page, int first, int last,
                                   GPrintProgress& progress);

    QString error_;
};

}  // namespace kivrun
