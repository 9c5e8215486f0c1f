#include "weights/ui/RoutinePrintout.h"

#include "document/TamselDoc.h"
#include "print/ui/GPrintDriver.h"
#include "weights/RoutineCells.h"

namespace kivrun {

CRoutinePrintout::CRoutinePrintout(QString heading, std::vector<RoutineRow> rows)
    : heading_(std::move(heading)), rows_(std::move(rows)) {}

std::unique_ptr<CRoutinePrintout> CRoutinePrintout::ForEntry(CTamselDoc& doc, RowId entryId) {
    const std::optional<EntryDetail> entry = doc.Entry(entryId);
    if (!entry) return nullptr;
    const SportInfo* sport = doc.GetCatalog().Sport(entry->entry.sport);
    const std::string heading = RoutineHeading(CDate::FromSerial(entry->entry.date),
                                               sport ? sport->name : entry->entry.sport);
    return std::make_unique<CRoutinePrintout>(QString::fromStdString(heading), entry->routine);
}

bool CRoutinePrintout::PrintEntry(CTamselDoc& doc, RowId entryId, QWidget* parent) {
    const std::unique_ptr<CRoutinePrintout> printout = ForEntry(doc, entryId);
    return printout &&
           GPrintDriver::Instance().Print(parent, *printout, doc.ui()) == GPrintJob::kPrinted;
}

void CRoutinePrintout::SetUp() {
    const QFont heading = PaperFont(QStringLiteral("Garamond"), PaperUnits(12));
    SetFonts(heading, PaperFont(QStringLiteral("Arial"), PaperUnits(10), QFont::Bold),
             PaperFont(QStringLiteral("Arial"), PaperUnits(10)));
    // The columns take the page less a sixth of an inch each side; the heading stands in a
    // band three of its lines high, so the table starts well clear of it.
    SetMargins(100, 200, 100, 200);
    SetCellPadding(25, 0);
    SetHeadingHeight(3 * CharHeight(heading));
    const auto& columns = RoutinePrintColumnsOf();
    for (size_t i = 0; i < columns.size(); ++i)
        DefineColumn(0, static_cast<int>(i), QString::fromUtf8(columns[i].title),
                     columns[i].fraction, i == 0 ? kLeft : kCenter);
}

QStringList CRoutinePrintout::RowTexts(int row) const {
    QStringList texts;
    for (const std::string& text : RoutinePrintTexts(rows_[static_cast<size_t>(row)]))
        texts << QString::fromStdString(text);
    return texts;
}

}  // namespace kivrun
