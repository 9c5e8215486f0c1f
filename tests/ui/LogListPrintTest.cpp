#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QRawFont>
#include <QTextItem>
#include <climits>
#include <map>
#include <memory>

#include "LogListSupport.h"
#include "PdfSupport.h"
#include "print/PdfFile.h"
#include "print/ui/PaperCanvas.h"
#include "views/ui/LogListPrinter.h"

namespace kivrun::test {
namespace {

// A page that remembers the texts and lines painted on it, where they went on the device.
class RecordedPage : public QPaintDevice {
  public:
    struct Text {
        QString text;
        QPointF at;  // the start of its baseline
    };
    RecordedPage(QSize size, int dpi) : size_(size), dpi_(dpi), engine_(this) {}
    QPaintEngine* paintEngine() const override { return &engine_; }

    std::vector<Text> texts;
    std::vector<QLineF> lines;

    const Text* Find(const QString& text) const {
        for (const Text& t : texts)
            if (t.text == text) return &t;
        return nullptr;
    }

  protected:
    int metric(PaintDeviceMetric metric) const override {
        const int w = size_.width(), h = size_.height();
        const std::map<PaintDeviceMetric, int> values = {
            {PdmWidth, w},
            {PdmHeight, h},
            {PdmWidthMM, w * 254 / (10 * dpi_)},
            {PdmHeightMM, h * 254 / (10 * dpi_)},
            {PdmNumColors, INT_MAX},
            {PdmDepth, 32},
            {PdmDpiX, dpi_},
            {PdmDpiY, dpi_},
            {PdmPhysicalDpiX, dpi_},
            {PdmPhysicalDpiY, dpi_},
            {PdmDevicePixelRatio, 1},
            {PdmDevicePixelRatioScaled, static_cast<int>(devicePixelRatioFScale())}};
        const auto it = values.find(metric);
        return it == values.end() ? 0 : it->second;
    }

  private:
    class Engine : public QPaintEngine {
      public:
        explicit Engine(RecordedPage* page) : QPaintEngine(AllFeatures), page_(page) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override {
            page_->texts.push_back({item.text(), painter()->transform().map(p)});
        }
        void drawLines(const QLineF* lines, int count) override {
            for (int i = 0; i < count; ++i)
                page_->lines.push_back(painter()->transform().map(lines[i]));
        }
        Type type() const override { return QPaintEngine::User; }

      private:
        RecordedPage* page_;
    };

    QSize size_;
    int dpi_;
    mutable Engine engine_;
};

class LogListPrint : public LogListFixture {
  protected:
    // Workouts whose notes take several lines on paper.
    void AddLongNotes(int count) {
        for (int i = 0; i < count; ++i) {
            WorkingEntry e = Entry(1, 5, 2026, "R", 3000 + i);
            e.date = CDate(1, 5, 2026).AddDays(i);
            e.route = "Route " + std::to_string(i);
            e.notes = "Workout " + std::to_string(i) + ": ";
            for (int w = 0; w < 12; ++w)
                e.notes += "steady miles along the coast path with a few short hills ";
            doc->AddEntry(e, nullptr);
        }
    }
    // One page of the printout, as painted on a page of the given size at 600 dpi.
    static std::unique_ptr<RecordedPage> Painted(CLogListPrinter& paper, QSize page, int p) {
        auto recorded = std::make_unique<RecordedPage>(page, 600);
        QPainter painter(recorded.get());
        paper.PaintPage(painter, QRect(QPoint(0, 0), page), p);
        return recorded;
    }
};

TEST_F(LogListPrint, PagesHoldHeadingsWrappedRowsAndACentredFooter) {
    AddLongNotes(30);
    MakeView();
    CLogListPrinter paper(model());
    const QSize page(4800, 6300);  // the printable part of a letter page at 600 dpi
    paper.Layout(GPage{page, 600});
    const LogListPageLayout& layout = paper.PageLayout();
    ASSERT_GT(layout.LinesOf(0), 2);  // the notes wrap
    ASSERT_GE(paper.PageCount(), 2);
    EXPECT_EQ(layout.EndRow(paper.PageCount() - 1), 30);

    for (int p = 0; p < paper.PageCount(); ++p) {
        SCOPED_TRACE(p);
        const auto recorded = Painted(paper, page, p);

        const QString footer = QStringLiteral("Page %1 of %2").arg(p + 1).arg(paper.PageCount());
        const RecordedPage::Text* text = recorded->Find(footer);
        ASSERT_NE(text, nullptr);
        const double line = page.height() - LogListPageLayout::kFooterLineAboveBottom;
        EXPECT_GT(text->at.y(), line);  // under the footer line
        EXPECT_LT(text->at.y(), page.height());
        EXPECT_GT(text->at.x(), page.width() * 0.4);  // about the middle
        EXPECT_LT(text->at.x(), page.width() * 0.5);
        const bool ruled =
            std::any_of(recorded->lines.begin(), recorded->lines.end(), [&](const QLineF& l) {
                return std::abs(l.y1() - line) < 1 && l.x1() <= 0 && l.x2() >= page.width() - 1;
            });
        EXPECT_TRUE(ruled);
        ASSERT_NE(recorded->Find("Notes"), nullptr);  // the headings on every page
        EXPECT_LT(recorded->Find("Notes")->at.y(), layout.RowsTop());
        // ... under the title line: the log and its filter.
        ASSERT_NE(recorded->Find(paper.TitleLine()), nullptr);
        EXPECT_TRUE(paper.TitleLine().endsWith(QStringLiteral("All workouts")));
        EXPECT_LT(recorded->Find(paper.TitleLine())->at.y(), recorded->Find("Notes")->at.y());

        // The page's rows are on it, and nothing but the footer goes below the line.
        for (long row = layout.FirstRow(p); row < layout.EndRow(p); ++row)
            EXPECT_NE(recorded->Find(Cell(static_cast<int>(row), 0)), nullptr) << row;
        for (const RecordedPage::Text& t : recorded->texts)
            EXPECT_TRUE(t.text == footer || t.at.y() < line) << t.text.toStdString();
    }
}

TEST_F(LogListPrint, APdfHasThePagesOfTheLayoutOrOfThePageRange) {
    AddLongNotes(40);
    MakeView();
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(QString::fromStdString(dir.File("log.pdf")));
    ASSERT_TRUE(list->PrintTo(pdf));

    CLogListPrinter expected(model());
    expected.Layout(
        GPage{pdf.pageLayout().paintRectPixels(pdf.resolution()).size(), pdf.resolution()});
    ASSERT_GE(expected.PageCount(), 2);
    const PdfFacts facts = ReadPdf(pdf.outputFileName());
    EXPECT_EQ(facts.pages, expected.PageCount());
    // A row's cells read side by side, in their columns.
    EXPECT_NE(facts.text.find(Cell(0, 0).toStdString() + "  "), std::string::npos);
    EXPECT_NE(facts.text.find("Route 0"), std::string::npos);
    EXPECT_NE(facts.text.find("steady miles"), std::string::npos);

    pdf.setOutputFileName(QString::fromStdString(dir.File("second.pdf")));
    pdf.setPrintRange(QPrinter::PageRange);
    pdf.setFromTo(2, 2);
    ASSERT_TRUE(list->PrintTo(pdf));
    EXPECT_EQ(ReadPdf(pdf.outputFileName()).pages, 1);
}

// The list through the painter alone, as a printout that draws on no canvas.
class PainterOnly : public GPrintout {
  public:
    explicit PainterOnly(CLogListPrinter& list) : list_(list) {}
    QString Title() const override { return list_.Title(); }
    bool Layout(const GPage& page, const GProgress& progress) override {
        return list_.Layout(page, progress);
    }
    int PageCount() const override { return list_.PageCount(); }
    void PaintPage(QPainter& painter, const QRect& rect, int page) const override {
        list_.PaintPage(painter, rect, page);
    }

  private:
    CLogListPrinter& list_;
};

// The list's PDF is written directly when every character is in the printed fonts and reads
// left to right, and then reads as the painter's; any other text sends the whole list
// through the painter.
TEST_F(LogListPrint, ADirectPdfReadsAsThePaintedOneAndGivesWayToThePainterForOtherText) {
    AddLongNotes(40);
    MakeView();
    struct Case {
        const char* note;
        bool direct;
    };
    const Case cases[] = {
        {nullptr, true},
        {"\xE9\x9B\xA8\xE3\x81\xAE\xE6\x97\xA5 run", false},  // in no Latin font
        {"\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D run", false},      // in it, but right to left
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note ? c.note : "");
        long id = 0;
        if (c.note) {
            WorkingEntry e = Entry(1, 5, 2026, "R", 3000);
            e.notes = c.note;
            id = doc->AddEntry(e, nullptr);
        }
        CLogListPrinter direct(model());
        PainterOnly painted(direct);
        const std::string directPdf = dir.File("direct.pdf"), paintedPdf = dir.File("painted.pdf");
        ASSERT_EQ(GPrintDriver::PrintToPdf(direct, QString::fromStdString(directPdf)), QString());
        ASSERT_EQ(GPrintDriver::PrintToPdf(painted, QString::fromStdString(paintedPdf)), QString());
        const PdfFacts a = ReadPdf(directPdf), b = ReadPdf(paintedPdf);
        EXPECT_GE(a.pages, 2);
        EXPECT_EQ(a.pages, b.pages);
        EXPECT_EQ(a.pageSize, b.pageSize);
        EXPECT_EQ(a.text, b.text);
        const bool ours =
            RunCommand("pdfinfo " + ShellQuote(directPdf)).out.find("Kivrun") != std::string::npos;
        EXPECT_EQ(ours, c.direct);
        if (id) doc->DeleteEntry(id, nullptr, false);
    }
}

// A font embedded in a PDF keeps the outlines of the glyphs used, whole when a glyph is
// made of others, and drops the rest.
TEST(PdfFont, KeepsTheGlyphsUsedAndThoseTheyAreMadeOf) {
    const QRawFont font = QRawFont::fromFont(PaperFont(QStringLiteral("Arial"), 75));
    const pdf::FontTables tables = PdfFontTables(font);
    const auto glyph = [&](QChar c) { return font.glyphIndexesForString(QString(c)).front(); };
    const quint32 kept = glyph(QChar(0xC4)), dropped = glyph(QLatin1Char('B'));  // "Ä", "B"
    std::vector<bool> used(std::max(kept, dropped) + 1, false);
    used[kept] = true;
    const std::string subset = pdf::SubsetTrueType(tables.tables, used);
    ASSERT_FALSE(subset.empty());
    const QRawFont cut(QByteArray::fromStdString(subset), 75);
    ASSERT_TRUE(cut.isValid());
    EXPECT_EQ(cut.pathForGlyph(kept).elementCount(), font.pathForGlyph(kept).elementCount());
    EXPECT_GT(cut.pathForGlyph(kept).elementCount(), 0);
    EXPECT_EQ(cut.pathForGlyph(dropped).elementCount(), 0);
    EXPECT_GT(font.pathForGlyph(dropped).elementCount(), 0);

    // Damaged tables give no font rather than a bad one.
    for (const char* tag : {"head", "loca", "glyf", "maxp"}) {
        auto damaged = tables.tables;
        damaged[tag].resize(3);
        EXPECT_EQ(pdf::SubsetTrueType(damaged, used), std::string()) << tag;
    }
}

TEST_F(LogListPrint, AnEmptyListPrintsOnePageWithItsFooter) {
    MakeView();
    CLogListPrinter paper(model());
    paper.Layout(GPage{QSize(4800, 6300), 600});
    ASSERT_EQ(paper.PageCount(), 1);
    EXPECT_NE(Painted(paper, QSize(4800, 6300), 0)->Find("Page 1 of 1"), nullptr);
}

}  // namespace
}  // namespace kivrun::test
