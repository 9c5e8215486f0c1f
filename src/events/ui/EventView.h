#pragma once

#include <memory>

#include "document/UpdateHint.h"
#include "events/EventList.h"
#include "frames/Commands.h"
#include "views/ui/PrintListView.h"
#include "views/ui/RowsTableModel.h"

namespace kivrun {

class CTamselDoc;
class GPrintout;

// The events list's rows as a table, shaded by week band.
class CEventListModel : public RowsTableModel<EventListRow, &EventListColumns> {
    Q_OBJECT
  public:
    using RowsTableModel::RowsTableModel;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

// The events window's lower pane: every event, sorted by a clicked column, shaded by week.
// It opens an event in the "Event" dialog, deletes the selected ones after asking, copies
// them to the clipboard and prints itself.
class CEventView : public CPrintListView, public View, public CommandTarget {
    Q_OBJECT
  public:
    static QWidget* Create(CTamselDoc& doc, QWidget* parent);
    explicit CEventView(CTamselDoc& doc, QWidget* parent = nullptr);

    // Every event of an open log as a printout, without a window.
    static std::unique_ptr<GPrintout> Printout(CTamselDoc& doc);

    CEventListModel& Model() const { return *model_; }
    const EventListSort& Sort() const { return sort_; }
    void SortBy(int column);
    // Reads the rows again; keeps that event in view (0: the current one).
    void Fill(RowId keep = 0);
    std::vector<RowId> SelectedIds() const;
    void SelectIds(const std::vector<RowId>& ids);
    void OpenCurrent();
    // The data entry form, filled from the current event.
    void LogCurrentAsWorkout();
    void DeleteSelected();
    void CopySelected();

    void OnUpdate(View* sender, const UpdateHint& hint) override;
    std::optional<CommandState> CommandStatus(Command cmd) override;
    void RunCommand(Command cmd) override;
    std::shared_ptr<const PrintListSource> PrintSource() const override;
    QString PrintTitle() const override { return QStringLiteral("Events"); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    RowId CurrentId() const;
    long RowOf(RowId id) const;

    CTamselDoc& doc_;
    CEventListModel* model_ = nullptr;
    EventListSort sort_;
};

}  // namespace kivrun
