#pragma once

#include "prefs/SportsPageState.h"
#include "prefs/ui/PreferencesPage.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeView;

namespace kivrun {

class CAutoCompleteComboBox;
class CSportsListModel;

// "Sports": the log's sports in their order, with a group to put a new one together. A sport
// is changed by removing it and adding it again, which only sports without workouts allow.
class CSportsPrefsPage : public CPreferencesPage {
    Q_OBJECT
  public:
    CSportsPrefsPage(CTamselDoc& doc, QWidget* parent = nullptr);

    // Reads the log's sports the first time the page is shown.
    void activate() override;
    // The list may not be empty.
    bool validate() override;
    bool apply() override;
    bool isModified() const override { return state_.Changed(); }
    QWidget* firstField() const override;
    // The sports the list holds now, applied or not; the log's until the page is shown.
    std::vector<std::string> listedNames() const;

    const prefs::SportsPageState& state() const { return state_; }
    CSportsListModel* listModel() const { return model_; }
    CAutoCompleteComboBox* nameBox() const { return name_; }
    QComboBox* abbrevBox() const { return abbrev_; }
    QComboBox* unitsBox() const { return units_; }
    QComboBox* paceBox() const { return pace_; }
    QPushButton* iconButton() const { return icon_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* removeButton() const { return remove_; }
    QTreeView* sportsList() const { return list_; }

    // "A&dd >>" and "<< &Remove".
    void addSport();
    void removeSport();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void pickIcon();
    // The name box's text into the draft, when typing has not put it there yet.
    void takeName();
    void refreshChoices();
    void showDraft();
    void updateButtons();
    int selectedLine() const;
    void warn(const char* message);

    prefs::SportsPageState state_;
    bool loaded_ = false;
    CSportsListModel* model_;
    QGroupBox* group_;
    CAutoCompleteComboBox* name_;
    QComboBox* abbrev_;
    QComboBox* units_;
    QComboBox* pace_;
    QPushButton* icon_;
    QPushButton* add_;
    QPushButton* remove_;
    QTreeView* list_;
    QLabel* inUseNote_;
};

}  // namespace kivrun
