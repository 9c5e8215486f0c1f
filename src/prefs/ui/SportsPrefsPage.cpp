#include "prefs/ui/SportsPrefsPage.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeView>
#include <QVBoxLayout>

#include "controls/ui/AutoCompleteComboBox.h"
#include "controls/ui/IconPickerDialog.h"
#include "controls/ui/SportIconSet.h"
#include "document/TamselDoc.h"
#include "prefs/PrefsChoices.h"
#include "prefs/ui/SportsListModel.h"

namespace kivrun {

namespace {

template <size_t N>
QComboBox* ChoiceBox(const std::array<const char*, N>& items, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const char* item : items)
        box->addItem(QString::fromUtf8(item));
    box->setCurrentIndex(-1);
    return box;
}

}  // namespace

CSportsPrefsPage::CSportsPrefsPage(CTamselDoc& doc, QWidget* parent)
    : CPreferencesPage(doc, parent), model_(new CSportsListModel(state_, this)) {
    group_ = new QGroupBox(tr("&New Sport"), this);
    name_ = new CAutoCompleteComboBox(group_);
    name_->lineEdit()->setMaxLength(100);  // the size of a sport's name in the log
    name_->lineEdit()->setPlaceholderText(tr("Name of the sport"));
    name_->setMinimumContentsLength(14);
    name_->lineEdit()->installEventFilter(this);
    abbrev_ = new QComboBox(group_);
    units_ = ChoiceBox(prefs::kDistanceUnits, group_);
    pace_ = ChoiceBox(prefs::kPaceUnits, group_);
    icon_ = new QPushButton(tr("Pick..."), group_);
    icon_->setIconSize(QSize(24, 24));
    icon_->setToolTip(tr("The icon the sport is shown with"));
    // Return in the group adds the sport put together there, rather than closing the sheet.
    for (QWidget* box : std::initializer_list<QWidget*>{name_, abbrev_, units_, pace_, icon_})
        box->installEventFilter(this);

    auto* form = new QFormLayout(group_);
    form->addRow(tr("Na&me:"), name_);
    form->addRow(tr("A&bbrev:"), abbrev_);
    form->addRow(tr("&Units:"), units_);
    form->addRow(tr("&Pace:"), pace_);
    auto* iconRow = new QHBoxLayout;
    iconRow->addWidget(icon_);
    iconRow->addStretch();
    auto* iconLabel = new QLabel(tr("&Icon:"), group_);
    iconLabel->setBuddy(icon_);
    form->addRow(iconLabel, iconRow);

    add_ = new QPushButton(tr("A&dd >>"), this);
    remove_ = new QPushButton(tr("<< &Remove"), this);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add_);
    buttons->addWidget(remove_);
    buttons->addStretch();

    list_ = new QTreeView(this);
    list_->setModel(model_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setDragDropMode(QAbstractItemView::InternalMove);
    list_->setDefaultDropAction(Qt::MoveAction);
    list_->setDropIndicatorShown(true);
    list_->setIconSize(QSize(16, 16));
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(CSportsListModel::kSport, QHeaderView::Stretch);
    list_->header()->setSectionResizeMode(CSportsListModel::kAbbrev, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(CSportsListModel::kPace, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(CSportsListModel::kUnits, QHeaderView::ResizeToContents);
    list_->setMinimumWidth(list_->fontMetrics().averageCharWidth() * 46);
    list_->setToolTip(tr("Drag a sport to change the order in which sports are listed"));
    auto* listLabel = new QLabel(tr("&Current sports:"), this);
    listLabel->setBuddy(list_);
    inUseNote_ = new QLabel(this);
    inUseNote_->setWordWrap(true);
    inUseNote_->setEnabled(false);  // drawn in the quieter colour of a note
    inUseNote_->setMinimumHeight(inUseNote_->fontMetrics().lineSpacing() * 2);
    inUseNote_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* right = new QVBoxLayout;
    right->addWidget(listLabel);
    right->addWidget(list_, 1);
    right->addWidget(inUseNote_);

    auto* left = new QVBoxLayout;
    left->addWidget(group_);
    left->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttons);
    layout->addLayout(right, 1);

    const auto nameChanged = [this](const QString& text) {
        state_.SetName(text.toStdString());
        showDraft();
    };
    connect(name_, &CAutoCompleteComboBox::textTyped, this, nameChanged);
    connect(name_, &QComboBox::textActivated, this, nameChanged);
    connect(abbrev_, &QComboBox::activated, this, [this](int index) {
        const QString letter = abbrev_->itemText(index);
        state_.ChooseLetter(letter.isEmpty() ? 0 : letter.at(0).toLatin1());
        updateButtons();
    });
    connect(units_, &QComboBox::activated, this, [this](int index) {
        state_.ChooseDistance(index);
        showDraft();
    });
    connect(pace_, &QComboBox::activated, this, [this](int index) {
        state_.ChoosePace(index);
        showDraft();
    });
    connect(icon_, &QPushButton::clicked, this, &CSportsPrefsPage::pickIcon);
    connect(add_, &QPushButton::clicked, this, &CSportsPrefsPage::addSport);
    connect(remove_, &QPushButton::clicked, this, &CSportsPrefsPage::removeSport);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CSportsPrefsPage::updateButtons);
    connect(model_, &CSportsListModel::lineMoved, this, [this](int to) {
        list_->setCurrentIndex(model_->index(to, 0));
        emit modified();
    });
    showDraft();
}

void CSportsPrefsPage::activate() {
    if (loaded_) return;
    loaded_ = true;
    state_.Load(doc_);
    model_->reload();
    refreshChoices();
    showDraft();
}

void CSportsPrefsPage::refreshChoices() {
    {
        const QSignalBlocker quiet(name_);
        name_->clear();
        for (const std::string& n : state_.NameChoices())
            name_->addItem(QString::fromStdString(n));
        name_->setEditText(QString::fromStdString(state_.Draft().name));
    }
    abbrev_->clear();
    for (char c : state_.FreeLetters())
        abbrev_->addItem(QString(QLatin1Char(c)));
}

void CSportsPrefsPage::showDraft() {
    const prefs::NewSport& draft = state_.Draft();
    abbrev_->setCurrentIndex(draft.letter ? abbrev_->findText(QString(QLatin1Char(draft.letter)))
                                          : -1);
    units_->setCurrentIndex(draft.units.distance);
    pace_->setCurrentIndex(draft.units.pace);
    icon_->setIcon(SportIcon(draft.icon));
    updateButtons();
}

int CSportsPrefsPage::selectedLine() const {
    const QModelIndexList rows = list_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CSportsPrefsPage::updateButtons() {
    add_->setEnabled(state_.CanAdd());
    const int line = selectedLine();
    remove_->setEnabled(state_.CanRemove(line));
    inUseNote_->setText(
        state_.IsInUse(line)
            ? tr("%1 has workouts or planned events, so it cannot be removed.")
                  .arg(QString::fromStdString(state_.Lines()[static_cast<size_t>(line)].name))
            : QString());
}

void CSportsPrefsPage::warn(const char* message) {
    QMessageBox::warning(this, window()->windowTitle(), QString::fromUtf8(message));
}

void CSportsPrefsPage::addSport() {
    const prefs::AddResult result = state_.Add();
    if (const char* message = prefs::AddMessage(result)) {
        warn(message);
        switch (result) {
            case prefs::AddResult::NeedLetter:
                abbrev_->setFocus();
                break;
            case prefs::AddResult::NeedDistance:
                units_->setFocus();
                break;
            case prefs::AddResult::NeedPace:
                pace_->setFocus();
                break;
            default:
                break;
        }
        return;
    }
    if (result != prefs::AddResult::Added) return;
    model_->reload();
    refreshChoices();
    showDraft();
    list_->scrollToBottom();
    name_->setFocus();  // ready for the next sport
    emit modified();
}

void CSportsPrefsPage::removeSport() {
    const int line = selectedLine();
    if (!state_.Remove(line)) return;
    model_->reload();
    refreshChoices();
    showDraft();
    emit modified();
}

void CSportsPrefsPage::pickIcon() {
    const int chosen = CIconPickerDialog::pickIcon(this, state_.Draft().icon);
    if (chosen < 0) return;
    state_.ChooseIcon(chosen);
    showDraft();
}

QWidget* CSportsPrefsPage::firstField() const {
    return name_;
}

std::vector<std::string> CSportsPrefsPage::listedNames() const {
    std::vector<std::string> names;
    if (!loaded_) {
        for (const SportInfo& sport : doc_.GetCatalog().sports)
            names.push_back(sport.name);
        return names;
    }
    for (const prefs::SportLine& line : state_.Lines())
        names.push_back(line.name);
    return names;
}

void CSportsPrefsPage::takeName() {
    const std::string typed = name_->currentText().toStdString();
    if (typed == state_.Draft().name) return;
    state_.SetName(typed);
    showDraft();
}

bool CSportsPrefsPage::eventFilter(QObject* watched, QEvent* event) {
    // Typing a new sport's name is not about the selected one.
    if (watched == name_->lineEdit() && event->type() == QEvent::FocusIn) {
        list_->clearSelection();
        updateButtons();
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            takeName();
            if (state_.CanAdd()) {
                addSport();
                return true;
            }
        }
    }
    return CPreferencesPage::eventFilter(watched, event);
}

bool CSportsPrefsPage::validate() {
    if (const char* message = state_.Validate()) {
        warn(message);
        list_->setFocus();
        return false;
    }
    return true;
}

bool CSportsPrefsPage::apply() {
    return state_.Apply(doc_);
}

}  // namespace kivrun
