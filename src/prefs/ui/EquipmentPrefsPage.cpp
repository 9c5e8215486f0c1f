#include "prefs/ui/EquipmentPrefsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "document/TamselDoc.h"
#include "values/ElapsedTime.h"
#include "values/NumberFormat.h"

namespace kivrun {
namespace {

QString ToQ(const std::string& s) {
    return QString::fromStdString(s);
}

QDoubleSpinBox* KmBox(QWidget* parent, const QString& none) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(0, 1'000'000);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" km"));
    if (!none.isEmpty()) box->setSpecialValueText(none);
    return box;
}

}  // namespace

CEquipmentPrefsPage::CEquipmentPrefsPage(CTamselDoc& doc, QWidget* parent)
    : CPreferencesPage(doc, parent),
      list_(new QListWidget(this)),
      name_(new QLineEdit(this)),
      kind_(new QComboBox(this)),
      sports_(new QTableWidget(0, 2, this)),
      start_(KmBox(this, {})),
      limit_(KmBox(this, tr("none"))),
      limitTime_(new QLineEdit(this)),
      notes_(new QPlainTextEdit(this)),
      retired_(new QCheckBox(tr("&Retired (kept with its history, no longer offered)"), this)),
      new_(new QPushButton(tr("&New"), this)),
      remove_(new QPushButton(tr("Re&move"), this)) {
    list_->setObjectName(QStringLiteral("EquipmentList"));
    name_->setMaxLength(100);
    for (const std::string& kind : equipment_kind::All())
        kind_->addItem(ToQ(kind), ToQ(kind));
    sports_->setHorizontalHeaderLabels({tr("Used for"), tr("Default")});
    sports_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    sports_->verticalHeader()->hide();
    sports_->setSelectionMode(QAbstractItemView::NoSelection);
    sports_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    limitTime_->setPlaceholderText(tr("H:MM:SS, none when empty"));
    notes_->setTabChangesFocus(true);
    notes_->setFixedHeight(notes_->fontMetrics().lineSpacing() * 3 + 12);

    auto* form = new QFormLayout;
    form->addRow(tr("N&ame:"), name_);
    form->addRow(tr("&Kind:"), kind_);
    form->addRow(tr("&Sports:"), sports_);
    form->addRow(tr("S&tarting distance:"), start_);
    form->addRow(tr("&Limit:"), limit_);
    form->addRow(tr("Limit t&ime:"), limitTime_);
    form->addRow(tr("N&otes:"), notes_);
    form->addRow(retired_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new_);
    buttons->addWidget(remove_);
    auto* left = new QVBoxLayout;
    left->addWidget(list_);
    left->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(form, 2);

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        storeItem();
        showItem(row);
    });
    connect(new_, &QPushButton::clicked, this, &CEquipmentPrefsPage::addItem);
    connect(remove_, &QPushButton::clicked, this, &CEquipmentPrefsPage::removeItem);
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        markModified();
        if (QListWidgetItem* item = list_->currentItem()) item->setText(text);
    });
    connect(kind_, &QComboBox::activated, this, &CEquipmentPrefsPage::markModified);
    connect(start_, &QDoubleSpinBox::valueChanged, this, &CEquipmentPrefsPage::markModified);
    connect(limit_, &QDoubleSpinBox::valueChanged, this, &CEquipmentPrefsPage::markModified);
    connect(limitTime_, &QLineEdit::textEdited, this, &CEquipmentPrefsPage::markModified);
    connect(notes_, &QPlainTextEdit::textChanged, this, &CEquipmentPrefsPage::markModified);
    connect(retired_, &QCheckBox::toggled, this, &CEquipmentPrefsPage::markModified);
    connect(sports_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* cell) {
        if (loading_) return;
        {
            // A default sport is a sport the item is used for.
            const QScopedValueRollback<bool> busy(loading_, true);
            QTableWidgetItem* used = sports_->item(cell->row(), 0);
            QTableWidgetItem* isDefault = sports_->item(cell->row(), 1);
            if (!used || !isDefault) return;
            if (cell->column() == 1 && cell->checkState() == Qt::Checked)
                used->setCheckState(Qt::Checked);
            if (cell->column() == 0 && cell->checkState() == Qt::Unchecked)
                isDefault->setCheckState(Qt::Unchecked);
        }
        markModified();
    });
    showItem(-1);
}

void CEquipmentPrefsPage::markModified() {
    if (loading_) return;
    modified_ = true;
    emit modified();
}

void CEquipmentPrefsPage::activate() {
    if (loaded_) return;  // what the user has changed stays until Apply or Cancel
    loaded_ = true;
    saved_ = items_ = doc_.Equipment();
    fillList();
}

void CEquipmentPrefsPage::fillList() {
    const QSignalBlocker block(list_);
    list_->clear();
    for (const EquipmentItem& item : items_)
        list_->addItem(ToQ(item.name));
    shown_ = -1;
    list_->setCurrentRow(items_.empty() ? -1 : 0);
    showItem(list_->currentRow());
}

void CEquipmentPrefsPage::showItem(int row) {
    const QScopedValueRollback<bool> busy(loading_, true);
    shown_ = row;
    const bool any = row >= 0 && row < static_cast<int>(items_.size());
    for (QWidget* w : std::initializer_list<QWidget*>{name_, kind_, sports_, start_, limit_,
                                                      limitTime_, notes_, retired_, remove_})
        w->setEnabled(any);
    const EquipmentItem item = any ? items_[std::size_t(row)] : EquipmentItem{};
    name_->setText(ToQ(item.name));
    kind_->setCurrentIndex(std::max(0, kind_->findData(ToQ(item.kind))));
    start_->setValue(item.startKm);
    limit_->setValue(item.limitKm);
    limitTime_->setText(item.limitSeconds > 0
                            ? ToQ(CElapsedTime::FromSeconds(item.limitSeconds).Format(1))
                            : QString());
    notes_->setPlainText(ToQ(item.notes));
    retired_->setChecked(item.retired);
    const std::vector<SportInfo>& sports = doc_.GetCatalog().sports;
    sports_->setRowCount(static_cast<int>(sports.size()));
    for (std::size_t i = 0; i < sports.size(); ++i) {
        auto* used = new QTableWidgetItem(ToQ(sports[i].name));
        used->setData(Qt::UserRole, ToQ(sports[i].abbrev));
        used->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        used->setCheckState(item.UsedFor(sports[i].abbrev) ? Qt::Checked : Qt::Unchecked);
        auto* isDefault = new QTableWidgetItem;
        isDefault->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        isDefault->setCheckState(item.DefaultFor(sports[i].abbrev) ? Qt::Checked : Qt::Unchecked);
        sports_->setItem(static_cast<int>(i), 0, used);
        sports_->setItem(static_cast<int>(i), 1, isDefault);
    }
}

// The shown item as the boxes hold it, back into the page's list.
void CEquipmentPrefsPage::storeItem() {
    if (shown_ < 0 || shown_ >= static_cast<int>(items_.size())) return;
    EquipmentItem& item = items_[std::size_t(shown_)];
    item.name = name_->text().toStdString();
    item.kind = kind_->currentData().toString().toStdString();
    item.startKm = start_->value();
    item.limitKm = limit_->value();
    const std::string time = TrimBlanks(limitTime_->text().toStdString());
    item.limitSeconds = time.empty() || CElapsedTime::Validate(time) == 0
                            ? 0.0
                            : CElapsedTime::FromUserText(time).TotalSeconds();
    item.notes = notes_->toPlainText().toStdString();
    item.retired = retired_->isChecked();
    item.sports.clear();
    for (int r = 0; r < sports_->rowCount(); ++r) {
        if (sports_->item(r, 0)->checkState() != Qt::Checked) continue;
        item.sports.push_back({sports_->item(r, 0)->data(Qt::UserRole).toString().toStdString(),
                               sports_->item(r, 1)->checkState() == Qt::Checked});
    }
}

void CEquipmentPrefsPage::addItem() {
    storeItem();
    EquipmentItem item;
    item.name = tr("New item").toStdString();
    items_.push_back(item);
    list_->addItem(ToQ(item.name));
    list_->setCurrentRow(list_->count() - 1);
    markModified();
    name_->setFocus();
    name_->selectAll();
}

void CEquipmentPrefsPage::removeItem() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(items_.size())) return;
    const EquipmentItem& item = items_[std::size_t(row)];
    if (item.equipmentId != 0 && doc_.EquipmentUses(item.equipmentId) > 0) {
        doc_.ui().ShowMessage("\"" + item.name +
                              "\" was used by workouts; it can be retired, but not removed.");
        return;
    }
    shown_ = -1;  // nothing to store back
    items_.erase(items_.begin() + row);
    fillList();
    list_->setCurrentRow(std::min(row, list_->count() - 1));
    markModified();
}

bool CEquipmentPrefsPage::validate() {
    storeItem();
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const std::string time = TrimBlanks(limitTime_->text().toStdString());
        if (static_cast<int>(i) == shown_ && !time.empty() && CElapsedTime::Validate(time) == 0) {
            doc_.ui().ShowMessage("The limit time is not valid; it must be in the form H:MM:SS.");
            limitTime_->setFocus();
            return false;
        }
        if (TrimBlanks(items_[i].name).empty()) {
            list_->setCurrentRow(static_cast<int>(i));
            doc_.ui().ShowMessage("An item of equipment needs a name.");
            name_->setFocus();
            return false;
        }
    }
    return true;
}

bool CEquipmentPrefsPage::apply() {
    storeItem();
    bool ok = true;
    // Removed first, so a new item may take a removed one's name.
    for (const EquipmentItem& before : saved_) {
        const bool kept = std::any_of(items_.begin(), items_.end(), [&](const EquipmentItem& i) {
            return i.equipmentId == before.equipmentId;
        });
        if (!kept) ok = doc_.RemoveEquipment(before.equipmentId, nullptr) && ok;
    }
    for (EquipmentItem& item : items_) {
        if (item.equipmentId == 0) {
            item.equipmentId = doc_.AddEquipment(item, nullptr);
            ok = item.equipmentId != 0 && ok;
            continue;
        }
        const auto before = std::find_if(saved_.begin(), saved_.end(), [&](const EquipmentItem& s) {
            return s.equipmentId == item.equipmentId;
        });
        if (before == saved_.end() || !(*before == item))
            ok = doc_.ModifyEquipment(item, nullptr) && ok;
    }
    saved_ = doc_.Equipment();
    if (ok) {
        items_ = saved_;
        const int row = list_->currentRow();
        fillList();
        list_->setCurrentRow(std::min(row, list_->count() - 1));
        modified_ = false;
    }
    return ok;
}

QWidget* CEquipmentPrefsPage::firstField() const {
    return list_;
}

bool CEquipmentPrefsPage::isModified() const {
    return modified_;
}

}  // namespace kivrun
