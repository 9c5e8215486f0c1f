#pragma once

#include <memory>

#include "document/UpdateHint.h"
#include "equipment/EquipmentList.h"
#include "frames/Commands.h"
#include "views/ui/PrintListView.h"
#include "views/ui/RowsTableModel.h"

namespace kivrun {

class CTamselDoc;
class GPrintout;

// The equipment list's rows as a table; items past their limit are marked.
class CEquipmentListModel : public RowsTableModel<EquipmentListRow, &EquipmentListColumns> {
    Q_OBJECT
  public:
    using RowsTableModel::RowsTableModel;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

// The equipment window: every item with what it has done over the filtered log. It follows
// the filter; double-clicking (or Enter on) an item filters the log to its workouts.
class CEquipmentView : public CPrintListView, public View, public CommandTarget {
    Q_OBJECT
  public:
    static QWidget* Create(CTamselDoc& doc, QWidget* parent);
    explicit CEquipmentView(CTamselDoc& doc, QWidget* parent = nullptr);
    ~CEquipmentView() override;

    // The equipment list of an open log as a printout, without a window.
    static std::unique_ptr<GPrintout> Printout(CTamselDoc& doc);

    CEquipmentListModel& Model() const { return *model_; }
    void Fill();
    // The log shows only the workouts that used the current item.
    void FilterByCurrent();

    void OnUpdate(View* sender, const UpdateHint& hint) override;
    std::optional<CommandState> CommandStatus(Command cmd) override;
    void RunCommand(Command cmd) override;
    std::shared_ptr<const PrintListSource> PrintSource() const override;
    QString PrintTitle() const override { return QStringLiteral("Equipment"); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    RowId CurrentId() const;

    CTamselDoc& doc_;
    CEquipmentListModel* model_ = nullptr;
};

}  // namespace kivrun
