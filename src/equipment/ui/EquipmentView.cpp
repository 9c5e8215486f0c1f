#include "equipment/ui/EquipmentView.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

#include "document/TamselDoc.h"
#include "views/ui/PrintListPrintout.h"

namespace kivrun {

QVariant CEquipmentListModel::data(const QModelIndex& index, int role) const {
    const EquipmentListRow* found = RowAt(index);
    if (!found) return {};
    const EquipmentListRow& row = *found;
    const EquipmentListColumn& column = EquipmentListColumns()[std::size_t(index.column())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return QString::fromStdString(row.cells.at(std::size_t(index.column())));
        case Qt::TextAlignmentRole:
            return int((column.alignment == 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            if (row.overLimit)
                return QColor(kOverLimitColor.r, kOverLimitColor.g, kOverLimitColor.b);
            return {};
        case Qt::ForegroundRole:
            return row.retired ? QColor(Qt::darkGray) : QColor(Qt::black);
        default:
            return {};
    }
}

// --- The list ----------------------------------------------------------------------------------

QWidget* CEquipmentView::Create(CTamselDoc& doc, QWidget* parent) {
    return new CEquipmentView(doc, parent);
}

CEquipmentView::~CEquipmentView() {
    doc_.RemoveView(this);
}

CEquipmentView::CEquipmentView(CTamselDoc& doc, QWidget* parent)
    : CPrintListView(doc.ui(), parent), doc_(doc) {
    setObjectName(QStringLiteral("EquipmentView"));
    model_ = new CEquipmentListModel(this);
    setModel(model_);
    setShowGrid(false);
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(true);
    for (std::size_t c = 0; c < kEquipmentColumns; ++c)
        setColumnWidth(static_cast<int>(c), EquipmentListColumns()[c].screenWidth);
    setToolTip(tr("Double-click an item to show its workouts in the log"));
    connect(this, &QAbstractItemView::doubleClicked, this, [this] { FilterByCurrent(); });
    Fill();
    doc_.AddView(this);
}

RowId CEquipmentView::CurrentId() const {
    const QModelIndex at = currentIndex();
    if (!at.isValid() || at.row() >= model_->rowCount()) return 0;
    return (*model_->Rows())[std::size_t(at.row())].equipmentId;
}

void CEquipmentView::Fill() {
    const RowId keep = CurrentId();
    model_->SetRows(std::make_shared<const std::vector<EquipmentListRow>>(
        ReadEquipmentList(doc_, EquipmentUnits::ItemUnit)));
    const auto& rows = *model_->Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].equipmentId == keep) setCurrentIndex(model_->index(static_cast<int>(i), 0));
}

void CEquipmentView::FilterByCurrent() {
    const RowId id = CurrentId();
    if (id == 0) return;
    // Only the item's workouts, whatever else the filter held; Show All ends it.
    FilterState state;
    state.showAll = false;
    state.sports.fill(true);
    state.classes.fill(true);
    state.equipment = {id};
    doc_.ApplyFilter(state);
    doc_.OpenOrActivate(WindowKind::LogWindow);
}

void CEquipmentView::OnUpdate(View*, const UpdateHint& hint) {
    switch (hint.kind) {
        case Notice::EntryAdded:
        case Notice::EntryChanged:
        case Notice::EntryDeleted:
        case Notice::DataReloaded:
        case Notice::FilterApplied:
        case Notice::SportsChanged:
        case Notice::GeneralPreferences:
        case Notice::EquipmentChanged:
            Fill();
            break;
        default:
            break;
    }
}

std::optional<CommandState> CEquipmentView::CommandStatus(Command cmd) {
    switch (cmd) {
        case Command::FilePrint:
        case Command::FilePrintPreview:
            return CommandState{doc_.IsOpen(), false};
        default:
            return std::nullopt;
    }
}

void CEquipmentView::RunCommand(Command cmd) {
    if (cmd == Command::FilePrint) Print();
    if (cmd == Command::FilePrintPreview) PrintPreview();
}

void CEquipmentView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        FilterByCurrent();
        return;
    }
    CPrintListView::keyPressEvent(event);
}

void CEquipmentView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(tr("Show its &Workouts"), this, [this] { FilterByCurrent(); })
        ->setEnabled(CurrentId() != 0);
    menu.addSeparator();
    menu.addAction(tr("Print Pre&view"), this, [this] { PrintPreview(); });
    menu.addAction(tr("&Print...\tCtrl+P"), this, [this] { Print(); });
    menu.exec(event->globalPos());
}

std::shared_ptr<const PrintListSource> CEquipmentView::PrintSource() const {
    return std::make_shared<EquipmentPrintSource>(model_->Rows());
}

std::unique_ptr<GPrintout> CEquipmentView::Printout(CTamselDoc& doc) {
    auto rows = std::make_shared<const std::vector<EquipmentListRow>>(
        ReadEquipmentList(doc, EquipmentUnits::ItemUnit));
    return std::make_unique<CPrintListPrintout>(std::make_shared<EquipmentPrintSource>(rows),
                                                QStringLiteral("Equipment"));
}

}  // namespace kivrun
