#pragma once

#include <QPrinter>
#include <QString>
#include <string>

#include "print/ui/GPrintDriver.h"
#include "support/RunTool.h"

namespace kivrun::test {

// What poppler-utils read from a PDF, as a person reading it would see it.
struct PdfFacts {
    int pages = -1;
    std::string pageSize;  // "612 x 792 pts (letter)"
    std::string text;      // every page, laid out; pages end with a form feed
};

inline PdfFacts ReadPdf(const std::string& path) {
    PdfFacts facts;
    const ToolResult info = RunCommand("pdfinfo " + ShellQuote(path) + " 2>/dev/null");
    if (info.status != 0) return facts;
    const auto field = [&](const std::string& name) {
        const std::size_t at = info.out.find(name + ":");
        if (at == std::string::npos) return std::string();
        const std::size_t start = info.out.find_first_not_of(' ', at + name.size() + 1);
        return info.out.substr(start, info.out.find('\n', start) - start);
    };
    facts.pages = std::stoi("0" + field("Pages"));
    facts.pageSize = field("Page size");
    facts.text = RunCommand("pdftotext -layout " + ShellQuote(path) + " - 2>/dev/null").out;
    return facts;
}
inline PdfFacts ReadPdf(const QString& path) {
    return ReadPdf(path.toStdString());
}

// While it lives, the print dialog is answered with OK and this PDF, and the title it was
// shown with is kept; afterwards Qt's dialog and a fresh printer are back.
class PrintsToPdf {
  public:
    explicit PrintsToPdf(QString path) : path(std::move(path)) {
        GPrintDriver::Instance().SetPrintDialog([this](QPrinter& p, QWidget*, const QString& t) {
            title = t;
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(this->path);
            return true;
        });
    }
    ~PrintsToPdf() {
        GPrintDriver::Instance().SetPrintDialog(nullptr);
        GPrintDriver::Instance().Reset();
    }
    PdfFacts Read() const { return ReadPdf(path); }

    const QString path;
    QString title;
};

}  // namespace kivrun::test
