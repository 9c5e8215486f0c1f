#include "entries/ui/DataEntryFrm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include <QMainWindow>
#include <QStatusBar>

#include "controls/ui/AutoCompleteComboBox.h"
#include "controls/ui/CheckListComboBox.h"
#include "controls/ui/RowFlowLayout.h"
#include "entries/ui/DatePicker.h"
#include "entries/ui/LeaveWatcher.h"
#include "frames/ui/ChildFrame.h"
#include "values/NumberFormat.h"
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

// Undo and Redo in a box with nothing of its own to take back are the log's.
bool BoxHasNothingToUndo(QObject* box, const QKeyEvent& key) {
    const bool undo = key.matches(QKeySequence::Undo);
    if (!undo && !key.matches(QKeySequence::Redo)) return false;
    if (auto* notes = qobject_cast<QPlainTextEdit*>(box))
        return !(undo ? notes->document()->isUndoAvailable()
                      : notes->document()->isRedoAvailable());
    auto* edit = qobject_cast<QLineEdit*>(box);
    if (!edit) edit = box->findChild<QLineEdit*>();  // a date box or the route box
    return edit && !(undo ? edit->isUndoAvailable() : edit->isRedoAvailable());
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

bool CDataEntryFrm::hasHeightForWidth() const {
    return true;
}

int CDataEntryFrm::heightForWidth(int width) const {
    return content_->heightForWidth(width);
}

QSize CDataEntryFrm::sizeHint() const {
    const int width = content_->sizeHint().width();
    return QSize(width, heightForWidth(width));
}

int CDataEntryFrm::FieldRows() const {
    return fields_->Rows();
}

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
    // The time as the form reads it, while it is typed: "45" is 45 hours, not minutes.
    timeRead_ = new QLabel(this);
    timeRead_->setTextFormat(Qt::PlainText);
    timeRead_->setToolTip(tr("The time as it will be kept: 1 hour, 8 minutes = 1:08"));
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
    route_->setMinimumContentsLength(8);
    route_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    routeLabel_ = new QLabel(tr("Ro&ute:"), this);
    routeLabel_->setBuddy(route_);
    workout_ = new QPushButton(tr("&Workout:"), this);
    workout_->hide();
    routeButton_ = Button(tr("&Add"), this);
    routeButton_->setEnabled(false);
    // Off the Tab path: it turns itself off once pressed, and the focus would jump on to a
    // button the user never went to. Alt+A and the mouse reach it.
    routeButton_->setFocusPolicy(Qt::NoFocus);

    equipment_ = new CCheckListComboBox(this);
    equipment_->setObjectName(QStringLiteral("EquipmentBox"));
    equipment_->setNamesEveryItem(true);
    equipment_->setMinimumWidth(fontMetrics().averageCharWidth() * 16);
    notes_ = new QPlainTextEdit(this);
    notes_->setTabChangesFocus(true);
    notes_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    notes_->setMinimumWidth(fontMetrics().averageCharWidth() * 16);

    enter_ = Button(tr("&Enter"), this);
    enter_->setDefault(true);
    reset_ = Button(tr("Rese&t"), this);
    // Alt+E is Enter's, in the form as in the Edit menu's item of that name.
    delete_ = Button(tr("De&lete"), this);
    delete_->hide();

    setFocusProxy(date_);
}

void CDataEntryFrm::BuildLayout() {
    content_ = new QWidget;
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, content_);
        l->setBuddy(buddy);
        return l;
    };
    auto group = [] {
        auto* grid = new QGridLayout;
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setVerticalSpacing(4);
        return grid;
    };
    // Four groups side by side: when, how far and fast, the optional values, route and
    // notes. A narrow pane wraps them to a further row, route and notes giving up their
    // width first; the buttons keep their place at the right, always in sight.
    QGridLayout* when = group();
    when->addWidget(label(tr("&Date:"), date_), 0, 0);
    when->addWidget(date_, 0, 1);
    when->addWidget(label(tr("S&port:"), sport_), 1, 0);
    when->addWidget(sport_, 1, 1);
    when->addWidget(label(tr("Cla&ss:"), class_), 2, 0);
    when->addWidget(class_, 2, 1);

    QGridLayout* amount = group();
    amount->addWidget(label(tr("Dista&nce:"), distance_), 0, 0);
    amount->addWidget(distance_, 0, 1);
    amount->addWidget(distanceUnit_, 0, 2);
    amount->addWidget(label(tr("Pa&ce:"), pace_), 1, 0);
    amount->addWidget(pace_, 1, 1);
    amount->addWidget(paceUnit_, 1, 2);
    amount->addWidget(label(tr("Ti&me:"), time_), 2, 0);
    amount->addWidget(time_, 2, 1);
    amount->addWidget(timeRead_, 2, 2);

    QGridLayout* optional = group();
    for (int i = 0; i < 2; ++i) {
        optional->addWidget(optionalLabel_[i], i, 0);
        optional->addWidget(optional_[i], i, 1);
    }
    optional->addWidget(label(tr("E&quipment:"), equipment_), 2, 0);
    optional->addWidget(equipment_, 2, 1);
    optional->setRowStretch(3, 1);

    QGridLayout* words = group();
    words->addWidget(routeLabel_, 0, 0);
    words->addWidget(workout_, 0, 0);
    words->addWidget(route_, 0, 1);
    words->addWidget(routeButton_, 0, 2);
    words->addWidget(label(tr("N&otes:"), notes_), 1, 0, Qt::AlignTop);
    words->addWidget(notes_, 1, 1, 1, 2);
    // The route label and the Workout button take turns in one place: room for either.
    words->setColumnMinimumWidth(0, workout_->sizeHint().width());
    words->setColumnStretch(1, 1);
    // As tall as two boxes, so the group lines up with its neighbours' three rows.
    notes_->setMinimumHeight(2 * time_->sizeHint().height() + words->verticalSpacing());

    const int gap = fontMetrics().averageCharWidth();
    fields_ = new RowFlowLayout;
    fields_->setSpacing(gap);
    fields_->SetRowGap(gap);
    for (QGridLayout* g : {when, amount, optional})
        fields_->AddGroup(g);
    fields_->AddGroup(words, true);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    buttons->addWidget(enter_);
    buttons->addWidget(reset_);
    buttons->addWidget(delete_);
    buttons->addStretch();

    auto* row = new QHBoxLayout(content_);
    row->setSpacing(gap);
    row->addLayout(fields_, 1);
    row->addLayout(buttons);

    // A pane made shorter than the form scrolls rather than squeezing the boxes.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content_);
    content_->installEventFilter(this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    // Once the boxes are in their places: the fields in reading order, then the buttons.
    QWidget* order[] = {date_,    sport_,       class_,       distance_,  pace_,
                        time_,    optional_[0], optional_[1], equipment_, route_,
                        workout_, notes_,       enter_,       reset_,     delete_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CDataEntryFrm::Connect() {
    connect(date_, &DatePicker::dateChanged, this, [this](QDate day) {
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
    connect(time_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.time = FromQ(text);
        timeRead_->setText(ToQ(model_.TimeRead()));
    });
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
    connect(equipment_, &CCheckListComboBox::selectionChanged, this, [this] {
        model_.equipment.clear();
        for (int i : equipment_->checkedIndexes())
            model_.equipment.push_back(equipment_->itemData(i).toLongLong());
    });
    connect(routeButton_, &QPushButton::clicked, this, &CDataEntryFrm::PressRouteButton);
    connect(enter_, &QPushButton::clicked, this, &CDataEntryFrm::PressEnter);
    connect(reset_, &QPushButton::clicked, this, &CDataEntryFrm::PressReset);
    connect(delete_, &QPushButton::clicked, this, &CDataEntryFrm::PressDelete);
    connect(workout_, &QPushButton::clicked, this, &CDataEntryFrm::PressWorkout);
    connect(qApp, &QApplication::focusChanged, this, &CDataEntryFrm::FocusMoved);

    // A date that is no day is said on leaving, as a time is, rather than put back unseen.
    date_->setRestoresRefusedText(false);
    for (QWidget* box : std::initializer_list<QWidget*>{date_, time_, distance_, pace_})
        leaves_->Watch(box);
    // Return enters from any box; in the notes it starts a new line, Ctrl+Return enters.
    // The form's own Alt keys, and Undo where a box has nothing to undo, are watched on
    // every control that can hold the focus.
    for (QWidget* box : std::initializer_list<QWidget*>{
             date_, sport_, class_, distance_, pace_, time_, optional_[0], optional_[1], equipment_,
             route_, route_->lineEdit(), notes_, workout_, enter_, reset_, delete_})
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
    timeRead_->setText(ToQ(model_.TimeRead()));
    distance_->setEnabled(model_.DistanceEnabled());
    pace_->setEnabled(model_.DistanceEnabled());
    distanceUnit_->setText(ToQ(model_.DistanceUnitLabel()));
    paceUnit_->setText(ToQ(model_.PaceUnitLabel()));
    distanceUnit_->setToolTip(ToQ(model_.DistanceUnitTip()));
    paceUnit_->setToolTip(ToQ(model_.PaceUnitTip()));
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
    ShowEquipment();

    enter_->setText(ToQ(model_.EnterText()));
    delete_->setVisible(model_.Editing());
    // A button's text registers its Alt key for the whole window, where the menus' Alt+E,
    // Alt+T and Alt+W would clash with Enter's, Reset's and Workout's; the form answers its
    // own Alt keys while the focus is in it (eventFilter), the menus everywhere else.
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        if (!button->shortcut().isEmpty()) button->setShortcut(QKeySequence());
    ShowTitle();
    loading_ = false;
}

void CDataEntryFrm::ShowEquipment() {
    const auto& choices = model_.EquipmentChoices();
    bool same = equipment_->count() == static_cast<int>(choices.size());
    for (int i = 0; same && i < equipment_->count(); ++i)
        same = equipment_->itemData(i).toLongLong() == choices[std::size_t(i)].id &&
               equipment_->itemText(i) == ToQ(choices[std::size_t(i)].name);
    if (!same) {
        equipment_->clear();
        for (const auto& choice : choices)
            equipment_->addCheckItem(ToQ(choice.name), false, QVariant::fromValue(choice.id));
    }
    for (int i = 0; i < equipment_->count(); ++i) {
        const RowId id = equipment_->itemData(i).toLongLong();
        equipment_->setChecked(i, std::find(model_.equipment.begin(), model_.equipment.end(), id) !=
                                      model_.equipment.end());
    }
    equipment_->setEnabled(!choices.empty());
}

void CDataEntryFrm::ShowStatusNote() {
    const std::string note = model_.TakeStatusNote();
    if (note.empty()) return;
    if (auto* main = qobject_cast<QMainWindow*>(window()))
        main->statusBar()->showMessage(ToQ(note));
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
        case Focus::Date:
            box = date_;
            break;
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
    if (box == date_) {
        if (date_->Commit()) return Focus::None;
        const Focus focus = model_.RefuseDate();
        MoveFocus(focus);
        return focus;
    }
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
    ShowStatusNote();
    if (focus != Focus::None)
        MoveFocus(focus);
    else
        FocusFirstBox();  // ready for the next workout of the day
}

bool CDataEntryFrm::ResetAsking() {
    const QScopedValueRollback<bool> busy(resetting_, true);  // the questions move the focus
    // A distance typed and not yet handed over counts only when it is not the blank form's 0.
    const bool typing = distanceTyped_ && TextToDouble(FromQ(distance_->text())) != 0.0;
    if (model_.SaveBeforeReset(typing)) {
        // Saved with what the boxes hold; a box or a write that refuses keeps the form.
        if (!CommitBoxes()) return false;
        const Focus focus = model_.Enter();
        Reload();
        ShowStatusNote();
        if (focus != Focus::None) {
            MoveFocus(focus);
            return false;
        }
    }
    leaves_->Cancel();
    model_.ClearForToday();
    Reload();
    return true;
}

void CDataEntryFrm::PressReset() {
    if (ResetAsking()) FocusFirstBox();
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

QAbstractButton* CDataEntryFrm::ButtonOfAltKey(const QKeyEvent& key) const {
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier) return nullptr;
    const QKeySequence pressed(QKeyCombination(Qt::AltModifier, Qt::Key(key.key())));
    if (key.key() == Qt::Key_E) return enter_;  // "Edit" too, while an entry is edited
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        if (button->isVisibleTo(this) && button->isEnabled() &&
            QKeySequence::mnemonic(button->text()) == pressed)
            return button;
    return nullptr;
}

bool CDataEntryFrm::eventFilter(QObject* watched, QEvent* event) {
    // The groups rewrapped or a control came or went: whoever sizes the form hears of it.
    if (watched == content_ && event->type() == QEvent::LayoutRequest) updateGeometry();
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (ButtonOfAltKey(*key)) {
            key->accept();  // the form's, not the menu bar's: it comes as a key press
            return true;
        }
        if (BoxHasNothingToUndo(watched, *key)) {
            key->ignore();  // the Edit menu's
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (QAbstractButton* button = ButtonOfAltKey(*key)) {
            button->click();
            return true;
        }
        const bool ret = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool box = !qobject_cast<QAbstractButton*>(watched);
        if (ret && box && (watched != notes_ || key->modifiers() & Qt::ControlModifier)) {
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
    ResetAsking();
}

void CDataEntryFrm::closeEvent(QCloseEvent* event) {
    // Closing the window is Reset: an edit or a typed workout is offered for saving first,
    // and one that cannot be saved keeps the window open.
    if (ResetAsking())
        event->accept();
    else
        event->ignore();
}

// --- Other views ----------------------------------------------------------------------------

void CDataEntryFrm::OnUpdate(View*, const UpdateHint& hint) {
    if (hint.kind == Notice::EditEntry) {
        LoadEntry(hint.id, hint.duplicate);
        return;
    }
    if (hint.kind == Notice::NewEntryOn) {
        ConvertEvent(CDate::FromSerial(hint.newDate), {}, {}, false);
        return;
    }
    if (hint.kind == Notice::LogEvent) {
        leaves_->Cancel();
        const Focus focus = model_.LogEvent(hint.id);
        Reload();
        MoveFocus(focus);
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
