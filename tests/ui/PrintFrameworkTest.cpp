// The printing framework on its own: a unit of rows in columns through a job, the job's
// results, and progress with Cancel on a long job.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "PdfSupport.h"
#include "print/ui/GPrintDriver.h"
#include "print/ui/GPrintUnit.h"
#include "support/TestLog.h"

namespace kivrun::test {
namespace {

// Rows in the columns of a weights routine under a heading on every page.
class RoutineLike : public GPrintUnit {
  public:
    explicit RoutineLike(int rows) : rows_(rows) {}
    QString Title() const override { return QStringLiteral("Routine"); }

  protected:
    void SetUp() override {
        SetMargins(100, 25, 100, 200);
        SetFonts(PaperFont("Arial", PaperUnits(12)),
                 PaperFont("Arial", PaperUnits(10), QFont::Bold),
                 PaperFont("Arial", PaperUnits(10)));
        SetHeadingHeight(3 * CharHeight(HeadingFont()));
        DefineColumn(0, 0, "Exercise", 0.3);
        DefineColumn(0, 1, "Sets", 0.1, kRight);
        for (int i = 0; i < 4; ++i)
            DefineColumn(0, 2 + i, "Wt-Reps", 0.15, kCenter);
    }
    int RowCount() const override { return rows_; }
    QStringList RowTexts(int row) const override {
        return {QStringLiteral("Exercise %1").arg(row + 1), "3", "100-10", "110-8", "120-6", ""};
    }
    QString HeadingText(int) const override {
        return QStringLiteral("Upper body (Monday 5 January)");
    }

  private:
    int rows_;
};

class PrintFramework : public ::testing::Test {
  protected:
    void TearDown() override {
        GPrintDriver::Instance().SetPrintDialog(nullptr);
        GPrintDriver::Instance().Reset();
    }
    std::string Pdf(const char* name) const { return dir.File(name); }
    TempDir dir;
};

TEST_F(PrintFramework, AUnitPrintsItsHeadingTitlesAndRowsOnEveryPage) {
    RoutineLike routine(150);
    const std::string pdf = Pdf("routine.pdf");
    ASSERT_EQ(GPrintDriver::PrintToPdf(routine, QString::fromStdString(pdf)), QString());
    const PdfFacts facts = ReadPdf(pdf);
    ASSERT_GE(routine.PageCount(), 2);
    EXPECT_EQ(facts.pages, routine.PageCount());
    // Heading and titles on each page, every row once.
    std::size_t headings = 0;
    for (std::size_t at = 0; (at = facts.text.find("Upper body", at)) != std::string::npos; ++at)
        ++headings;
    EXPECT_EQ(headings, static_cast<std::size_t>(facts.pages));
    EXPECT_NE(facts.text.find("Exercise 150"), std::string::npos);
    EXPECT_NE(facts.text.find("Wt-Reps"), std::string::npos);
    EXPECT_NE(facts.text.find("110-8"), std::string::npos);
}

TEST_F(PrintFramework, AJobSaysHowItEnded) {
    RoutineLike routine(3);
    QPrinter printer(QPrinter::HighResolution);
    struct Case {
        const char* what;
        bool answer;
        QString file;
        int from, to;
        GPrintJob::Result result;
    } cases[] = {
        {"printed", true, QString::fromStdString(Pdf("ok.pdf")), 0, 0, GPrintJob::kPrinted},
        {"cancelled in the dialog", false, QString::fromStdString(Pdf("no.pdf")), 0, 0,
         GPrintJob::kCancelled},
        {"to a file without a name", true, QString(), 0, 0, GPrintJob::kNoFileName},
        {"pages past the end", true, QString::fromStdString(Pdf("range.pdf")), 4, 5,
         GPrintJob::kFailed},
        {"a file that cannot be written", true, QStringLiteral("/no/such/folder/x.pdf"), 0, 0,
         GPrintJob::kFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GPrintDriver::Instance().SetPrintDialog([&](QPrinter& p, QWidget*, const QString&) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(c.file);
            p.setPrintRange(c.from > 0 ? QPrinter::PageRange : QPrinter::AllPages);
            p.setFromTo(c.from, c.to);
            return c.answer;
        });
        GPrintJob job(routine, printer);
        EXPECT_EQ(job.Run(nullptr), c.result);
        EXPECT_EQ(job.ErrorText().isEmpty(), c.result != GPrintJob::kFailed);
        EXPECT_EQ(QFile::exists(c.file), c.result == GPrintJob::kPrinted);
    }
}

TEST_F(PrintFramework, ALongJobShowsProgressAndCanBeCancelled) {
    RoutineLike routine(600);
    QWidget window;
    window.show();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = QString::fromStdString(Pdf("long.pdf"));
    printer.setOutputFileName(pdf);
    bool shown = false;
    QTimer cancel;
    cancel.setInterval(5);
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(w); progress && w->isVisible()) {
                shown = true;
                progress->cancel();
            }
    });
    cancel.start();
    GPrintJob job(routine, printer);
    EXPECT_EQ(job.Render(&window), GPrintJob::kCancelled);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(QFile::exists(pdf));  // no half a printout left behind

    // A short job shows nothing.
    shown = false;
    RoutineLike note(2);
    GPrintJob shortJob(note, printer);
    EXPECT_EQ(shortJob.Render(&window), GPrintJob::kPrinted);
    EXPECT_FALSE(shown);
}

}  // namespace
}  // namespace kivrun::test
