#include "prefs/ui/GeneralPrefsPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "controls/ui/AutoCompleteComboBox.h"
#include "prefs/PrefsChoices.h"
#include "prefs/ui/ActivityPrefsBox.h"

namespace kivrun {

namespace {

template <size_t N>
QComboBox* ChoiceBox(const std::array<const char*, N>& items, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const char* item : items)
        box->addItem(QString::fromUtf8(item));
    return box;
}

QString ToQ(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

CGeneralPrefsPage::CGeneralPrefsPage(CTamselDoc& doc, QWidget* parent)
    : CPreferencesPage(doc, parent) {
    weekStart_ = ChoiceBox(prefs::kWeekDays, this);
    defaultSport_ = new QComboBox(this);
    backupDays_ = new QSpinBox(this);
    backupDays_->setRange(prefs::kMinBackupDays, prefs::kMaxBackupDays);
    grandUnits_ = ChoiceBox(prefs::kGrandTotalUnits, this);
    grandPace_ = ChoiceBox(prefs::kGrandTotalPaces, this);

    auto* general = new QGroupBox(tr("&General Options"), this);
    auto* generalForm = new QFormLayout(general);
    generalForm->addRow(tr("&Week starts on:"), weekStart_);
    generalForm->addRow(tr("Default s&port:"), defaultSport_);
    auto* backupRow = new QHBoxLayout;
    backupRow->addWidget(backupDays_);
    backupRow->addWidget(new QLabel(tr("days"), general));
    backupRow->addStretch();
    auto* backupLabel = new QLabel(tr("&Backup every"), general);
    backupLabel->setBuddy(backupDays_);
    generalForm->addRow(backupLabel, backupRow);

    auto* fields = new QGroupBox(tr("Optional &Fields"), this);
    auto* grid = new QGridLayout(fields);
    grid->addWidget(new QLabel(tr("Name"), fields), 0, 1);
    grid->addWidget(new QLabel(tr("Label"), fields), 0, 2);
    for (int i = 0; i < 2; ++i) {
        fieldName_[i] = new CAutoCompleteComboBox(fields);
        for (const char* name : prefs::kOptionalFieldNames)
            fieldName_[i]->addItem(QString::fromUtf8(name));
        fieldName_[i]->lineEdit()->setMaxLength(50);  // the column's field name size
        fieldLabel_[i] = new QLineEdit(fields);
        fieldLabel_[i]->setMaxLength(50);
        fieldLabel_[i]->setMaximumWidth(fontMetrics().averageCharWidth() * 10);
        auto* label = new QLabel(i == 0 ? tr("Field &1:") : tr("Field &2:"), fields);
        label->setBuddy(fieldName_[i]);
        grid->addWidget(label, i + 1, 0);
        grid->addWidget(fieldName_[i], i + 1, 1);
        grid->addWidget(fieldLabel_[i], i + 1, 2);
        const auto renamed = [this, i](const QString& name) {
            if (loading_) return;
            prefs::OptionalField field{{}, fieldLabel_[i]->text().toStdString()};
            prefs::RenameOptionalField(field, name.toStdString());
            fieldLabel_[i]->setText(ToQ(field.label));
            fieldsChanged_ = true;
            markModified();
        };
        connect(fieldName_[i], &CAutoCompleteComboBox::textTyped, this, renamed);
        connect(fieldName_[i], &QComboBox::textActivated, this, renamed);
        connect(fieldLabel_[i], &QLineEdit::textEdited, this, [this] {
            fieldsChanged_ = true;
            markModified();
        });
    }
    grid->setColumnStretch(1, 1);

    auto* totals = new QGroupBox(tr("G&rand Total Units"), this);
    auto* totalsForm = new QFormLayout(totals);
    totalsForm->addRow(tr("&Distance Units:"), grandUnits_);
    totalsForm->addRow(tr("Pac&e Units:"), grandPace_);

    for (QComboBox* box : {weekStart_, defaultSport_, grandUnits_, grandPace_})
        connect(box, &QComboBox::currentIndexChanged, this, &CGeneralPrefsPage::markModified);
    connect(backupDays_, &QSpinBox::valueChanged, this, &CGeneralPrefsPage::markModified);

    activity_ = new CActivityPrefsBox(doc, this);
    connect(activity_, &CActivityPrefsBox::modified, this, [this] { emit modified(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(fields);
    layout->addWidget(totals);
    layout->addWidget(activity_);
    layout->addStretch();
}

bool CGeneralPrefsPage::isModified() const {
    return modified_ || activity_->IsModified();
}

void CGeneralPrefsPage::markModified() {
    if (loading_) return;
    modified_ = true;
    emit modified();
}

QWidget* CGeneralPrefsPage::firstField() const {
    return weekStart_;
}

void CGeneralPrefsPage::activate() {
    prefs::GeneralPrefs values = prefs::LoadGeneralPrefs(doc_);
    if (sportNames_) values.sports = sportNames_();
    if (!activity_->IsModified()) activity_->Load();
    if (modified_) {
        // Keep the user's edits; only the sports may have changed under them.
        const QString chosen = defaultSport_->currentData().toString();
        fillSports(values.sports, chosen.toStdString());
        return;
    }
    showValues(values);
}

void CGeneralPrefsPage::fillSports(const std::vector<std::string>& sports,
                                   const std::string& selected) {
    loading_ = true;
    defaultSport_->clear();
    // "(None)" leaves the entry form without a preselected sport.
    defaultSport_->addItem(tr("(None)"), QString());
    for (const std::string& sport : sports)
        defaultSport_->addItem(ToQ(sport), ToQ(sport));
    defaultSport_->setCurrentIndex(std::max(0, defaultSport_->findData(ToQ(selected))));
    loading_ = false;
}

void CGeneralPrefsPage::showValues(const prefs::GeneralPrefs& values) {
    fillSports(values.sports, values.defaultSport);
    loading_ = true;
    weekStart_->setCurrentIndex(values.weekStartDay);
    backupDays_->setValue(values.backupDays);
    grandUnits_->setCurrentIndex(values.grandTotalUnits);
    grandPace_->setCurrentIndex(values.grandTotalPace);
    for (int i = 0; i < 2; ++i) {
        fieldName_[i]->setEditText(ToQ(values.fields[static_cast<size_t>(i)].name));
        fieldLabel_[i]->setText(ToQ(values.fields[static_cast<size_t>(i)].label));
    }
    loading_ = false;
    modified_ = false;
    fieldsChanged_ = false;
}

prefs::GeneralPrefs CGeneralPrefsPage::read() const {
    prefs::GeneralPrefs g;
    g.defaultSport = defaultSport_->currentData().toString().toStdString();
    g.weekStartDay = weekStart_->currentIndex();
    g.backupDays = backupDays_->value();
    g.grandTotalUnits = grandUnits_->currentIndex();
    g.grandTotalPace = grandPace_->currentIndex();
    for (int i = 0; i < 2; ++i)
        g.fields[static_cast<size_t>(i)] = {fieldName_[i]->currentText().trimmed().toStdString(),
                                            fieldLabel_[i]->text().trimmed().toStdString()};
    return g;
}

bool CGeneralPrefsPage::apply() {
    if (!activity_->Apply()) return false;
    if (!prefs::ApplyGeneralPrefs(doc_, read(), fieldsChanged_)) return false;
    modified_ = false;
    fieldsChanged_ = false;
    return true;
}

}  // namespace kivrun
