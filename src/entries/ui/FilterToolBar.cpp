#include "entries/ui/FilterToolBar.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/ui/CheckListComboBox.h"
#include "document/TamselDoc.h"
#include "entries/ui/DatePicker.h"
#include "entries/ui/LeaveWatcher.h"

namespace kivrun {
namespace {

const char* const kInvalidTime =
    "Time is not valid !! \nMust be in the form: H:MM:SS or a decimal !";

QString ToQ(const std::string& s) {
    return QString::fromStdString(s);
}

std::string FromQ(const QString& s) {
    return s.toStdString();
}

QLineEdit* Edit(QWidget* w) {
    return static_cast<QLineEdit*>(w);
}

void ShowTicks(CCheckListComboBox* box, const std::vector<std::pair<std::string, bool>>& items) {
    box->clear();
    for (const auto& [name, ticked] : items)
        box->addCheckItem(ToQ(name), ticked);
}

std::vector<std::pair<std::string, bool>> Ticks(const CCheckListComboBox* box) {
    std::vector<std::pair<std::string, bool>> items;
    for (int i = 0; i < box->count(); ++i)
        items.emplace_back(FromQ(box->itemText(i)), box->isChecked(i));
    return items;
}

// Hidden and shown as the operator changes, without the row moving its neighbours.
void KeepPlace(QWidget* w) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

// The bar's content, scrolled sideways when the main window is narrower than it: every box
// and button stays reachable on a small screen. As tall as the content, and the scroll bar
// when it shows.
class SideScroller : public QScrollArea {
  public:
    SideScroller(QWidget* content, QWidget* parent) : QScrollArea(parent) {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setWidget(content);
        content->installEventFilter(this);
    }
    QSize sizeHint() const override {
        const int least = widget()->minimumSizeHint().width();
        return {widget()->sizeHint().width(), HeightFor(width() > 0 && least > width())};
    }
    QSize minimumSizeHint() const override {
        return {fontMetrics().averageCharWidth() * 20, HeightFor(true)};
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The criteria shown or hidden: the bar's height follows.
        if (watched == widget() && event->type() == QEvent::LayoutRequest) updateGeometry();
        return QScrollArea::eventFilter(watched, event);
    }
    void resizeEvent(QResizeEvent* event) override {
        QScrollArea::resizeEvent(event);
        // Whether the scroll bar is needed changes with the width.
        const int wanted = sizeHint().height();
        if (wanted != height()) updateGeometry();
    }

  private:
    int HeightFor(bool withScrollBar) const {
        const int bar = withScrollBar ? horizontalScrollBar()->sizeHint().height() : 0;
        return widget()->minimumSizeHint().height() + bar;
    }
};

struct RowText {
    QString check;
    QStringList operators;
};

}  // namespace

CFilterToolBar::CFilterToolBar(CTamselDoc& doc, QWidget* parent)
    : QToolBar(parent), doc_(doc), presenter_(doc) {
    setObjectName(QStringLiteral("FilterToolBar"));
    setWindowTitle(tr("Filters"));
    setMovable(false);
    setFloatable(false);
    toggleViewAction()->setVisible(false);  // the View menu's command shows and hides it
    leaves_ = new LeaveWatcher(this, [this](QWidget* box) { return LeaveTime(box); });

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(4);
    BuildTopRow(body);
    BuildCriteria(body);
    addWidget(new SideScroller(body, this));

    // Return applies what the bar holds, from any of its boxes.
    for (QWidget* w : body->findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
            qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QCheckBox*>(w))
            w->installEventFilter(this);

    ShowForm(false);
    Write(presenter_.Initial());
    doc_.AddView(this);
}

CFilterToolBar::~CFilterToolBar() {
    doc_.RemoveView(this);
}

void CFilterToolBar::OnUpdate(View*, const UpdateHint& hint) {
    if (const auto values = presenter_.OnUpdate(hint, Read())) {
        ShowForm(presenter_.Expanded());
        Write(*values);
    }
}

void CFilterToolBar::BuildTopRow(QWidget* body) {
    showAll_ = new QCheckBox(tr("Show All"), body);
    sports_ = new CCheckListComboBox(body);
    classes_ = new CCheckListComboBox(body);
    // Wide enough for a few names, wider while the window allows; narrow main windows
    // still hold the bar.
    for (CCheckListComboBox* box : {sports_, classes_}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(8);
        box->setMaximumWidth(fontMetrics().averageCharWidth() * 36);
    }
    auto* sportsLabel = new QLabel(tr("Spo&rts:"), body);
    sportsLabel->setBuddy(sports_);
    auto* classesLabel = new QLabel(tr("C&lasses:"), body);
    classesLabel->setBuddy(classes_);
    expand_ = new QToolButton(body);
    expand_->setAutoRaise(false);
    update_ = new QPushButton(tr("Update"), body);
    pending_ = new QLabel(tr("Update to apply"), body);
    pending_->setToolTip(tr("The list still shows the filter applied before these changes"));
    // Last in the row: coming and going, it moves nothing.
    pending_->hide();
    // A click leaves the focus where it was, so Update checks that box itself.
    expand_->setFocusPolicy(Qt::TabFocus);
    update_->setFocusPolicy(Qt::TabFocus);

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(showAll_);
    row->addSpacing(8);
    row->addWidget(sportsLabel);
    row->addWidget(sports_, 1);
    row->addSpacing(8);
    row->addWidget(classesLabel);
    row->addWidget(classes_, 1);
    row->addSpacing(8);
    row->addWidget(expand_);
    row->addWidget(update_);
    row->addWidget(pending_);
    row->addStretch(1);
    static_cast<QVBoxLayout*>(body->layout())->addLayout(row);

    connect(showAll_, &QCheckBox::clicked, this, &CFilterToolBar::ShowAllClicked);
    connect(showAll_, &QCheckBox::toggled, this, &CFilterToolBar::UpdateEnabling);
    for (CCheckListComboBox* box : {sports_, classes_})
        connect(box, &CCheckListComboBox::selectionChanged, this, &CFilterToolBar::UpdatePending);
    connect(expand_, &QToolButton::clicked, this,
            [this] { presenter_.Expanded() ? Collapse() : Expand(); });
    connect(update_, &QPushButton::clicked, this, &CFilterToolBar::Update);
}

void CFilterToolBar::BuildCriteria(QWidget* body) {
    criteria_ = new QWidget(body);
    auto* grid = new QGridLayout(criteria_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    const QStringList measures = {tr("Greater than"), tr("Equal to"), tr("Less than"),
                                  tr("Between")};
    const QStringList texts = {tr("Matches"), tr("Contains")};
    const RowText rows[kCriteria] = {
        {tr("Date is:"), {tr("After"), tr("Equal to"), tr("Before"), tr("Between")}},
        {tr("Distance is:"), measures},
        {tr("Time is:"), measures},
        {tr("Pace is:"), measures},
        {tr("Route:"), texts},
        {tr("Notes:"), texts},
    };
    const int boxWidth = fontMetrics().horizontalAdvance(QStringLiteral("00:00:00.0")) + 24;
    for (int c = 0; c < kCriteria; ++c) {
        Row& row = rows_[static_cast<size_t>(c)];
        row.on = new QCheckBox(rows[c].check, criteria_);
        row.op = new QComboBox(criteria_);
        row.op->addItems(rows[c].operators);
        row.op->setCurrentIndex(-1);
        grid->addWidget(row.on, c, 0);
        grid->addWidget(row.op, c, 1);
        if (c == kDate) {
            row.first = date1_ = new DatePicker(criteria_);
            row.second = date2_ = new DatePicker(criteria_);
        } else if (c == kRoute || c == kNotes) {
            row.first = new QLineEdit(criteria_);
            Edit(row.first)->setMaxLength(250);
            grid->addWidget(row.first, c, 2, 1, 4);
        } else {
            row.first = new QLineEdit(criteria_);
            row.second = new QLineEdit(criteria_);
            row.first->setFixedWidth(boxWidth);
            row.second->setFixedWidth(boxWidth);
        }
        if (row.second) {
            row.andLabel = new QLabel(tr("and"), criteria_);
            grid->addWidget(row.first, c, 2);
            grid->addWidget(row.andLabel, c, 3, Qt::AlignCenter);
            grid->addWidget(row.second, c, 4);
            KeepPlace(row.andLabel);
            KeepPlace(row.second);
        }
        connect(row.on, &QCheckBox::toggled, this, &CFilterToolBar::UpdateEnabling);
        connect(row.op, &QComboBox::currentIndexChanged, this, &CFilterToolBar::UpdateEnabling);
        for (QWidget* box : {row.first, row.second})
            if (auto* edit = qobject_cast<QLineEdit*>(box))
                connect(edit, &QLineEdit::textChanged, this, &CFilterToolBar::UpdatePending);
    }
    repeat_ = new QCheckBox(tr("Repeat Date Range for all &Years"), criteria_);
    connect(repeat_, &QCheckBox::toggled, this, &CFilterToolBar::UpdatePending);
    KeepPlace(repeat_);
    grid->addWidget(repeat_, kDate, 5);
    setTabOrder(date2_, repeat_);  // on the date's row, though made last
    // Under the criteria, as wide as an operator and its first value.
    equipmentLabel_ = new QLabel(tr("E&quipment:"), criteria_);
    equipment_ = new CCheckListComboBox(criteria_);
    equipment_->setNamesEveryItem(true);
    equipment_->setNoneText(tr("Any"));
    equipment_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    equipment_->setMinimumContentsLength(8);
    equipment_->setToolTip(tr("Only the workouts that used one of the items ticked"));
    equipmentLabel_->setBuddy(equipment_);
    grid->addWidget(equipmentLabel_, kCriteria, 0);
    grid->addWidget(equipment_, kCriteria, 1, 1, 2);
    connect(equipment_, &CCheckListComboBox::selectionChanged, this,
            &CFilterToolBar::UpdatePending);
    grid->setColumnStretch(6, 1);
    static_cast<QVBoxLayout*>(body->layout())->addWidget(criteria_);

    connect(date1_, &DatePicker::dateChanged, this, [this] {
        DateChanged(true);
        UpdatePending();
    });
    connect(date2_, &DatePicker::dateChanged, this, [this] {
        DateChanged(false);
        UpdatePending();
    });
    leaves_->Watch(rows_[kTime].first);
    leaves_->Watch(rows_[kTime].second);
}

// --- Exchange with the filter state ------------------------------------------------------------

FilterBarValues CFilterToolBar::Read() const {
    FilterBarValues v;
    v.showAll = showAll_->isChecked();
    v.sports = Ticks(sports_);
    v.classes = Ticks(classes_);
    v.dateOn = rows_[kDate].on->isChecked();
    v.distanceOn = rows_[kDistance].on->isChecked();
    v.timeOn = rows_[kTime].on->isChecked();
    v.paceOn = rows_[kPace].on->isChecked();
    v.routeOn = rows_[kRoute].on->isChecked();
    v.notesOn = rows_[kNotes].on->isChecked();
    v.repeatAllYears = repeat_->isChecked();
    v.dateOp = rows_[kDate].op->currentIndex();
    v.distanceOp = rows_[kDistance].op->currentIndex();
    v.timeOp = rows_[kTime].op->currentIndex();
    v.paceOp = rows_[kPace].op->currentIndex();
    v.routeOp = rows_[kRoute].op->currentIndex();
    v.notesOp = rows_[kNotes].op->currentIndex();
    v.date1 = FromQDate(date1_->date());
    v.date2 = FromQDate(date2_->date());
    v.distance1 = FromQ(Edit(rows_[kDistance].first)->text());
    v.distance2 = FromQ(Edit(rows_[kDistance].second)->text());
    v.time1 = FromQ(Edit(rows_[kTime].first)->text());
    v.time2 = FromQ(Edit(rows_[kTime].second)->text());
    v.pace1 = FromQ(Edit(rows_[kPace].first)->text());
    v.pace2 = FromQ(Edit(rows_[kPace].second)->text());
    v.route = FromQ(Edit(rows_[kRoute].first)->text());
    v.notes = FromQ(Edit(rows_[kNotes].first)->text());
    for (int i = 0; i < equipment_->count(); ++i)
        v.equipment.push_back({equipment_->itemData(i).toLongLong(), FromQ(equipment_->itemText(i)),
                               equipment_->isChecked(i)});
    return v;
}

void CFilterToolBar::Write(const FilterBarValues& v) {
    loading_ = true;
    showAll_->setChecked(v.showAll);
    ShowTicks(sports_, v.sports);
    ShowTicks(classes_, v.classes);
    const bool on[kCriteria] = {v.dateOn, v.distanceOn, v.timeOn, v.paceOn, v.routeOn, v.notesOn};
    const int ops[kCriteria] = {v.dateOp, v.distanceOp, v.timeOp, v.paceOp, v.routeOp, v.notesOp};
    for (int c = 0; c < kCriteria; ++c) {
        const Row& row = rows_[static_cast<size_t>(c)];
        row.on->setChecked(on[c]);
        row.op->setCurrentIndex(ops[c] < row.op->count() ? ops[c] : -1);
    }
    repeat_->setChecked(v.repeatAllYears);
    date1_->setDate(ToQDate(v.date1));
    date2_->setDate(ToQDate(v.date2));
    Edit(rows_[kDistance].first)->setText(ToQ(v.distance1));
    Edit(rows_[kDistance].second)->setText(ToQ(v.distance2));
    Edit(rows_[kTime].first)->setText(ToQ(v.time1));
    Edit(rows_[kTime].second)->setText(ToQ(v.time2));
    Edit(rows_[kPace].first)->setText(ToQ(v.pace1));
    Edit(rows_[kPace].second)->setText(ToQ(v.pace2));
    Edit(rows_[kRoute].first)->setText(ToQ(v.route));
    Edit(rows_[kNotes].first)->setText(ToQ(v.notes));
    equipment_->clear();
    for (const FilterBarItem& item : v.equipment)
        equipment_->addCheckItem(ToQ(item.name), item.ticked, QVariant(qlonglong(item.id)));
    // A log without items has nothing to choose from.
    equipmentLabel_->setVisible(!v.equipment.empty());
    equipment_->setVisible(!v.equipment.empty());
    loading_ = false;
    UpdateEnabling();
}

// --- What the user does ---------------------------------------------------------------------

void CFilterToolBar::ShowForm(bool expanded) {
    // A box that hides with the focus would pass it on down the window's chain, bringing
    // another log window to the front: the bar keeps it.
    if (!expanded && criteria_->isAncestorOf(QApplication::focusWidget()))
        update_->setFocus(Qt::OtherFocusReason);
    criteria_->setVisible(expanded);
    expand_->setArrowType(expanded ? Qt::DownArrow : Qt::LeftArrow);
    expand_->setText(expanded ? QStringLiteral("v") : QStringLiteral("<"));
    expand_->setToolTip(expanded ? tr("Fewer criteria") : tr("More criteria"));
}

void CFilterToolBar::Expand() {
    if (presenter_.Expanded()) return;
    const FilterBarValues values = presenter_.Expand(Read());
    ShowForm(true);
    Write(values);
}

void CFilterToolBar::Collapse() {
    if (!presenter_.Expanded() || !CommitBoxes()) return;
    const FilterBarValues values = presenter_.Collapse(Read());
    ShowForm(false);
    Write(values);
}

void CFilterToolBar::Update() {
    if (!CommitBoxes()) return;
    // The document's notice brings the applied filter back to the bar.
    presenter_.Update(Read());
    ShowForm(false);
}

void CFilterToolBar::ShowAllClicked(bool checked) {
    if (checked && presenter_.Expanded() && !CommitBoxes()) {
        showAll_->setChecked(false);
        return;
    }
    const FilterBarValues values = presenter_.ShowAllClicked(Read(), checked);
    ShowForm(presenter_.Expanded());
    Write(values);
}

void CFilterToolBar::UpdateEnabling() {
    const bool filtering = !showAll_->isChecked();
    sports_->setEnabled(filtering);
    classes_->setEnabled(filtering);
    equipment_->setEnabled(filtering);
    for (int c = 0; c < kCriteria; ++c) {
        const Row& row = rows_[static_cast<size_t>(c)];
        row.on->setEnabled(filtering);
        const bool on = filtering && row.on->isChecked();
        row.op->setEnabled(on);
        const bool chosen = on && row.op->currentIndex() >= 0;
        row.first->setEnabled(chosen);
        if (row.second) {
            const bool between = chosen && row.op->currentIndex() == FilterState::kBetween;
            row.andLabel->setVisible(between);
            row.second->setVisible(between);
            if (c == kDate) repeat_->setVisible(between);
        }
    }
    UpdatePending();
}

void CFilterToolBar::UpdatePending() {
    if (loading_) return;
    const bool pending = presenter_.ChangesPending(Read());
    pending_->setVisible(pending);
    // Drawn as the button that Return presses, which it is from every box of the bar.
    update_->setDefault(pending);
}

void CFilterToolBar::DateChanged(bool first) {
    if (loading_) return;
    FilterState dates;
    dates.date1 = FromQDate(date1_->date());
    dates.date2 = FromQDate(date2_->date());
    if (first)
        dates.SetFirstDate(dates.date1);
    else
        dates.SetSecondDate(dates.date2);
    loading_ = true;
    date1_->setDate(ToQDate(dates.date1));
    date2_->setDate(ToQDate(dates.date2));
    loading_ = false;
}

bool CFilterToolBar::LeaveTime(QWidget* box) {
    QLineEdit* edit = Edit(box);
    const std::string text = FromQ(edit->text().trimmed());
    // A box out of use holds nothing the filter reads.
    if (text.empty() || !edit->isEnabled() || !edit->isVisibleTo(this)) return true;
    if (CElapsedTime::Validate(text) == 0) {
        doc_.ui().ShowMessage(kInvalidTime);
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        return false;
    }
    edit->setText(ToQ(CElapsedTime::FromUserText(text).Format(5)));
    return true;
}

bool CFilterToolBar::CommitBoxes() {
    if (!leaves_->Flush()) return false;
    QWidget* focus = QApplication::focusWidget();
    if (focus == rows_[kTime].first || focus == rows_[kTime].second) return LeaveTime(focus);
    return true;
}

bool CFilterToolBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Update();
            return true;
        }
    }
    return QToolBar::eventFilter(watched, event);
}

}  // namespace kivrun
