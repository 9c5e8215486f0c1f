#include "entries/ui/DataEntryFrm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "app/ui/ChildFrame.h"
#include "controls/ui/AutoCompleteComboBox.h"
#include "entries/NumberFormat.h"
#include "entries/ui/DatePicker.h"
#include "entries/ui/LeaveWatcher.h"
#include "weights/ui/WeightsDlg.h"

namespace kivrun {
namespace {

QString ToQ(const std::string& s) {
    return QString::fromStdString(s);
}

std::string FromQ(const QString& s) {
    return s.toStdString();
}

// A number box shows nothing for 0, so a new workout starts with empty boxes.
QString NumberText(double value) {
    return value == 0.0 ? QString() : ToQ(DoubleToText(value));
}

void ShowNumber(QLineEdit* box, double value) {
    if (TextToDouble(FromQ(box->text())) != value) box->setText(NumberText(value));
}

void ShowText(QLineEdit* box, const std::string& text) {
    if (box->text() != ToQ(text)) box->setText(ToQ(text));
}

void ShowChoices(QComboBox* box, const std::vector<DataEntryForm::Choice>& choices, int index) {
    bool same = box->count() == static_cast<int>(choices.size());
    for (int i = 0; same && i < box->count(); ++i)
        same = box->itemText(i) == ToQ(choices[static_cast<size_t>(i)].name);
    if (!same) {
        box->clear();
        for (const DataEntryForm::Choice& c : choices)
            box->addItem(ToQ(c.name));
    }
    box->setCurrentIndex(index);
}

QLineEdit* NumberBox(QWidget* parent, bool negative) {
    auto* box = new QLineEdit(parent);
    const QString pattern = negative ? QStringLiteral("-?\\d{0,7}(\\.\\d{0,4})?")
                                     : QStringLiteral("\\d{0,7}(\\.\\d{0,4})?");
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), box));
    return box;
}

QPushButton* Button(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    // A click leaves the focus in the box being typed in, so the button's handler runs that
    // box's conversions itself; Return on a button reached by Tab presses it.
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(true);
    return button;
}

QMdiSubWindow* WindowOf(const QWidget* w) {
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(p)) return sub;
    return nullptr;
}

}  // namespace

CDataEntryFrm::CDataEntryFrm(CTamselDoc& doc, QWidget* parent)
    : QWidget(parent), model_(doc, this) {
    setObjectName(QStringLiteral("DataEntryForm"));
    leaves_ = new LeaveWatcher(this, [this](QWidget* box) { return LeaveBox(box) == Focus::None; });
    BuildControls();
    BuildLayout();
    Connect();
    initialFocus_ = model_.InitialUpdate();
    Refresh();
}

CDataEntryFrm::~CDataEntryFrm() = default;

void CDataEntryFrm::BuildControls() {
    date_ = new DatePicker(this);
    sport_ = new QComboBox(this);
    class_ = new QComboBox(this);
    for (QComboBox* box : {sport_, class_}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(10);
    }
    distance_ = NumberBox(this, false);
    pace_ = new QLineEdit(this);
    time_ = new QLineEdit(this);
    pace_->setMaxLength(12);
    time_->setMaxLength(12);
    distanceUnit_ = new QLabel(this);
    paceUnit_ = new QLabel(this);
    const int unitWidth = fontMetrics().horizontalAdvance(QStringLiteral("meters")) + 4;
    const int boxWidth = fontMetrics().horizontalAdvance(QStringLiteral("00:00:00.0")) + 16;
    for (QLabel* unit : {distanceUnit_, paceUnit_})
        unit->setMinimumWidth(unitWidth);
    for (int i = 0; i < 2; ++i) {
        optional_[i] = NumberBox(this, true);
        // The user names these fields: no mnemonic is taken from the name.
        optionalLabel_[i] = new QLabel(this);
        optionalLabel_[i]->setTextFormat(Qt::PlainText);
    }
    for (QLineEdit* box : {distance_, pace_, time_, optional_[0], optional_[1]})
        box->setFixedWidth(boxWidth);

    route_ = new CAutoCompleteComboBox(this);
    route_->lineEdit()->setMaxLength(250);
    route_->setMinimumContentsLength(10);
    route_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    routeLabel_ = new QLabel(tr("Ro&ute:"), this);
    routeLabel_->setBuddy(route_);
    workout_ = new QPushButton(tr("&Workout:"), this);
    workout_->hide();
    routeButton_ = Button(tr("&Add"), this);
    routeButton_->setEnabled(false);

    notes_ = new QPlainTextEdit(this);
    notes_->setTabChangesFocus(true);
    notes_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    notes_->setMinimumWidth(fontMetrics().averageCharWidth() * 16);

    enter_ = Button(tr("&Enter"), this);
    enter_->setDefault(true);
    reset_ = Button(tr("Rese&t"), this);
    delete_ = Button(tr("D&elete"), this);
    delete_->hide();

    setFocusProxy(date_);
}

void CDataEntryFrm::BuildLayout() {
    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);
    grid->setVerticalSpacing(4);
    auto label = [content](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, content);
        l->setBuddy(buddy);
        return l;
    };
    // Three groups of boxes side by side, then route and notes taking the width left, then
    // the buttons: the whole form in three rows, well inside the pane's height.
    grid->addWidget(label(tr("&Date:"), date_), 0, 0);
    grid->addWidget(date_, 0, 1);
    grid->addWidget(label(tr("S&port:"), sport_), 1, 0);
    grid->addWidget(sport_, 1, 1);
    grid->addWidget(label(tr("Cla&ss:"), class_), 2, 0);
    grid->addWidget(class_, 2, 1);

    grid->addWidget(label(tr("Dista&nce:"), distance_), 0, 3);
    grid->addWidget(distance_, 0, 4);
    grid->addWidget(distanceUnit_, 0, 5);
    grid->addWidget(label(tr("Pa&ce:"), pace_), 1, 3);
    grid->addWidget(pace_, 1, 4);
    grid->addWidget(paceUnit_, 1, 5);
    grid->addWidget(label(tr("Ti&me:"), time_), 2, 3);
    grid->addWidget(time_, 2, 4);

    for (int i = 0; i < 2; ++i) {
        grid->addWidget(optionalLabel_[i], i, 7);
        grid->addWidget(optional_[i], i, 8);
    }

    grid->addWidget(routeLabel_, 0, 10);
    grid->addWidget(workout_, 0, 10);
    grid->addWidget(route_, 0, 11);
    grid->addWidget(routeButton_, 0, 12);
    grid->addWidget(label(tr("N&otes:"), notes_), 1, 10, Qt::AlignTop);
    grid->addWidget(notes_, 1, 11, 2, 2);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    buttons->addWidget(enter_);
    buttons->addWidget(reset_);
    buttons->addWidget(delete_);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 14, 3, 1);

    const int gap = fontMetrics().averageCharWidth();
    for (int column : {2, 6, 9, 13})
        grid->setColumnMinimumWidth(column, gap);
    // The route label and the Workout button take turns in one place: room for either.
    grid->setColumnMinimumWidth(10, workout_->sizeHint().width());
    grid->setColumnStretch(11, 1);
    grid->setRowStretch(3, 1);

    // A narrow or short pane scrolls rather than squeezing the boxes.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    // Once the boxes are in their places: Add comes after the notes, as it is seldom used.
    QWidget* order[] = {date_,  sport_,       class_,       distance_, pace_,
                        time_,  optional_[0], optional_[1], route_,    workout_,
                        notes_, routeButton_, enter_,       reset_,    delete_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CDataEntryFrm::Connect() {
    connect(date_, &QDateEdit::dateChanged, this, [this](QDate day) {
        if (!loading_) model_.date = FromQDate(day);
    });
    connect(sport_, &QComboBox::activated, this, [this](int index) {
        leaves_->Flush();
        model_.ChooseSport(index);
        Refresh();
    });
    connect(class_, &QComboBox::activated, this, [this](int index) {
        model_.ChooseClass(index);
        Refresh();
    });
    connect(distance_, &QLineEdit::textEdited, this, [this] { distanceTyped_ = true; });
    connect(pace_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.pace = FromQ(text); });
    connect(time_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.time = FromQ(text); });
    connect(optional_[0], &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.optionalOne = TextToDouble(FromQ(text)); });
    connect(optional_[1], &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.optionalTwo = TextToDouble(FromQ(text)); });
    connect(notes_, &QPlainTextEdit::textChanged, this, [this] {
        if (!loading_) model_.notes = FromQ(notes_->toPlainText());
    });
    connect(route_, &CAutoCompleteComboBox::textTyped, this, [this](const QString& text) {
        const auto [start, end] = model_.EditRoute(FromQ(text));
        const QString shown = ToQ(model_.route);
        if (shown != route_->currentText()) {
            // The box completes as the form does; should they ever differ, the form wins.
            const auto at = [this](int bytes) {
                return static_cast<int>(ToQ(model_.route.substr(0, size_t(bytes))).size());
            };
            route_->setEditText(shown);
            route_->lineEdit()->setSelection(at(start), at(end) - at(start));
        }
        Refresh();
    });
    connect(route_, &QComboBox::textActivated, this, [this](const QString& item) {
        model_.ChooseRoute(FromQ(item));
        Refresh();
    });
    connect(routeButton_, &QPushButton::clicked, this, &CDataEntryFrm::PressRouteButton);
    connect(enter_, &QPushButton::clicked, this, &CDataEntryFrm::PressEnter);
    connect(reset_, &QPushButton::clicked, this, &CDataEntryFrm::PressReset);
    connect(delete_, &QPushButton::clicked, this, &CDataEntryFrm::PressDelete);
    connect(workout_, &QPushButton::clicked, this, &CDataEntryFrm::PressWorkout);
    connect(qApp, &QApplication::focusChanged, this, &CDataEntryFrm::FocusMoved);

    for (QWidget* box : {time_, distance_, pace_})
        leaves_->Watch(box);
    // Return enters from any box; in the notes it starts a new line, Ctrl+Return enters.
    for (QWidget* box : std::initializer_list<QWidget*>{date_, sport_, class_, distance_, pace_,
                                                        time_, optional_[0], optional_[1], route_,
                                                        route_->lineEdit(), notes_})
        box->installEventFilter(this);
}

// --- Showing the model --------------------------------------------------------------------

void CDataEntryFrm::Refresh() {
    loading_ = true;
    const QDate day = ToQDate(model_.date);
    if (date_->date() != day) date_->setDate(day);
    ShowChoices(sport_, model_.Sports(), model_.sport);
    ShowChoices(class_, model_.Classes(), model_.cls);
    // The form takes a typed distance when the box is left; until then the box keeps it.
    if (!distanceTyped_) ShowNumber(distance_, model_.distance);
    ShowText(pace_, model_.pace);
    ShowText(time_, model_.time);
    distance_->setEnabled(model_.DistanceEnabled());
    pace_->setEnabled(model_.DistanceEnabled());
    distanceUnit_->setText(ToQ(model_.DistanceUnitLabel()));
    paceUnit_->setText(ToQ(model_.PaceUnitLabel()));
    optionalLabel_[0]->setText(ToQ(model_.OptionalOneLabel()));
    optionalLabel_[1]->setText(ToQ(model_.OptionalTwoLabel()));
    ShowNumber(optional_[0], model_.optionalOne);
    ShowNumber(optional_[1], model_.optionalTwo);

    QStringList routes;
    for (const std::string& r : model_.Routes())
        routes << ToQ(r);
    QStringList listed;
    for (int i = 0; i < route_->count(); ++i)
        listed << route_->itemText(i);
    if (listed != routes) {
        route_->clear();
        route_->addItems(routes);
        route_->setCurrentIndex(-1);
    }
    if (route_->currentText() != ToQ(model_.route)) route_->setEditText(ToQ(model_.route));
    routeButton_->setText(ToQ(model_.RouteButtonText()));
    routeButton_->setEnabled(model_.RouteButtonEnabled());
    routeLabel_->setVisible(!model_.WeightsMode());
    workout_->setVisible(model_.WeightsMode());
    if (notes_->toPlainText() != ToQ(model_.notes)) notes_->setPlainText(ToQ(model_.notes));

    enter_->setText(ToQ(model_.EnterText()));
    delete_->setVisible(model_.Editing());
    ShowTitle();
    loading_ = false;
}

void CDataEntryFrm::Reload() {
    distanceTyped_ = false;
    Refresh();
}

void CDataEntryFrm::ShowTitle() {
    const QString title = ToQ(model_.Title());
    setWindowTitle(title);
    if (QMdiSubWindow* window = WindowOf(this)) window->setWindowTitle(title);
}

void CDataEntryFrm::MoveFocus(Focus focus) {
    QWidget* box = nullptr;
    switch (focus) {
        case Focus::Sport:
            box = sport_;
            break;
        case Focus::Time:
            box = time_;
            break;
        case Focus::Distance:
            box = distance_;
            break;
        case Focus::Pace:
            box = pace_;
            break;
        case Focus::Route:
            box = route_;
            break;
        case Focus::None:
        case Focus::Unsaved:
            return;
    }
    box->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(box)) edit->selectAll();
}

void CDataEntryFrm::FocusFirstBox() {
    date_->setFocus(Qt::OtherFocusReason);
}

void CDataEntryFrm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_) return;
    shown_ = true;
    ShowTitle();  // the window it lives in exists by now
    // After the window has put the focus on its first pane.
    if (initialFocus_ != Focus::None)
        QTimer::singleShot(0, this,
                           [this] { MoveFocus(std::exchange(initialFocus_, Focus::None)); });
}

// --- What the user does -------------------------------------------------------------------

DataEntryForm::Focus CDataEntryFrm::LeaveBox(QWidget* box) {
    if (box == time_) {
        model_.time = FromQ(time_->text());
        const Focus focus = model_.LeaveTime();
        Refresh();
        MoveFocus(focus);
        return focus;
    }
    if (box == distance_) {
        if (distance_->isEnabled()) model_.LeaveDistance(TextToDouble(FromQ(distance_->text())));
        Reload();
    } else if (box == pace_ && pace_->isEnabled()) {
        model_.pace = FromQ(pace_->text());
        model_.LeavePace();
        Refresh();
    }
    return Focus::None;
}

bool CDataEntryFrm::CommitBoxes() {
    if (!leaves_->Flush()) return false;
    QWidget* focus = QApplication::focusWidget();
    return !(focus && Holds(focus) && LeaveBox(focus) != Focus::None);
}

void CDataEntryFrm::PressEnter() {
    if (!CommitBoxes()) return;
    const Focus focus = model_.Enter();
    Reload();
    if (focus != Focus::None)
        MoveFocus(focus);
    else
        FocusFirstBox();  // ready for the next workout of the day
}

void CDataEntryFrm::PressReset() {
    // An edited entry may be saved first: with what the boxes hold.
    if (model_.Editing()) {
        if (!CommitBoxes()) return;
    } else {
        leaves_->Cancel();
    }
    const Focus focus = model_.Reset();
    Reload();
    if (focus != Focus::None)
        MoveFocus(focus);
    else
        FocusFirstBox();
}

void CDataEntryFrm::PressDelete() {
    leaves_->Cancel();
    model_.Delete();
    Reload();
    if (!model_.Editing()) FocusFirstBox();
}

void CDataEntryFrm::PressRouteButton() {
    const Focus focus = model_.PressRouteButton();
    Refresh();
    MoveFocus(focus);
}

bool CDataEntryFrm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool ret = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (ret && (watched != notes_ || key->modifiers() & Qt::ControlModifier)) {
            PressEnter();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- Leaving the form ----------------------------------------------------------------------

bool CDataEntryFrm::Holds(const QWidget* w) const {
    return w == this || isAncestorOf(w);
}

// A pane of a log window, this one's sibling or another window's. Menus, toolbars, the
// filter bar and dialogs are not views: going there is not leaving the form.
bool CDataEntryFrm::IsAnotherView(QWidget* w) const {
    for (; w && !w->isWindow(); w = w->parentWidget()) {
        if (auto* window = qobject_cast<QMdiSubWindow*>(w)) return window != WindowOf(this);
        if (w != this && dynamic_cast<View*>(w)) return true;
    }
    return false;
}

// The "Weights" dialog edits the workout's routine; OK hands its rows to the workout.
void CDataEntryFrm::PressWorkout() {
    const auto& sports = model_.Sports();
    const std::string sport = model_.sport >= 0 && size_t(model_.sport) < sports.size()
                                  ? sports[size_t(model_.sport)].name
                                  : std::string();
    if (auto rows =
            CWeightsDlg::EditRoutine(model_.Document(), model_.Routine(), model_.date, sport, this))
        model_.SetRoutine(std::move(*rows));
}

void CDataEntryFrm::FocusMoved(QWidget* old, QWidget* now) {
    if (!model_.Editing() || resetting_ || !old || !now) return;
    if (!Holds(old) || Holds(now) || !IsAnotherView(now)) return;
    // Not while Qt is still moving the focus: the question is a dialog.
    QTimer::singleShot(0, this, [this, entryId = model_.EditingId()] { ResetOnLeaving(entryId); });
}

// Leaving the form while editing is Reset: save the edit or drop it, then a new entry. An
// entry loaded since (the list's Edit Entry) is the user's next edit, not the one left.
void CDataEntryFrm::ResetOnLeaving(long entryId) {
    if (model_.EditingId() != entryId || resetting_) return;
    if (!leaves_->Flush()) return;  // a box refused its text and took the focus back
    if (QWidget* focus = QApplication::focusWidget(); focus && Holds(focus)) return;
    resetting_ = true;
    const Focus focus = model_.Reset();
    resetting_ = false;
    Reload();
    MoveFocus(focus);
}

void CDataEntryFrm::closeEvent(QCloseEvent* event) {
    // Closing the window while editing asks too; an edit that cannot be saved keeps it open.
    if (model_.Editing()) {
        if (!CommitBoxes()) {
            event->ignore();
            return;
        }
        resetting_ = true;
        const Focus focus = model_.Reset();
        resetting_ = false;
        Reload();
        if (focus != Focus::None) {
            MoveFocus(focus);
            event->ignore();
            return;
        }
    }
    event->accept();
}

// --- Other views ----------------------------------------------------------------------------

void CDataEntryFrm::OnUpdate(View*, const UpdateHint& hint) {
    if (hint.kind == Notice::EditEntry) {
        LoadEntry(hint.id, hint.duplicate);
        return;
    }
    const bool editing = model_.Editing();
    model_.OnUpdate(hint);
    if (editing && !model_.Editing())
        Reload();  // the entry went away under the form, which was cleared
    else
        Refresh();
}

void CDataEntryFrm::LoadEntry(RowId entryId, bool duplicate) {
    // The loaded values replace whatever was typed; the focus stays with the caller.
    leaves_->Cancel();
    model_.LoadEntry(entryId, duplicate);
    Reload();
}

void CDataEntryFrm::ConvertEvent(const CDate& day, const std::string& sportAbbrev,
                                 const std::string& name, bool race) {
    leaves_->Cancel();
    const Focus focus = model_.ConvertEvent(day, sportAbbrev, name, race);
    Reload();
    MoveFocus(focus);
}

}  // namespace kivrun
