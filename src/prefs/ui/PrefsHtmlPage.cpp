#include "prefs/ui/PrefsHtmlPage.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "prefs/HtmlPrefs.h"

namespace kivrun {

CPrefsHtmlPage::CPrefsHtmlPage(CTamselDoc& doc, QWidget* parent) : CPreferencesPage(doc, parent) {
    title_ = new QLineEdit(this);
    heading_ = new QLineEdit(this);
    subheading_ = new QPlainTextEdit(this);
    subheading_->setTabChangesFocus(true);
    subheading_->setFixedHeight(subheading_->fontMetrics().lineSpacing() * 4 +
                                2 * subheading_->frameWidth() + 8);

    auto* form = new QFormLayout;
    form->addRow(tr("Browser &Title:"), title_);
    form->addRow(tr("&Heading:"), heading_);
    form->addRow(tr("&Subheading:"), subheading_);

    auto* totals = new QGroupBox(tr("Totals"), this);
    weekly_ = new QCheckBox(tr("Show &Weekly Totals"), totals);
    yearly_ = new QCheckBox(tr("Show &Yearly Totals"), totals);
    auto* totalsLayout = new QVBoxLayout(totals);
    totalsLayout->addWidget(weekly_);
    totalsLayout->addWidget(yearly_);
    totalsLayout->addStretch();

    auto* other = new QGroupBox(tr("Other"), this);
    routine_ = new QCheckBox(tr("Show &Routine Details"), other);
    auto* otherLayout = new QVBoxLayout(other);
    otherLayout->addWidget(routine_);
    otherLayout->addStretch();

    auto* groups = new QHBoxLayout;
    groups->addWidget(totals);
    groups->addWidget(other);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(groups);
    layout->addStretch();

    connect(title_, &QLineEdit::textEdited, this, &CPrefsHtmlPage::markModified);
    connect(heading_, &QLineEdit::textEdited, this, &CPrefsHtmlPage::markModified);
    connect(subheading_, &QPlainTextEdit::textChanged, this, &CPrefsHtmlPage::markModified);
    for (QCheckBox* box : {weekly_, yearly_, routine_})
        connect(box, &QCheckBox::toggled, this, &CPrefsHtmlPage::markModified);
}

void CPrefsHtmlPage::markModified() {
    if (loading_) return;
    modified_ = true;
    emit modified();
}

void CPrefsHtmlPage::activate() {
    if (loaded_) return;
    loaded_ = true;
    const prefs::HtmlPrefs h = prefs::LoadHtmlPrefs(doc_);
    loading_ = true;
    title_->setText(QString::fromStdString(h.browserTitle));
    heading_->setText(QString::fromStdString(h.heading));
    subheading_->setPlainText(QString::fromStdString(h.subheading));
    weekly_->setChecked(h.weeklyTotals);
    yearly_->setChecked(h.yearlyTotals);
    routine_->setChecked(h.routineDetails);
    loading_ = false;
}

bool CPrefsHtmlPage::apply() {
    prefs::HtmlPrefs h;
    h.browserTitle = title_->text().toStdString();
    h.heading = heading_->text().toStdString();
    h.subheading = subheading_->toPlainText().toStdString();
    h.weeklyTotals = weekly_->isChecked();
    h.yearlyTotals = yearly_->isChecked();
    h.routineDetails = routine_->isChecked();
    if (!prefs::ApplyHtmlPrefs(doc_, h)) return false;
    modified_ = false;
    return true;
}

QWidget* CPrefsHtmlPage::firstField() const {
    return title_;
}

}  // namespace kivrun
