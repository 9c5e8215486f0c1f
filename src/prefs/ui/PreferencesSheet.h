#pragma once

#include <QDialog>
#include <vector>

class QPushButton;
class QTabWidget;

namespace kivrun {

class CTamselDoc;
class CPreferencesPage;
class CGeneralPrefsPage;
class CSportsPrefsPage;
class CPrefsHtmlPage;
class CEquipmentPrefsPage;

// "Preferences": the pages "General", "Sports" and "HTML". OK and Apply write the changes of
// every page shown so far, in page order, after every page has agreed to be applied.
class CPreferencesSheet : public QDialog {
    Q_OBJECT
  public:
    CPreferencesSheet(CTamselDoc& doc, QWidget* parent = nullptr);

    CGeneralPrefsPage* generalPage() const { return general_; }
    CSportsPrefsPage* sportsPage() const { return sports_; }
    CPrefsHtmlPage* htmlPage() const { return html_; }
    CEquipmentPrefsPage* equipmentPage() const { return equipment_; }
    QTabWidget* tabs() const { return tabs_; }
    QPushButton* applyButton() const { return apply_; }

    // The Apply button. False when a page refused or the log did; the sheet stays.
    bool applyChanges();
    void accept() override;

  private:
    void pageShown(int index);
    void updateApply();

    QTabWidget* tabs_;
    CGeneralPrefsPage* general_;
    CSportsPrefsPage* sports_;
    CPrefsHtmlPage* html_;
    CEquipmentPrefsPage* equipment_;
    std::vector<CPreferencesPage*> pages_;
    std::vector<bool> shown_;
    QPushButton* apply_;
};

}  // namespace kivrun

// Shows the modal "Preferences" sheet over the open log: for File New and for the
// "P&references..." command.
void ShowPreferencesSheet(QWidget* parent, kivrun::CTamselDoc& doc);
