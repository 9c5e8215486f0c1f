#include "summaries/ui/TotalsView.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QTimer>

#include "document/TamselDoc.h"
#include "summaries/TotalsRows.h"
#include "summaries/ui/TotalsModel.h"
#include "views/ui/PrintListPrintout.h"

namespace kivrun {
namespace {

const char* const kNoEntries = "No entries!!";

// Arial 12 pixels high, 6 wide on average, heavy.
QFont TotalsFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    font.setWeight(QFont::Black);
    const double average = QFontMetrics(font).averageCharWidth();
    if (average > 0) font.setStretch(std::clamp(qRound(100 * 6 / average), 50, 200));
    return font;
}

QString TitleOf(TotalsGrouping grouping) {
    return QString::fromStdString(TotalsPeriodTitle(grouping));
}

}  // namespace

CTotalsView::CTotalsView(CTamselDoc& doc, QWidget* parent)
    : CPrintListView(doc.ui(), parent), doc_(doc) {
    model_ = new CTotalsModel(this);
    setModel(model_);
    setFont(TotalsFont());
    QPalette p = palette();
    p.setColor(QPalette::Base,
               QColor(kTotalsBackground.r, kTotalsBackground.g, kTotalsBackground.b));
    setPalette(p);
    setShowGrid(false);
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    // One row height for all, never measured.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    for (std::size_t c = 0; c < TotalsColumns().size(); ++c)
        setColumnWidth(static_cast<int>(c), TotalsColumns()[c].screenWidth);
}

CTotalsView::~CTotalsView() = default;

void CTotalsView::SetGrouping(TotalsGrouping grouping) {
    grouping_ = grouping;
    SaveTotalsGrouping(doc_, grouping);
    Fill(true);
}

void CTotalsView::Fill(bool tell) {
    if (stale_) {
        data_.Gather(doc_);
        stale_ = false;
    }
    TotalsResult result = BuildTotalsRows(doc_, data_, grouping_);
    noEntries_ = result.noEntries;
    model_->SetRows(std::make_shared<const std::vector<TotalsRow>>(std::move(result.rows)),
                    TitleOf(grouping_));
    viewport()->update();
    // Said once the window is up, not from inside the fill that opens it.
    if (tell && noEntries_)
        QTimer::singleShot(0, this, [this] {
            if (noEntries_) doc_.ui().ShowMessage(kNoEntries, MessageKind::Information);
        });
}

void CTotalsView::CopyFrom(const CTotalsView& other) {
    grouping_ = other.grouping_;
    noEntries_ = other.noEntries_;
    model_->SetRows(other.model_->Rows(), other.model_->PeriodTitle());
    if (model_->rowCount() > 0) scrollTo(model_->index(model_->rowCount() - 1, 0));
    viewport()->update();
}

std::shared_ptr<const PrintListSource> CTotalsView::PrintSource() const {
    return std::make_shared<TotalsPrintSource>(model_->Rows(), grouping_);
}

std::unique_ptr<GPrintout> CTotalsView::Printout(CTamselDoc& doc, TotalsGrouping grouping) {
    TotalsResult result = BuildTotalsRows(doc, grouping);
    auto rows = std::make_shared<const std::vector<TotalsRow>>(std::move(result.rows));
    return std::make_unique<CPrintListPrintout>(
        std::make_shared<TotalsPrintSource>(std::move(rows), grouping), QStringLiteral("Totals"));
}

void CTotalsView::paintEvent(QPaintEvent* event) {
    CPrintListView::paintEvent(event);
    if (!noEntries_ || model_->rowCount() > 0) return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect().adjusted(8, 8, -8, -8), Qt::AlignHCenter | Qt::AlignTop,
                     QString::fromLatin1(kNoEntries));
}

}  // namespace kivrun
