#include "views/ui/PrintListView.h"

#include <QAbstractItemModel>
#include <QHeaderView>

#include "print/PaperText.h"
#include "print/ui/GPrintDriver.h"
#include "views/ui/PrintListPrintout.h"

namespace kivrun {
namespace {

// A model's rows as they are shown, read when printed.
class ModelSource : public PrintListSource {
  public:
    ModelSource(const QAbstractItemModel& model, std::vector<PrintListColumn> columns,
                std::vector<int> modelColumns)
        : model_(model), columns_(std::move(columns)), modelColumns_(std::move(modelColumns)) {}
    std::vector<PrintListColumn> Columns(int) const override { return columns_; }
    long RowCount() const override { return model_.rowCount(); }
    std::string CellText(long row, std::size_t column) const override {
        if (column >= modelColumns_.size()) return {};
        return model_.index(static_cast<int>(row), modelColumns_[column])
            .data()
            .toString()
            .toStdString();
    }

  private:
    const QAbstractItemModel& model_;
    std::vector<PrintListColumn> columns_;
    std::vector<int> modelColumns_;  // the model's column of each printed one
};

int AlignmentOf(const QVariant& alignment) {
    const auto flags = Qt::Alignment(alignment.toInt());
    if (flags & Qt::AlignRight) return 1;
    if (flags & Qt::AlignHCenter) return 2;
    return 0;
}

}  // namespace

CPrintListView::CPrintListView(UserInterface& ui, QWidget* parent) : QTableView(parent), ui_(ui) {}

std::shared_ptr<const PrintListSource> CPrintListView::PrintSource() const {
    const QAbstractItemModel* m = model();
    if (!m) return nullptr;
    std::vector<PrintListColumn> columns;
    std::vector<int> modelColumns;
    // A screen pixel of the list is as long on paper as on the screen.
    const double toUnits = static_cast<double>(paper::kUnitsPerInch) / logicalDpiX();
    for (int c = 0; c < m->columnCount(); ++c) {
        if (horizontalHeader()->isSectionHidden(c)) continue;
        modelColumns.push_back(c);
        columns.push_back({m->headerData(c, Qt::Horizontal).toString().toStdString(),
                           static_cast<int>(columnWidth(c) * toUnits),
                           AlignmentOf(m->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole))});
    }
    return std::make_shared<ModelSource>(*m, std::move(columns), std::move(modelColumns));
}

QString CPrintListView::PrintTitle() const {
    return windowTitle();
}

void CPrintListView::Print() {
    if (auto source = PrintSource()) {
        CPrintListPrintout printout(std::move(source), PrintTitle());
        GPrintDriver::Instance().Print(this, printout, ui_);
    }
}

void CPrintListView::PrintPreview() {
    if (auto source = PrintSource()) {
        CPrintListPrintout printout(std::move(source), PrintTitle());
        GPrintDriver::Instance().Preview(this, printout, &ui_);
    }
}

}  // namespace kivrun
