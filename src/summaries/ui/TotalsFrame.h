#pragma once

#include <QWidget>

#include "document/UpdateHint.h"
#include "frames/Commands.h"
#include "frames/SavedLayout.h"
#include "summaries/TotalsRows.h"

class QSplitter;
class QTimer;

namespace kivrun {

class CTamselDoc;
class CTotalsView;

// The totals window's content: one totals pane, or two side by side that hold the same
// rows and scroll apart, split at a line that cannot be dragged. It takes the window's
// commands (the groupings, Single View and Split View, printing) and follows the log.
class CTotalsFrame : public QWidget, public View, public CommandTarget, public RestorableView {
    Q_OBJECT
  public:
    static QWidget* Create(CTamselDoc& doc, QWidget* parent);

    explicit CTotalsFrame(CTamselDoc& doc, QWidget* parent = nullptr);

    CTotalsView& Left() const { return *left_; }
    // The right pane while split, else null.
    CTotalsView* Right() const;
    bool IsSplit() const;
    // Single View and Split View: the window 420 or 830 pixels wide, as high as it was,
    // centred in the main window's area. Nothing happens when already so.
    void SetSplit(bool split);
    // The grouping of the left pane, copied to the right one while split.
    void SetGrouping(TotalsGrouping grouping);

    // "split" while split (the grouping the log keeps itself).
    std::string SavedState() const override { return IsSplit() ? "split" : "single"; }
    void RestoreState(const std::string& state) override { SetSplit(state == "split"); }

    void OnUpdate(View* sender, const UpdateHint& hint) override;
    std::optional<CommandState> CommandStatus(Command cmd) override;
    void RunCommand(Command cmd) override;

  private:
    void Refill();
    void FitWindow(int width);

    CTamselDoc& doc_;
    QSplitter* splitter_ = nullptr;
    CTotalsView* left_ = nullptr;
    CTotalsView* right_ = nullptr;
    QTimer* refill_ = nullptr;
};

}  // namespace kivrun
