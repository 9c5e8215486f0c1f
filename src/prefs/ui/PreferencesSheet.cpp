#include "prefs/ui/PreferencesSheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "document/TamselDoc.h"
#include "prefs/ui/EquipmentPrefsPage.h"
#include "prefs/ui/GeneralPrefsPage.h"
#include "prefs/ui/PrefsHtmlPage.h"
#include "prefs/ui/SportsPrefsPage.h"
#include "store/SportsSet.h"

namespace kivrun {

CPreferencesSheet::CPreferencesSheet(CTamselDoc& doc, QWidget* parent)
    : QDialog(parent),
      tabs_(new QTabWidget(this)),
      general_(new CGeneralPrefsPage(doc, this)),
      sports_(new CSportsPrefsPage(doc, this)),
      html_(new CPrefsHtmlPage(doc, this)),
      equipment_(new CEquipmentPrefsPage(doc, this)) {
    setWindowTitle(tr("Preferences"));
    tabs_->addTab(general_, tr("General"));
    tabs_->addTab(sports_, tr("Sports"));
    tabs_->addTab(html_, tr("HTML"));
    tabs_->addTab(equipment_, tr("Equipment"));
    pages_ = {general_, sports_, html_, equipment_};
    shown_.assign(pages_.size(), false);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    apply_ = buttons->button(QDialogButtonBox::Apply);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPreferencesSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPreferencesSheet::reject);
    connect(apply_, &QPushButton::clicked, this, &CPreferencesSheet::applyChanges);
    for (CPreferencesPage* page : pages_)
        connect(page, &CPreferencesPage::modified, this, &CPreferencesSheet::updateApply);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);

    // A log without sports (a new one) opens where they are set up.
    const bool hasSports = doc.IsOpen() && !doc.GetCatalog().sports.empty();
    // The default sport may be one just added on the Sports page, before Apply.
    general_->setSportNames([this] { return sports_->listedNames(); });
    tabs_->setCurrentWidget(hasSports ? static_cast<QWidget*>(general_) : sports_);
    pageShown(tabs_->currentIndex());
    // The keyboard starts in the page's first field, not on the tabs.
    pages_[static_cast<size_t>(tabs_->currentIndex())]->firstField()->setFocus();
    connect(tabs_, &QTabWidget::currentChanged, this, &CPreferencesSheet::pageShown);
    updateApply();
}

void CPreferencesSheet::pageShown(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size())) return;
    shown_[static_cast<size_t>(index)] = true;
    pages_[static_cast<size_t>(index)]->activate();
}

void CPreferencesSheet::updateApply() {
    bool any = false;
    for (size_t i = 0; i < pages_.size(); ++i)
        any = any || (shown_[i] && pages_[i]->isModified());
    apply_->setEnabled(any);
}

bool CPreferencesSheet::applyChanges() {
    // Nothing is written unless every page can be: a refused Sports page must not leave
    // the General changes stored on their own.
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (shown_[i] && !pages_[i]->validate()) {
            tabs_->setCurrentIndex(static_cast<int>(i));
            return false;
        }
    }
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (!shown_[i] || !pages_[i]->isModified()) continue;
        if (!pages_[i]->apply()) {
            tabs_->setCurrentIndex(static_cast<int>(i));
            updateApply();
            return false;
        }
    }
    // The General page lists the sports: show what was just applied.
    if (tabs_->currentWidget() == general_) general_->activate();
    updateApply();
    return true;
}

void CPreferencesSheet::accept() {
    if (applyChanges()) QDialog::accept();
}

}  // namespace kivrun

void ShowPreferencesSheet(QWidget* parent, kivrun::CTamselDoc& doc) {
    if (!doc.IsOpen()) return;  // the pages read and write the open log
    kivrun::CPreferencesSheet sheet(doc, parent);
    sheet.exec();
}
