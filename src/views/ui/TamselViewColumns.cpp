// The log list's columns: built from the log's column settings, changed from the header's
// menus, fitted to the window.
#include <QActionGroup>
#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <algorithm>

#include "document/TamselDoc.h"
#include "views/ui/LogListDelegate.h"
#include "views/ui/LogListModel.h"
#include "views/ui/TamselView.h"

namespace kivrun {
namespace {

// Route and Notes never get narrower than this when the window is small.
constexpr int kSharedColumnMinimum = 60;
// Room a fitted column leaves beside its widest text.
constexpr int kFitSlack = 15;

bool SharesWidth(int columnId) {
    return columnId == LogListCells::kRoute || columnId == LogListCells::kNotes;
}

}  // namespace

void CTamselView::BuildColumns() {
    ReloadColumns({});
}

void CTamselView::ReloadColumns(const std::map<int, int>& widths) {
    std::vector<ListColumn> columns = doc_.Columns();
    // Each visible column's ColumnItemID is its place in the list.
    std::vector<int> ids;
    for (const ListColumn& c : columns)
        ids.push_back(c.id);
    doc_.SetColumnItemIds(ids);
    applyingWidths_ = true;
    model_->SetColumns(columns);
    QHeaderView* header = horizontalHeader();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const auto kept = widths.find(columns[i].id);
        header->resizeSection(static_cast<int>(i), kept != widths.end()
                                                       ? kept->second
                                                       : BuiltWidth(static_cast<int>(i)));
    }
    applyingWidths_ = false;
    ShowDateOrder();
    FitRouteAndNotes();
}

std::map<int, int> CTamselView::CurrentWidths() const {
    std::map<int, int> widths;
    const auto& columns = model_->Columns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        widths[columns[i].id] = horizontalHeader()->sectionSize(static_cast<int>(i));
    return widths;
}

void CTamselView::ShowDateOrder() {
    const int date = model_->IndexOfColumn(LogListCells::kDate);
    horizontalHeader()->setSortIndicator(
        date, doc_.DateSortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void CTamselView::HeaderClicked(int section) {
    ShowDateOrder();  // a click moves the header's arrow; the date order decides it
    const auto& columns = model_->Columns();
    if (section < 0 || section >= static_cast<int>(columns.size())) return;
    if (columns[static_cast<std::size_t>(section)].id == LogListCells::kDate) {
        doc_.ToggleDateSort();
        ShowDateOrder();
        return;
    }
    std::unique_ptr<QMenu> menu(MakeColumnMenu(section, this));
    if (menu) menu->exec(QCursor::pos());
}

QMenu* CTamselView::MakeColumnMenu(int section, QWidget* parent) {
    const auto& columns = model_->Columns();
    if (section < 0 || section >= static_cast<int>(columns.size())) return nullptr;
    const ListColumn column = columns[static_cast<std::size_t>(section)];
    if (column.id == LogListCells::kDate) return nullptr;

    auto* menu = new QMenu(parent);
    if (const std::optional<FormatMenu> formats = FormatMenuOf(column.id)) {
        QMenu* sub = menu->addMenu(QString::fromStdString(formats->title));
        auto* group = new QActionGroup(sub);
        for (const FormatChoice& choice : formats->choices) {
            QAction* item = sub->addAction(QString::fromStdString(choice.text));
            item->setCheckable(true);
            item->setChecked(choice.change.format == column.format);
            group->addAction(item);
            const int id = column.id;
            const ColumnFormatChange change = choice.change;
            connect(item, &QAction::triggered, this,
                    [this, id, change] { SetColumnFormat(id, change); });
        }
        menu->addSeparator();
    }
    QAction* hide = menu->addAction(QStringLiteral("&Hide Column"), this,
                                    [this, section] { HideColumnAt(section); });
    hide->setEnabled(CanHideColumn(column.id, static_cast<int>(columns.size())));

    QMenu* insert = menu->addMenu(QStringLiteral("&Insert Column"));
    for (const InsertChoice& choice : InsertColumnChoices(doc_.Columns(true))) {
        QAction* item = insert->addAction(QString::fromStdString(choice.text));
        // A column cannot take its own place.
        item->setEnabled(choice.columnId != column.id);
        const int id = choice.columnId;
        connect(item, &QAction::triggered, this,
                [this, section, id] { InsertColumnAt(section, id); });
    }
    return menu;
}

bool CTamselView::HideColumnAt(int section) {
    const auto& columns = model_->Columns();
    if (section < 0 || section >= static_cast<int>(columns.size())) return false;
    const ListColumn& column = columns[static_cast<std::size_t>(section)];
    if (!CanHideColumn(column.id, static_cast<int>(columns.size()))) return false;
    const int order = column.order;
    const std::map<int, int> widths = CurrentWidths();
    const bool hidden = doc_.HideColumn(order, this);
    ReloadColumns(widths);
    return hidden;
}

void CTamselView::InsertColumnAt(int section, int columnId) {
    const auto& columns = model_->Columns();
    if (section < 0 || section >= static_cast<int>(columns.size())) return;
    const int to = columns[static_cast<std::size_t>(section)].order;
    const int from = model_->IndexOfColumn(columnId);
    if (from == section) return;
    const int fromOrder = from < 0 ? -1 : columns[static_cast<std::size_t>(from)].order;
    const std::map<int, int> widths = CurrentWidths();
    const bool written = fromOrder < 0 ? doc_.InsertColumn(to, columnId, this)
                                       : doc_.MoveColumn(fromOrder, to, this);
    if (written) ReloadColumns(widths);
}

void CTamselView::SetColumnFormat(int columnId, const ColumnFormatChange& change) {
    if (!doc_.SetColumnFormat(columnId, change, this)) return;
    std::map<int, int> widths = CurrentWidths();
    widths[columnId] = change.width;
    ReloadColumns(widths);
}

int CTamselView::BuiltWidth(int section) const {
    const ListColumn& c = model_->Columns()[static_cast<std::size_t>(section)];
    const QString sample = QString::fromStdString(WidestCellSample(c.id, c.format));
    if (sample.isEmpty()) return c.width;
    // The log's widths were set for another font: the numbers decide, not the log.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    return std::max(c.width, delegate_->widthToShow(option, model_->index(0, section), sample));
}

int CTamselView::sizeHintForColumn(int column) const {
    if (column < 0 || column >= model_->columnCount()) return -1;
    const ListColumn& c = model_->Columns()[static_cast<std::size_t>(column)];
    int widest = 0;
    if (c.id == LogListCells::kSport && c.format == 2) {
        widest = 16 + kFitSlack;
    } else if (model_->rowCount() > 0) {
        // The rows on screen only: a log of many years is not measured row by row.
        const int top = std::max(0, rowAt(0));
        int bottom = rowAt(viewport()->height() - 1);
        if (bottom < 0) bottom = model_->rowCount() - 1;
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        const QFontMetrics metrics(option.font);
        for (int row = top; row <= bottom; ++row) {
            // The text as drawn, in the cell's own margins; never less than the text and 15.
            const QModelIndex index = model_->index(row, column);
            const int text = metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString());
            widest = std::max({widest, text + kFitSlack, delegate_->widthToShow(option, index)});
        }
    }
    // The header's label is not cut either.
    return std::max(widest, horizontalHeader()->sectionSizeHint(column));
}

void CTamselView::FitColumnToContents(int section) {
    if (section < 0 || section >= model_->columnCount() || model_->rowCount() == 0) return;
    horizontalHeader()->resizeSection(section, sizeHintForColumn(section));
}

void CTamselView::SectionResized(int section) {
    if (applyingWidths_ || section < 0 || section >= model_->columnCount()) return;
    // A column made wider or narrower by hand: Route and Notes take up the difference.
    if (!SharesWidth(model_->Columns()[static_cast<std::size_t>(section)].id)) FitRouteAndNotes();
}

void CTamselView::FitRouteAndNotes() {
    if (applyingWidths_) return;
    const auto& columns = model_->Columns();
    QHeaderView* header = horizontalHeader();
    int route = -1, notes = -1, others = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int section = static_cast<int>(i);
        if (columns[i].id == LogListCells::kRoute)
            route = section;
        else if (columns[i].id == LogListCells::kNotes)
            notes = section;
        else
            others += header->sectionSize(section);
    }
    if (route < 0 && notes < 0) return;
    const RouteNotesWidths w =
        SplitRemainder(viewport()->width() - others, route >= 0, notes >= 0, kSharedColumnMinimum);
    applyingWidths_ = true;
    if (route >= 0) header->resizeSection(route, w.route);
    if (notes >= 0) header->resizeSection(notes, w.notes);
    applyingWidths_ = false;
}

}  // namespace kivrun
