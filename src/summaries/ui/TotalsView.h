#pragma once

#include <memory>

#include "summaries/TotalsTable.h"
#include "views/ui/PrintListView.h"

namespace kivrun {

class CTamselDoc;
class CTotalsModel;
class GPrintout;

// One pane of the totals window: the filtered workouts summed per period and sport, a grey
// total line per period. It reads nothing itself but the core's totals rows; its window
// tells it when to fill again.
class CTotalsView : public CPrintListView {
    Q_OBJECT
  public:
    CTotalsView(CTamselDoc& doc, QWidget* parent = nullptr);
    ~CTotalsView() override;

    // The totals of an open log as a printout, without a window.
    static std::unique_ptr<GPrintout> Printout(CTamselDoc& doc, TotalsGrouping grouping);

    TotalsGrouping Grouping() const { return grouping_; }
    // Remembers the grouping (in the log too), titles the first column after it and fills.
    void SetGrouping(TotalsGrouping grouping);
    // Makes the rows again, from the workouts read last unless the log changed since.
    // tell: say "No entries!!" when the filter leaves none (the user asked for these totals,
    // rather than the log having changed under them).
    void Fill(bool tell = false);
    // The log or its filter changed: the next Fill reads the workouts again.
    void Invalidate() { stale_ = true; }
    const TotalsData& Data() const { return data_; }
    // The same rows and grouping as another pane, scrolled to the last row.
    void CopyFrom(const CTotalsView& other);
    // The filter leaves no workouts: the list is empty and says so.
    bool NoEntries() const { return noEntries_; }

    CTotalsModel& Model() const { return *model_; }

    std::shared_ptr<const PrintListSource> PrintSource() const override;
    QString PrintTitle() const override { return QStringLiteral("Totals"); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    CTamselDoc& doc_;
    CTotalsModel* model_ = nullptr;
    TotalsGrouping grouping_ = TotalsGrouping::Week;
    bool noEntries_ = false;
    // The filtered workouts summed by day: every grouping is made from them.
    TotalsData data_;
    bool stale_ = true;
};

}  // namespace kivrun
