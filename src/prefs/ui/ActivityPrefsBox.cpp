#include "prefs/ui/ActivityPrefsBox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "document/TamselDoc.h"

namespace kivrun {

CActivityPrefsBox::CActivityPrefsBox(CTamselDoc& doc, QWidget* parent)
    : QGroupBox(tr("Activity F&iles"), parent), doc_(doc) {
    time_ = new QComboBox(this);
    time_->addItem(tr("Moving time (pauses left out)"));
    time_->addItem(tr("Elapsed time"));
    heartRate_ = new QComboBox(this);
    deviceSports_ = new QTableWidget(0, 2, this);
    deviceSports_->setHorizontalHeaderLabels({tr("Device sport"), tr("Log sport")});
    deviceSports_->horizontalHeader()->setStretchLastSection(true);
    deviceSports_->verticalHeader()->hide();
    deviceSports_->setSelectionBehavior(QAbstractItemView::SelectRows);
    deviceSports_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    deviceSports_->setMaximumHeight(fontMetrics().height() * 7);
    deviceSports_->setColumnWidth(0, fontMetrics().averageCharWidth() * 22);
    forget_ = new QPushButton(tr("F&orget"), this);
    forget_->setToolTip(tr("Let the next import choose the sport by its name again"));

    auto* form = new QFormLayout;
    form->addRow(tr("Workout &time:"), time_);
    form->addRow(tr("Average &heart rate into:"), heartRate_);
    auto* sportsRow = new QHBoxLayout;
    sportsRow->addWidget(deviceSports_, 1);
    sportsRow->addWidget(forget_, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(sportsRow);

    const auto changed = [this] {
        if (!loading_) emit modified();
    };
    connect(time_, &QComboBox::currentIndexChanged, this, changed);
    connect(heartRate_, &QComboBox::currentIndexChanged, this, changed);
    connect(forget_, &QPushButton::clicked, this, [this, changed] {
        const int row = deviceSports_->currentRow();
        if (row < 0) return;
        deviceSports_->removeRow(row);
        changed();
    });
}

void CActivityPrefsBox::AddRow(const std::string& deviceSport, const std::string& sport) {
    const int row = deviceSports_->rowCount();
    deviceSports_->insertRow(row);
    deviceSports_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(deviceSport)));
    auto* box = new QComboBox(deviceSports_);
    for (const SportInfo& s : doc_.GetCatalog().sports)
        box->addItem(QString::fromStdString(s.name), QString::fromStdString(s.abbrev));
    box->setCurrentIndex(box->findData(QString::fromStdString(sport)));
    connect(box, &QComboBox::currentIndexChanged, this, [this] {
        if (!loading_) emit modified();
    });
    deviceSports_->setCellWidget(row, 1, box);
}

void CActivityPrefsBox::Load() {
    loading_ = true;
    loaded_ = prefs::LoadActivityPrefs(doc_);
    time_->setCurrentIndex(loaded_.time == DeviceTime::Elapsed ? 1 : 0);
    heartRate_->clear();
    std::string names[2];
    for (const ListColumn& c : doc_.Columns(true))
        if (c.id == 6 || c.id == 7) names[c.id - 6] = c.fieldName;
    heartRate_->addItem(tr("Field 1 (%1)").arg(QString::fromStdString(names[0])), 1);
    heartRate_->addItem(tr("Field 2 (%1)").arg(QString::fromStdString(names[1])), 2);
    heartRate_->addItem(tr("Nowhere"), 0);
    heartRate_->setCurrentIndex(heartRate_->findData(loaded_.heartRateField));
    deviceSports_->setRowCount(0);
    for (const auto& [deviceSport, sport] : loaded_.deviceSports)
        AddRow(deviceSport, sport);
    loading_ = false;
}

prefs::ActivityPrefs CActivityPrefsBox::Read() const {
    prefs::ActivityPrefs p;
    p.time = time_->currentIndex() == 1 ? DeviceTime::Elapsed : DeviceTime::Moving;
    p.heartRateField = heartRate_->currentData().toInt();
    for (int row = 0; row < deviceSports_->rowCount(); ++row) {
        const auto* box = static_cast<QComboBox*>(deviceSports_->cellWidget(row, 1));
        p.deviceSports[deviceSports_->item(row, 0)->text().toStdString()] =
            box->currentData().toString().toStdString();
    }
    return p;
}

bool CActivityPrefsBox::Apply() {
    const prefs::ActivityPrefs now = Read();
    if (now == loaded_) return true;
    if (!prefs::ApplyActivityPrefs(doc_, now, loaded_)) return false;
    loaded_ = now;
    return true;
}

}  // namespace kivrun
