#include "summaries/ui/GraphViewFrame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "document/TamselDoc.h"
#include "frames/ui/CommandRefresh.h"
#include "print/ui/GPrintDriver.h"
#include "print/ui/PictureFile.h"
#include "summaries/ui/GraphPrintout.h"
#include "summaries/ui/GraphView.h"

namespace kivrun {
namespace {

std::optional<GraphType> TypeOf(Command cmd) {
    switch (cmd) {
        case Command::GraphBar:
            return GraphType::Bar;
        case Command::GraphLine:
            return GraphType::Line;
        case Command::GraphPie:
            return GraphType::Pie;
        default:
            return std::nullopt;
    }
}

std::optional<TotalsGrouping> GroupingOf(Command cmd) {
    switch (cmd) {
        case Command::GraphByWeek:
            return TotalsGrouping::Week;
        case Command::GraphByMonth:
            return TotalsGrouping::Month;
        case Command::GraphByYear:
            return TotalsGrouping::Year;
        default:
            return std::nullopt;
    }
}

}  // namespace

QWidget* CGraphViewFrame::Create(CTamselDoc& doc, QWidget* parent) {
    return new CGraphViewFrame(doc, parent);
}

CGraphViewFrame::CGraphViewFrame(CTamselDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setObjectName(QStringLiteral("Graphing"));
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("GraphOptions"));
    auto* options = new QHBoxLayout(bar);
    options->setContentsMargins(8, 4, 8, 4);
    auto* label = new QLabel(QStringLiteral("Y Axis:"), bar);
    quantity_ = new QComboBox(bar);
    for (GraphQuantity q : {GraphQuantity::Distance, GraphQuantity::Time, GraphQuantity::Workouts,
                            GraphQuantity::Pace})
        quantity_->addItem(QString::fromLatin1(QuantityName(q)));
    label->setBuddy(quantity_);
    cumulative_ = new QCheckBox(QStringLiteral("Cumulative"), bar);
    bySport_ = new QCheckBox(QStringLiteral("Separate By Sport"), bar);
    options->addWidget(label);
    options->addWidget(quantity_);
    options->addSpacing(16);
    options->addWidget(cumulative_);
    options->addWidget(bySport_);
    options->addStretch(1);

    saved_ = SavedGraphSettings(doc_);
    view_ = new CGraphView(doc_, saved_, this);
    scroll_ = new QScrollBar(Qt::Horizontal, this);
    scroll_->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(view_, 1);
    layout->addWidget(scroll_);
    setFocusProxy(view_);

    reload_ = new QTimer(this);
    reload_->setSingleShot(true);
    reload_->setInterval(0);
    connect(reload_, &QTimer::timeout, this, &CGraphViewFrame::Reload);

    connect(quantity_, &QComboBox::activated, this, [this](int index) {
        Model().SetQuantity(static_cast<GraphQuantity>(index));
        Sync();
    });
    connect(cumulative_, &QCheckBox::clicked, this,
            [this] { RunCommand(Command::GraphCumulative); });
    connect(bySport_, &QCheckBox::clicked, this, [this] { RunCommand(Command::GraphBySport); });
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
        if (syncing_) return;
        Model().ScrollTo(value);
        view_->Refresh();
    });
    connect(view_, &CGraphView::Changed, this, &CGraphViewFrame::Sync);
    // The graph's own menu: what is done with the picture, and the zoom.
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("Save &Picture..."), this, &CGraphViewFrame::Export);
        menu.addAction(QStringLiteral("&Print Graph..."), this, &CGraphViewFrame::Print);
        menu.addAction(QStringLiteral("Print Pre&view"), this, &CGraphViewFrame::PrintPreview);
        menu.addSeparator();
        menu.addAction(QStringLiteral("Zoom &In"), this,
                       [this] { RunCommand(Command::GraphZoomIn); })
            ->setEnabled(Model().CanZoomIn());
        menu.addAction(QStringLiteral("Zoom &Out"), this,
                       [this] { RunCommand(Command::GraphZoomOut); })
            ->setEnabled(Model().CanZoomOut());
        menu.exec(view_->mapToGlobal(at));
    });

    Model().Open();
    Sync();
}

CGraphViewFrame::~CGraphViewFrame() {
    if (Model().Settings() != saved_) SaveGraphSettings(doc_, Model().Settings());
}

CGraphModel& CGraphViewFrame::Model() const {
    return view_->Model();
}

void CGraphViewFrame::Sync() {
    CGraphModel& model = Model();
    const GraphSettings& s = model.Settings();
    syncing_ = true;
    quantity_->setCurrentIndex(static_cast<int>(s.quantity));
    cumulative_->setChecked(s.cumulative);
    bySport_->setChecked(s.bySport);
    bySport_->setEnabled(model.CanSeparateBySport());
    scroll_->setRange(0, model.ScrollMax());
    scroll_->setPageStep(std::max(1, model.VisibleCount()));
    scroll_->setValue(model.First());
    syncing_ = false;
    view_->Refresh();
    // Kept at once, so that nothing is lost however the program ends.
    if (s != saved_) {
        SaveGraphSettings(doc_, s);
        saved_ = s;
    }
    RequestCommandRefresh(this);
}

void CGraphViewFrame::OnUpdate(View*, const UpdateHint& hint) {
    switch (hint.kind) {
        case Notice::EntryAdded:
        case Notice::EntryChanged:
        case Notice::EntryDeleted:
            // Only the days the workout was and is on change.
            if (hint.oldDate == 0 && hint.newDate == 0) reloadAll_ = true;
            for (double day : {hint.oldDate, hint.newDate})
                if (day != 0) changedDays_.insert(CDate::FromSerial(day));
            reload_->start();
            break;
        case Notice::DataReloaded:
        case Notice::FilterApplied:
        case Notice::SportsChanged:
        case Notice::GeneralPreferences:
            // Once for a run of notices.
            reloadAll_ = true;
            reload_->start();
            break;
        default:
            break;
    }
}

void CGraphViewFrame::Reload() {
    if (reloadAll_)
        Model().Reload();
    else if (!changedDays_.empty())
        Model().ReloadDays({changedDays_.begin(), changedDays_.end()});
    reloadAll_ = false;
    changedDays_.clear();
    Sync();
}

std::optional<CommandState> CGraphViewFrame::CommandStatus(Command cmd) {
    const CGraphModel& model = Model();
    const GraphSettings& s = model.Settings();
    if (auto type = TypeOf(cmd)) return CommandState{true, s.type == *type};
    if (auto grouping = GroupingOf(cmd)) return CommandState{true, s.grouping == *grouping};
    switch (cmd) {
        case Command::GraphCumulative:
            return CommandState{true, s.cumulative};
        case Command::GraphBySport:
            return CommandState{model.CanSeparateBySport(), s.bySport};
        case Command::GraphZoomIn:
            return CommandState{model.CanZoomIn(), false};
        case Command::GraphZoomOut:
            return CommandState{model.CanZoomOut(), false};
        case Command::FilePrint:
        case Command::FilePrintPreview:
        case Command::FileExport:
            return CommandState{doc_.IsOpen(), false};
        default:
            return std::nullopt;
    }
}

void CGraphViewFrame::RunCommand(Command cmd) {
    CGraphModel& model = Model();
    if (auto type = TypeOf(cmd)) {
        model.SetType(*type);
    } else if (auto grouping = GroupingOf(cmd)) {
        model.SetGrouping(*grouping);
    } else {
        switch (cmd) {
            case Command::GraphCumulative:
                model.SetCumulative(!model.Settings().cumulative);
                break;
            case Command::GraphBySport:
                model.SetBySport(!model.Settings().bySport);
                break;
            case Command::GraphZoomIn:
                model.ZoomIn();
                break;
            case Command::GraphZoomOut:
                model.ZoomOut();
                break;
            case Command::FilePrint:
                Print();
                return;
            case Command::FilePrintPreview:
                PrintPreview();
                return;
            case Command::FileExport:
                Export();
                return;
            default:
                return;
        }
    }
    Sync();
}

void CGraphViewFrame::Print() {
    CGraphPrintout printout(Model());
    GPrintDriver::Instance().Print(this, printout, doc_.ui());
}

void CGraphViewFrame::PrintPreview() {
    CGraphPrintout printout(Model());
    GPrintDriver::Instance().Preview(this, printout, &doc_.ui());
}

void CGraphViewFrame::Export() {
    const std::optional<std::string> path = doc_.ui().ChooseSaveFile(GraphPictureRequest());
    if (!path) return;
    CGraphPrintout picture(Model());
    const QString failure = SavePicture(picture, QString::fromStdString(*path));
    if (!failure.isEmpty()) doc_.ui().ShowMessage(GraphPictureFailed(*path, failure.toStdString()));
}

}  // namespace kivrun
