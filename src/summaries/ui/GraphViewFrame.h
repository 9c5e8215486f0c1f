#pragma once

#include <QWidget>
#include <set>

#include "document/UpdateHint.h"
#include "frames/Commands.h"
#include "summaries/GraphSettings.h"
#include "values/Date.h"

class QCheckBox;
class QComboBox;
class QScrollBar;
class QTimer;

namespace kivrun {

class CGraphModel;
class CGraphView;
class CTamselDoc;

// The graph window's content: the dialog bar ("Y Axis:", "Cumulative", "Separate By Sport")
// above the graph and its scroll bar through the periods. It takes the window's commands
// (graph type, grouping, zoom, printing, export), keeps the settings in the log and follows
// every change of the log and the filter.
class CGraphViewFrame : public QWidget, public View, public CommandTarget {
    Q_OBJECT
  public:
    static QWidget* Create(CTamselDoc& doc, QWidget* parent);

    explicit CGraphViewFrame(CTamselDoc& doc, QWidget* parent = nullptr);
    ~CGraphViewFrame() override;

    CGraphView& Graph() const { return *view_; }
    CGraphModel& Model() const;
    QComboBox& QuantityList() const { return *quantity_; }
    QCheckBox& CumulativeBox() const { return *cumulative_; }
    QCheckBox& BySportBox() const { return *bySport_; }
    QScrollBar& ScrollBar() const { return *scroll_; }

    // File > Export and Save Picture on the graph's menu: the graph at the window's size as
    // a PNG, SVG or PDF file.
    void Export();
    void Print();
    void PrintPreview();

    void OnUpdate(View* sender, const UpdateHint& hint) override;
    std::optional<CommandState> CommandStatus(Command cmd) override;
    void RunCommand(Command cmd) override;

  private:
    // After any change of the settings, the scroll position or the data.
    void Sync();
    void Reload();

    CTamselDoc& doc_;
    CGraphView* view_ = nullptr;
    QComboBox* quantity_ = nullptr;
    QCheckBox* cumulative_ = nullptr;
    QCheckBox* bySport_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    QTimer* reload_ = nullptr;
    // Notices since the last reload: the days of changed workouts, or everything.
    std::set<CDate> changedDays_;
    bool reloadAll_ = false;
    bool syncing_ = false;
    GraphSettings saved_;  // as the log keeps them
};

}  // namespace kivrun
