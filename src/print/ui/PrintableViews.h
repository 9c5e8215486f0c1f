#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QCommandLineParser;

namespace kivrun {

class CTamselDoc;
class GPrintout;

// A view that `kivrun --print OUT.pdf --view NAME LOG` can print: its name, the options
// of its own, and how its printout is made from the open log (the filter of --filter is
// already applied). Each view registers itself once (see RegisterWindowContents).
struct PrintableView {
    // Makes the printout; null with the reason in error (a bad option value, say).
    using Maker = std::function<std::unique_ptr<GPrintout>(
        CTamselDoc& doc, const QCommandLineParser& options, QString& error)>;

    QString name;         // "totals"
    QString description;  // for --help: "the totals by week, month or year"
    QList<QCommandLineOption> options;
    Maker make;
};

// Adds a view, or replaces the one of that name.
void RegisterPrintableView(PrintableView view);
const std::vector<PrintableView>& PrintableViews();
const PrintableView* FindPrintableView(const QString& name);

}  // namespace kivrun
