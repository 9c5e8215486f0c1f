#pragma once

#include <vector>

#include "document/EquipmentValue.h"
#include "prefs/ui/PreferencesPage.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace kivrun {

// "Equipment": shoes, bikes and boats with their sports (and whether a new workout of the
// sport takes them), starting distance, limits, notes and whether they are retired. Items
// are edited here and written on Apply, each change one step of the Edit menu's Undo.
class CEquipmentPrefsPage : public CPreferencesPage {
    Q_OBJECT
  public:
    CEquipmentPrefsPage(CTamselDoc& doc, QWidget* parent = nullptr);

    void activate() override;
    bool validate() override;
    bool apply() override;
    bool isModified() const override;
    // The list of items: picking one is where every edit starts.
    QWidget* firstField() const override;

    QListWidget* itemList() const { return list_; }
    QLineEdit* nameEdit() const { return name_; }
    QComboBox* kindBox() const { return kind_; }
    QTableWidget* sportsTable() const { return sports_; }
    QDoubleSpinBox* startBox() const { return start_; }
    QDoubleSpinBox* limitBox() const { return limit_; }
    QLineEdit* limitTimeEdit() const { return limitTime_; }
    QCheckBox* retiredBox() const { return retired_; }
    QPushButton* newButton() const { return new_; }
    QPushButton* removeButton() const { return remove_; }
    void addItem();
    void removeItem();

  private:
    void fillList();
    void showItem(int row);
    void storeItem();
    void markModified();

    QListWidget* list_;
    QLineEdit* name_;
    QComboBox* kind_;
    QTableWidget* sports_;
    QDoubleSpinBox* start_;
    QDoubleSpinBox* limit_;
    QLineEdit* limitTime_;
    QPlainTextEdit* notes_;
    QCheckBox* retired_;
    QPushButton* new_;
    QPushButton* remove_;
    std::vector<EquipmentItem> items_;  // as edited; id 0: new
    std::vector<EquipmentItem> saved_;  // as the log has them
    int shown_ = -1;
    bool loaded_ = false;
    bool modified_ = false;
    bool loading_ = false;
};

}  // namespace kivrun
