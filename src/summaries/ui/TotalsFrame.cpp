#include "summaries/ui/TotalsFrame.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include "document/TamselDoc.h"
#include "frames/WindowLayout.h"
#include "summaries/TotalsTable.h"
#include "summaries/ui/TotalsView.h"

namespace kivrun {
namespace {

std::optional<TotalsGrouping> GroupingOf(Command cmd) {
    switch (cmd) {
        case Command::TotalsByWeek:
            return TotalsGrouping::Week;
        case Command::TotalsByMonth:
            return TotalsGrouping::Month;
        case Command::TotalsByYear:
            return TotalsGrouping::Year;
        default:
            return std::nullopt;
    }
}

}  // namespace

QWidget* CTotalsFrame::Create(CTamselDoc& doc, QWidget* parent) {
    return new CTotalsFrame(doc, parent);
}

CTotalsFrame::CTotalsFrame(CTamselDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setObjectName(QStringLiteral("Totals"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setChildrenCollapsible(false);
    left_ = new CTotalsView(doc_, splitter_);
    right_ = new CTotalsView(doc_, splitter_);
    splitter_->addWidget(left_);
    splitter_->addWidget(right_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    // The line between the panes stays where Split View puts it.
    splitter_->handle(1)->setEnabled(false);
    right_->hide();
    layout->addWidget(splitter_);
    setFocusProxy(left_);

    refill_ = new QTimer(this);
    refill_->setSingleShot(true);
    refill_->setInterval(0);
    connect(refill_, &QTimer::timeout, this, &CTotalsFrame::Refill);

    left_->SetGrouping(SavedTotalsGrouping(doc_));
}

CTotalsView* CTotalsFrame::Right() const {
    return IsSplit() ? right_ : nullptr;
}

bool CTotalsFrame::IsSplit() const {
    return !right_->isHidden();
}

void CTotalsFrame::FitWindow(int width) {
    QMdiSubWindow* window = nullptr;
    for (QWidget* w = parentWidget(); w && !window; w = w->parentWidget())
        window = qobject_cast<QMdiSubWindow*>(w);
    if (!window) return;
    if (window->isMaximized() || window->isMinimized()) window->showNormal();
    QSize area = window->parentWidget() ? window->parentWidget()->size() : QSize();
    if (QMdiArea* mdi = window->mdiArea()) area = mdi->viewport()->size();
    const WindowRect r = CentredRect(width, window->height(), area.width(), area.height());
    window->setGeometry(r.x, r.y, r.width, r.height);
}

void CTotalsFrame::SetSplit(bool split) {
    if (split == IsSplit()) return;
    if (split) {
        right_->CopyFrom(*left_);
        // The left pane keeps its width; the right one takes what the window has besides.
        left_->setFixedWidth(kTotalsSplitColumn);
        right_->show();
        FitWindow(kTotalsSplitWidth);
    } else {
        right_->hide();
        left_->setMinimumWidth(0);
        left_->setMaximumWidth(QWIDGETSIZE_MAX);
        FitWindow(kTotalsSingleWidth);
    }
}

void CTotalsFrame::SetGrouping(TotalsGrouping grouping) {
    if (grouping == left_->Grouping()) return;
    left_->SetGrouping(grouping);
    if (IsSplit()) right_->CopyFrom(*left_);
}

void CTotalsFrame::OnUpdate(View*, const UpdateHint& hint) {
    switch (hint.kind) {
        case Notice::EntryAdded:
        case Notice::EntryChanged:
        case Notice::EntryDeleted:
        case Notice::DataReloaded:
        case Notice::FilterApplied:
        case Notice::SportsChanged:
        case Notice::GeneralPreferences:
            // Once for a run of changes (deleting many rows sends a notice for each).
            refill_->start();
            break;
        default:
            break;
    }
}

void CTotalsFrame::Refill() {
    left_->Invalidate();
    left_->Fill();
    if (IsSplit()) right_->CopyFrom(*left_);
}

std::optional<CommandState> CTotalsFrame::CommandStatus(Command cmd) {
    if (auto grouping = GroupingOf(cmd)) return CommandState{true, left_->Grouping() == *grouping};
    switch (cmd) {
        case Command::TotalsSingleView:
            return CommandState{IsSplit(), !IsSplit()};
        case Command::TotalsSplitView:
            return CommandState{!IsSplit(), IsSplit()};
        case Command::FilePrint:
        case Command::FilePrintPreview:
            return CommandState{doc_.IsOpen(), false};
        default:
            return std::nullopt;
    }
}

void CTotalsFrame::RunCommand(Command cmd) {
    if (auto grouping = GroupingOf(cmd)) {
        SetGrouping(*grouping);
        return;
    }
    switch (cmd) {
        case Command::TotalsSingleView:
            SetSplit(false);
            break;
        case Command::TotalsSplitView:
            SetSplit(true);
            break;
        case Command::FilePrint:
            left_->Print();
            break;
        case Command::FilePrintPreview:
            left_->PrintPreview();
            break;
        default:
            break;
    }
}

}  // namespace kivrun
