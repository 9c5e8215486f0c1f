#pragma once

#include "prefs/ui/PreferencesPage.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace kivrun {

// "HTML": the title, heading and subheading of an exported log and what it holds.
class CPrefsHtmlPage : public CPreferencesPage {
    Q_OBJECT
  public:
    CPrefsHtmlPage(CTamselDoc& doc, QWidget* parent = nullptr);

    // Reads the log the first time the page is shown.
    void activate() override;
    bool apply() override;
    bool isModified() const override { return modified_; }
    QWidget* firstField() const override;

    QLineEdit* browserTitleEdit() const { return title_; }
    QLineEdit* headingEdit() const { return heading_; }
    QPlainTextEdit* subheadingEdit() const { return subheading_; }
    QCheckBox* weeklyTotalsBox() const { return weekly_; }
    QCheckBox* yearlyTotalsBox() const { return yearly_; }
    QCheckBox* routineDetailsBox() const { return routine_; }

  private:
    void markModified();

    QLineEdit* title_;
    QLineEdit* heading_;
    QPlainTextEdit* subheading_;
    QCheckBox* weekly_;
    QCheckBox* yearly_;
    QCheckBox* routine_;
    bool loaded_ = false;
    bool loading_ = false;
    bool modified_ = false;
};

}  // namespace kivrun
