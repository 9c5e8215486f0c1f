#pragma once

#include <functional>

#include "prefs/GeneralPrefs.h"
#include "prefs/ui/PreferencesPage.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace kivrun {

class CActivityPrefsBox;
class CAutoCompleteComboBox;

// "General": week start, default sport, backup interval, the names of the two optional
// workout fields and the units of all-sports totals.
class CGeneralPrefsPage : public CPreferencesPage {
    Q_OBJECT
  public:
    CGeneralPrefsPage(CTamselDoc& doc, QWidget* parent = nullptr);

    // Reads the log each time the page is shown, so that sports applied on another page
    // appear; values the user has changed and not yet applied stay as they are.
    void activate() override;
    bool apply() override;
    bool isModified() const override;
    QWidget* firstField() const override;
    // Where "Default sport:" takes its names from: the Sports page's list, with sports added
    // or removed there and not yet applied. Unset, the log's sports.
    void setSportNames(std::function<std::vector<std::string>()> names) {
        sportNames_ = std::move(names);
    }

    QComboBox* weekStartBox() const { return weekStart_; }
    QComboBox* defaultSportBox() const { return defaultSport_; }
    QSpinBox* backupDaysBox() const { return backupDays_; }
    CAutoCompleteComboBox* fieldNameBox(int field) const { return fieldName_[field]; }
    QLineEdit* fieldLabelEdit(int field) const { return fieldLabel_[field]; }
    QComboBox* grandTotalUnitsBox() const { return grandUnits_; }
    QComboBox* grandTotalPaceBox() const { return grandPace_; }
    CActivityPrefsBox* activityBox() const { return activity_; }

  private:
    void showValues(const prefs::GeneralPrefs& values);
    void fillSports(const std::vector<std::string>& sports, const std::string& selected);
    prefs::GeneralPrefs read() const;
    void markModified();

    QComboBox* weekStart_;
    QComboBox* defaultSport_;
    QSpinBox* backupDays_;
    CAutoCompleteComboBox* fieldName_[2];
    QLineEdit* fieldLabel_[2];
    QComboBox* grandUnits_;
    QComboBox* grandPace_;
    CActivityPrefsBox* activity_;
    bool modified_ = false;
    bool fieldsChanged_ = false;
    bool loading_ = false;
    std::function<std::vector<std::string>()> sportNames_;
};

}  // namespace kivrun
