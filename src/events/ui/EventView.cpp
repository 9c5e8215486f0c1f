#include "events/ui/EventView.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>

#include "document/TamselDoc.h"
#include "events/ui/EventDlg.h"
#include "views/ui/PrintListPrintout.h"

namespace kivrun {

QVariant CEventListModel::data(const QModelIndex& index, int role) const {
    const EventListRow* found = RowAt(index);
    if (!found) return {};
    const EventListRow& row = *found;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return QString::fromStdString(row.cells.at(std::size_t(index.column())));
        case Qt::BackgroundRole: {
            const Rgb c = EventRowColor(row.band);
            return QColor(c.r, c.g, c.b);
        }
        case Qt::ForegroundRole:
            return QColor(Qt::black);
        default:
            return {};
    }
}

// --- The list ----------------------------------------------------------------------------------

QWidget* CEventView::Create(CTamselDoc& doc, QWidget* parent) {
    return new CEventView(doc, parent);
}

CEventView::CEventView(CTamselDoc& doc, QWidget* parent)
    : CPrintListView(doc.ui(), parent), doc_(doc) {
    setObjectName(QStringLiteral("EventView"));
    model_ = new CEventListModel(this);
    setModel(model_);
    setShowGrid(false);
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    // One row height for all, never measured.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(true);
    for (std::size_t c = 0; c < EventListColumns().size(); ++c)
        setColumnWidth(static_cast<int>(c), EventListColumns()[c].screenWidth);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CEventView::SortBy);
    connect(this, &QAbstractItemView::doubleClicked, this, [this] { OpenCurrent(); });
    Fill();
    // The list opens on what is coming.
    const long upcoming = FirstRowFrom(*model_->Rows(), CDate());
    if (upcoming >= 0) {
        const QModelIndex at = model_->index(static_cast<int>(upcoming), 0);
        setCurrentIndex(at);
        scrollTo(at, QAbstractItemView::PositionAtTop);
    }
}

void CEventView::SortBy(int column) {
    sort_.Click(column);
    Fill();
}

RowId CEventView::CurrentId() const {
    const QModelIndex at = currentIndex();
    if (!at.isValid() || at.row() >= model_->rowCount()) return 0;
    return (*model_->Rows())[std::size_t(at.row())].eventId;
}

long CEventView::RowOf(RowId id) const {
    const auto& rows = *model_->Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].eventId == id) return static_cast<long>(i);
    return -1;
}

void CEventView::Fill(RowId keep) {
    if (keep == 0) keep = CurrentId();
    const std::vector<RowId> selected = SelectedIds();
    model_->SetRows(std::make_shared<const std::vector<EventListRow>>(ReadEventList(doc_, sort_)));
    SelectIds(selected);
    const long row = keep ? RowOf(keep) : -1;
    if (row >= 0) {
        const QModelIndex at = model_->index(static_cast<int>(row), 0);
        selectionModel()->setCurrentIndex(at, QItemSelectionModel::NoUpdate);
        scrollTo(at);
    }
}

std::vector<RowId> CEventView::SelectedIds() const {
    std::vector<RowId> ids;
    if (!selectionModel()) return ids;
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    for (const QModelIndex& r : rows)
        if (r.row() < model_->rowCount())
            ids.push_back((*model_->Rows())[std::size_t(r.row())].eventId);
    return ids;
}

void CEventView::SelectIds(const std::vector<RowId>& ids) {
    QItemSelection selection;
    for (RowId id : ids) {
        const long row = RowOf(id);
        if (row >= 0)
            selection.select(model_->index(static_cast<int>(row), 0),
                             model_->index(static_cast<int>(row), model_->columnCount() - 1));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void CEventView::OpenCurrent() {
    const RowId id = CurrentId();
    if (id != 0) CEventDlg::EditEvent(doc_, id, this);
}

void CEventView::DeleteSelected() {
    const std::vector<RowId> ids = SelectedIds();
    if (ids.empty() || doc_.IsReadOnly()) return;
    if (ids.size() == 1) {
        doc_.DeleteEvent(ids.front(), true);  // asks, and tells every view
        return;
    }
    if (!doc_.ui().AskYesNo("Delete Selected Entries ?\n\nThis CANNOT be undone !!")) return;
    const long row = static_cast<long>(currentIndex().row());
    if (doc_.DeleteEvents(ids, this) > 0) {
        Fill();
        // The row below the deleted ones moves up into their place.
        const int at = std::min<int>(static_cast<int>(row), model_->rowCount() - 1);
        if (at >= 0) setCurrentIndex(model_->index(at, 0));
    }
}

void CEventView::CopySelected() {
    std::vector<long> rows;
    for (const QModelIndex& r : selectionModel()->selectedRows())
        rows.push_back(r.row());
    const std::string text = EventClipboardText(*model_->Rows(), rows);
    if (!text.empty()) QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void CEventView::OnUpdate(View*, const UpdateHint& hint) {
    switch (hint.kind) {
        case Notice::EventChanged:
        case Notice::EventAdded:
            Fill(hint.id);
            break;
        case Notice::EventDeleted:
        case Notice::EventsImported:
        case Notice::DataReloaded:
        case Notice::SportsChanged:       // sport names
        case Notice::GeneralPreferences:  // the week may start on another day
            Fill();
            break;
        default:
            break;
    }
}

std::optional<CommandState> CEventView::CommandStatus(Command cmd) {
    const bool selected = selectionModel() && selectionModel()->hasSelection();
    switch (cmd) {
        case Command::EditCopy:
            return CommandState{selected, false};
        case Command::EditEntry:
            return CommandState{CurrentId() != 0, false, "&Open Event\tCtrl+M"};
        case Command::EditDuplicate:
            return CommandState{false, false};
        case Command::EditDelete:
            return CommandState{selected && !doc_.IsReadOnly(), false, "&Delete Event\tDel"};
        case Command::FilePrint:
        case Command::FilePrintPreview:
            return CommandState{doc_.IsOpen(), false};
        default:
            return std::nullopt;
    }
}

void CEventView::RunCommand(Command cmd) {
    switch (cmd) {
        case Command::EditCopy:
            CopySelected();
            break;
        case Command::EditEntry:
            OpenCurrent();
            break;
        case Command::EditDelete:
            DeleteSelected();
            break;
        case Command::FilePrint:
            Print();
            break;
        case Command::FilePrintPreview:
            PrintPreview();
            break;
        default:
            break;
    }
}

void CEventView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            DeleteSelected();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OpenCurrent();
            return;
        default:
            CPrintListView::keyPressEvent(event);
    }
}

void CEventView::contextMenuEvent(QContextMenuEvent* event) {
    const QModelIndex at = indexAt(viewport()->mapFrom(this, event->pos()));
    if (!at.isValid()) return;
    if (!selectionModel()->isRowSelected(at.row(), {})) setCurrentIndex(at);
    QMenu menu(this);
    menu.addAction(tr("&Open Event"), this, [this] { OpenCurrent(); });
    menu.addAction(tr("Log as &Workout"), this, [this] { LogCurrentAsWorkout(); })
        ->setEnabled(!doc_.IsReadOnly() && CurrentId() != 0);
    menu.addSeparator();
    menu.addAction(tr("&Delete Event"), this, [this] { DeleteSelected(); })
        ->setEnabled(!doc_.IsReadOnly());
    menu.exec(event->globalPos());
}

void CEventView::LogCurrentAsWorkout() {
    if (const RowId id = CurrentId(); id != 0 && !doc_.IsReadOnly())
        doc_.RequestEntryFromEvent(id, this);
}

std::shared_ptr<const PrintListSource> CEventView::PrintSource() const {
    return std::make_shared<EventPrintSource>(model_->Rows());
}

std::unique_ptr<GPrintout> CEventView::Printout(CTamselDoc& doc) {
    auto rows = std::make_shared<const std::vector<EventListRow>>(ReadEventList(doc, {}));
    return std::make_unique<CPrintListPrintout>(std::make_shared<EventPrintSource>(rows),
                                                QStringLiteral("Events"));
}

}  // namespace kivrun
