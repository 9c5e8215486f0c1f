#include "views/ui/TamselView.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QStyleOptionHeader>
#include <QWheelEvent>
#include <algorithm>

#include "document/TamselDoc.h"
#include "frames/ui/CommandRefresh.h"
#include "frames/ui/WindowTemplates.h"
#include "print/ui/GPrintDriver.h"
#include "store/Database.h"
#include "store/LogDatabase.h"
#include "views/ui/LogListDelegate.h"
#include "views/ui/LogListModel.h"
#include "views/ui/LogListPrinter.h"

namespace kivrun {
namespace {

// One notch of the wheel scrolls this far, in whole rows.
constexpr int kWheelPixelsPerNotch = 45;
constexpr int kWheelNotch = 120;

bool HasWindow(WindowKind kind) {
    return WindowTemplates::Instance().HasContent(kind);
}

// The arrow of the date order points the way the dates run down the list: down while the
// newest workout is first. (Qt's own header draws it the other way round.)
class DateOrderHeader : public QHeaderView {
  public:
    using QHeaderView::QHeaderView;

  protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int section) const override {
        QHeaderView::initStyleOptionForIndex(option, section);
        if (isSortIndicatorShown() && section == sortIndicatorSection())
            option->sortIndicator = sortIndicatorOrder() == Qt::DescendingOrder
                                        ? QStyleOptionHeader::SortDown
                                        : QStyleOptionHeader::SortUp;
    }
};

}  // namespace

CTamselView::ClipboardText& CTamselView::ClipboardSource() {
    static ClipboardText source;
    return source;
}

void CTamselView::SetClipboardText(ClipboardText source) {
    ClipboardSource() = std::move(source);
}

QWidget* CTamselView::Create(CTamselDoc& doc, QWidget* parent) {
    return new CTamselView(doc, parent);
}

CTamselView::CTamselView(CTamselDoc& doc, QWidget* parent) : QTableView(parent), doc_(doc) {
    setObjectName(QStringLiteral("LogList"));
    setAccessibleName(QStringLiteral("Training log"));
    model_ = new CLogListModel(doc_, this);
    delegate_ = new CLogListDelegate(this);
    setModel(model_);
    setItemDelegate(delegate_);

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // One height for every row: the view never asks a row how tall it is.
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(RowHeight());

    setHorizontalHeader(new DateOrderHeader(Qt::Horizontal, this));
    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(true);
    header->setTextElideMode(Qt::ElideRight);
    header->setMinimumSectionSize(12);
    connect(header, &QHeaderView::sectionClicked, this, &CTamselView::HeaderClicked);
    // Fitting a column looks at the rows on screen only.
    disconnect(header, &QHeaderView::sectionHandleDoubleClicked, this, nullptr);
    connect(header, &QHeaderView::sectionHandleDoubleClicked, this,
            &CTamselView::FitColumnToContents);
    connect(header, &QHeaderView::sectionResized, this,
            [this](int section, int, int) { SectionResized(section); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { RequestCommandRefresh(this); });

    BuildColumns();
    ShowDateOrder();
}

CTamselView::~CTamselView() = default;

// --- Notices from the document -----------------------------------------------------------

void CTamselView::OnUpdate(View*, const UpdateHint& hint) {
    const long last = model_->rowCount() - 1L;
    switch (hint.kind) {
        case Notice::EntryAdded: {
            long row = hint.position;
            if (model_->RowAdded(row))
                model_->RowsChanged(row, model_->rowCount() - 1L);
            else
                row = model_->RowOfEntry(hint.id);  // the filter was widened to show it
            ScrollToRow(row);
            break;
        }
        case Notice::EntryChanged: {
            // A new day may have changed the shading of the rows after it too.
            model_->AllRowsChanged();
            SelectEntry(hint.id);
            break;
        }
        case Notice::EntryDeleted: {
            const long row = hint.position;
            if (model_->RowRemoved(row)) {
                if (hint.laterRowsReshaded) model_->RowsChanged(row, last);
                ScrollToRow(std::min<long>(row, model_->rowCount() - 1L));
            }
            break;
        }
        case Notice::DataReloaded:
        case Notice::FilterApplied:
            RowsReplaced();
            break;
        case Notice::CurrentEntry:
            SelectEntry(hint.id);
            break;
        case Notice::ColumnsChanged:
            ReloadColumns(CurrentWidths());
            break;
        case Notice::SportsChanged:
            model_->RefreshCells();
            break;
        case Notice::GeneralPreferences:
            // Another week start moves the week shading.
            doc_.ComputeBackgroundBands();
            model_->AllRowsChanged();
            break;
        case Notice::OptionalFieldNames:
            ReloadColumns(CurrentWidths());
            break;
        default:
            return;
    }
    RequestCommandRefresh(this);
}

void CTamselView::RowsReplaced() {
    model_->ResetRows();
    ShowDateOrder();
    // Oldest first: the latest workouts are at the end, where the user looks.
    if (!doc_.DateSortDescending()) scrollToBottom();
}

void CTamselView::ScrollToRow(long row) {
    if (row < 0 || row >= model_->rowCount() || model_->columnCount() == 0) return;
    scrollTo(model_->index(static_cast<int>(row), 0));
}

// --- Selection ---------------------------------------------------------------------------

void CTamselView::SelectEntry(RowId entryId) {
    const long row = model_->RowOfEntry(entryId);
    if (row < 0 || model_->columnCount() == 0) return;
    const QModelIndex index = model_->index(static_cast<int>(row), 0);
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

std::vector<long> CTamselView::SelectedPositions() const {
    std::vector<long> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

std::size_t CTamselView::SelectedCount() const {
    // Counted from the ranges: a selection of every row costs nothing to count.
    std::vector<std::pair<int, int>> spans;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        spans.emplace_back(range.top(), range.bottom());
    std::sort(spans.begin(), spans.end());
    std::size_t count = 0;
    int covered = -1;
    for (const auto& [top, bottom] : spans) {
        const int from = std::max(top, covered + 1);
        if (bottom >= from) count += static_cast<std::size_t>(bottom - from + 1);
        covered = std::max(covered, bottom);
    }
    return count;
}

RowId CTamselView::FirstSelectedEntry() const {
    int first = -1;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        if (first < 0 || range.top() < first) first = range.top();
    return first < 0 ? 0 : model_->EntryIdAt(first);
}

// --- Commands ----------------------------------------------------------------------------

std::optional<CommandState> CTamselView::CommandStatus(Command cmd) {
    switch (cmd) {
        case Command::EditCopy:
            return CommandState{SelectedCount() > 0 && ClipboardSource() != nullptr, false};
        case Command::EditEntry:
        case Command::EditDuplicate:
            return CommandState{SelectedCount() > 0 && !doc_.IsReadOnly(), false};
        case Command::EditDelete: {
            const std::size_t selected = SelectedCount();
            return CommandState{selected > 0 && !doc_.IsReadOnly(), false,
                                DeleteItemText(selected)};
        }
        case Command::FilePrint:
        case Command::FilePrintPreview:
            return CommandState{doc_.IsOpen(), false};
        default:
            return std::nullopt;
    }
}

void CTamselView::RunCommand(Command cmd) {
    switch (cmd) {
        case Command::EditCopy:
            CopySelected();
            break;
        case Command::EditEntry:
            EditSelectedEntry(false);
            break;
        case Command::EditDuplicate:
            EditSelectedEntry(true);
            break;
        case Command::EditDelete:
            DeleteSelectedEntries();
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

void CTamselView::OpenSelectedEntry() {
    ShowSelectedIn(WindowKind::EntryView);
}

// The other window shows the document's current entry: the first selected one.
void CTamselView::ShowSelectedIn(WindowKind kind) {
    doc_.ShowEntryIn(kind, FirstSelectedEntry(), this);
}

void CTamselView::EditSelectedEntry(bool duplicate) {
    doc_.RequestEntryEdit(FirstSelectedEntry(), duplicate, this);
}

void CTamselView::DeleteSelectedEntries() {
    const std::vector<long> rows = SelectedPositions();
    if (rows.empty()) return;
    if (!doc_.ui().AskYesNo(DeleteQuestion(rows.size()))) return;
    // The entries by id first: the rows below a deleted one move up.
    std::vector<RowId> ids;
    ids.reserve(rows.size());
    for (long row : rows)
        if (const RowId id = model_->EntryIdAt(static_cast<int>(row)); id != 0) ids.push_back(id);
    {
        WaitCursor wait(doc_.ui());
        // One user action, one transaction and one notice, however many rows.
        if (rows.size() == 1)
            doc_.DeleteEntry(ids.front(), nullptr, false);
        else if (doc_.DeleteEntries(ids, this) > 0)
            model_->ResetRows();
    }
    // The row that took the first deleted one's place is selected, or the last row.
    clearSelection();
    const long next = std::min<long>(rows.front(), model_->rowCount() - 1L);
    if (next >= 0 && model_->columnCount() > 0) {
        const QModelIndex index = model_->index(static_cast<int>(next), 0);
        selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    ScrollToRow(next);
    RequestCommandRefresh(this);
}

void CTamselView::CopySelected() {
    const ClipboardText& source = ClipboardSource();
    if (!source) return;
    const std::vector<long> rows = SelectedPositions();
    if (rows.empty()) return;
    QString text;
    {
        WaitCursor wait(doc_.ui());
        text = QString::fromStdString(source(doc_, rows));
    }
    if (text.isEmpty()) return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text);
    if (clipboard->text() != text) doc_.ui().ShowMessage("Unable to set Clipboard data");
}

// --- Keyboard and mouse ------------------------------------------------------------------

void CTamselView::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain) {
        switch (event->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                OpenSelectedEntry();
                event->accept();
                return;
            case Qt::Key_Delete:
            case Qt::Key_Backspace:
                DeleteSelectedEntries();
                event->accept();
                return;
            default:
                break;
        }
    }
    QTableView::keyPressEvent(event);
}

QModelIndex CTamselView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if ((action == MoveHome || action == MoveEnd) && model_->rowCount() > 0 &&
        model_->columnCount() > 0) {
        const int column = std::max(0, currentIndex().column());
        return model_->index(action == MoveHome ? 0 : model_->rowCount() - 1, column);
    }
    return QTableView::moveCursor(action, modifiers);
}

void CTamselView::RepaintRow(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    const int top = rowViewportPosition(row);
    if (top < 0 && top + rowHeight(row) <= 0) return;
    viewport()->update(QRect(0, top, viewport()->width(), rowHeight(row)));
}

void CTamselView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    RepaintRow(previous.row());
    RepaintRow(current.row());
    // The workout the user moved to is the one the other views open on and follow.
    if (current.isValid() && current.row() != previous.row())
        if (const RowId id = model_->EntryIdAt(current.row())) doc_.SetCurrentEntry(id, this);
}

void CTamselView::selectionChanged(const QItemSelection& selected,
                                   const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    for (const QItemSelection* ranges : {&selected, &deselected})
        for (const QItemSelectionRange& range : *ranges) {
            const int top = rowViewportPosition(range.top());
            const int bottom = rowViewportPosition(range.bottom()) + rowHeight(range.bottom());
            viewport()->update(QRect(0, top, viewport()->width(), bottom - top));
        }
}

void CTamselView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() &&
        selectionModel()->isRowSelected(index.row())) {
        OpenSelectedEntry();
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void CTamselView::contextMenuEvent(QContextMenuEvent* event) {
    QPoint at = event->pos();
    QModelIndex index = indexAt(at);
    if (event->reason() == QContextMenuEvent::Keyboard && currentIndex().isValid()) {
        index = currentIndex();
        at = visualRect(index).bottomLeft();
    }
    if (!index.isValid()) return;  // nothing on empty space
    std::unique_ptr<QMenu> menu(MakeRowMenu(index.row(), this));
    if (menu) menu->exec(viewport()->mapToGlobal(at));
}

QMenu* CTamselView::MakeRowMenu(int row, QWidget* parent) {
    const RowId id = model_->EntryIdAt(row);
    if (id == 0) return nullptr;
    auto* menu = new QMenu(parent);
    const bool hasEditor = !doc_.IsReadOnly();

    QAction* open =
        menu->addAction(QStringLiteral("&Open Entry"), this, &CTamselView::OpenSelectedEntry);
    open->setEnabled(HasWindow(WindowKind::EntryView));
    if (open->isEnabled()) menu->setDefaultAction(open);  // what a double-click does
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Edit..."), this, [this] { EditSelectedEntry(false); })
        ->setEnabled(hasEditor);
    menu->addAction(QStringLiteral("D&uplicate"), this, [this] { EditSelectedEntry(true); })
        ->setEnabled(hasEditor);
    menu->addAction(QStringLiteral("&Delete"), this, &CTamselView::DeleteSelectedEntries);
    menu->addSeparator();
    if (!doc_.RoutineOf(id).empty()) {
        // Printing a routine comes with the weights work.
        menu->addAction(QStringLiteral("Print Routine..."))->setEnabled(false);
        menu->addSeparator();
    }
    menu->addAction(QStringLiteral("View &Week"), this,
                    [this] { ShowSelectedIn(WindowKind::WeekView); })
        ->setEnabled(HasWindow(WindowKind::WeekView));
    menu->addAction(QStringLiteral("View Mo&nth"), this,
                    [this] { ShowSelectedIn(WindowKind::Calendar); })
        ->setEnabled(HasWindow(WindowKind::Calendar));
    return menu;
}

void CTamselView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    const int rowHeight = verticalHeader()->defaultSectionSize();
    if (delta == 0 || event->modifiers() != Qt::NoModifier || rowHeight <= 0) {
        QTableView::wheelEvent(event);
        return;
    }
    // Turning back the other way forgets what was left of the other direction.
    if ((delta > 0) != (wheelRemainder_ > 0)) wheelRemainder_ = 0;
    wheelRemainder_ += delta * kWheelPixelsPerNotch;
    const int unit = rowHeight * kWheelNotch;
    const int rows = wheelRemainder_ / unit;
    wheelRemainder_ -= rows * unit;
    // Turned towards the user (negative) scrolls down.
    if (rows != 0) verticalScrollBar()->setValue(verticalScrollBar()->value() - rows);
    event->accept();
}

void CTamselView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    // The focus frame goes round the whole current row.
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid() || model_->columnCount() == 0) return;
    const QRect first = visualRect(model_->index(current.row(), 0));
    const QRect last = visualRect(model_->index(current.row(), model_->columnCount() - 1));
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = first.united(last).adjusted(0, 0, -1, -1);
    frame.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
    const bool selected = selectionModel()->isRowSelected(current.row());
    frame.backgroundColor = palette().color(selected ? QPalette::Highlight : QPalette::Base);
    QPainter painter(viewport());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

void CTamselView::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // Only now are the rows laid out, so the end of the list can be found.
    FitRouteAndNotes();
    if (!doc_.DateSortDescending())
        QMetaObject::invokeMethod(this, &QAbstractItemView::scrollToBottom, Qt::QueuedConnection);
}

int CTamselView::RowHeight() const {
    // Room for a line of text and a sport icon.
    return std::max(18, fontMetrics().height() + 6);
}

void CTamselView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) verticalHeader()->setDefaultSectionSize(RowHeight());
}

bool CTamselView::viewportEvent(QEvent* event) {
    const bool done = QTableView::viewportEvent(event);
    // The viewport also changes width when the vertical scroll bar comes or goes.
    if (event->type() == QEvent::Resize) FitRouteAndNotes();
    return done;
}

// --- Printing ----------------------------------------------------------------------------

bool CTamselView::PrintTo(QPrinter& printer) {
    WaitCursor wait(doc_.ui());
    CLogListPrinter pages(*model_);
    return GPrintJob(pages, printer).Render(nullptr) == GPrintJob::kPrinted;
}

void CTamselView::Print() {
    CLogListPrinter pages(*model_);
    GPrintDriver::Instance().Print(this, pages, doc_.ui());
}

void CTamselView::PrintPreview() {
    CLogListPrinter pages(*model_);
    GPrintDriver::Instance().Preview(this, pages, &doc_.ui());
}

}  // namespace kivrun
