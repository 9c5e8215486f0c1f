#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "print/ui/GPrintUnit.h"
#include "store/Rows.h"

class QWidget;

namespace kivrun {

class CTamselDoc;

// A weights routine on paper: a heading naming its workout, then one line per exercise with
// its sets and weight-reps pairs in parentheses, centred under their titles.
class CRoutinePrintout : public GPrintUnit {
  public:
    CRoutinePrintout(QString heading, std::vector<RoutineRow> rows);

    // The routine of a workout, headed with its day and sport; null when there is no such
    // workout.
    static std::unique_ptr<CRoutinePrintout> ForEntry(CTamselDoc& doc, RowId entryId);
    // Print Routine: the print dialog, then the pages. False when there is no such workout
    // or nothing was printed.
    static bool PrintEntry(CTamselDoc& doc, RowId entryId, QWidget* parent);

    QString Title() const override { return QStringLiteral("Weights Routine"); }

  protected:
    void SetUp() override;
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    QStringList RowTexts(int row) const override;
    QString HeadingText(int) const override { return heading_; }

  private:
    QString heading_;
    std::vector<RoutineRow> rows_;
};

}  // namespace kivrun
