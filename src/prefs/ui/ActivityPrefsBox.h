#pragma once

#include <QGroupBox>

#include "prefs/ActivityPrefs.h"

class QComboBox;
class QPushButton;
class QTableWidget;

namespace kivrun {

class CTamselDoc;

// The General page's "Activity Files" group: which time an imported workout takes, where the
// average heart rate goes, and the log sport remembered for each device sport.
class CActivityPrefsBox : public QGroupBox {
    Q_OBJECT
  public:
    explicit CActivityPrefsBox(CTamselDoc& doc, QWidget* parent = nullptr);

    // Shows the log's values; nothing is modified afterwards.
    void Load();
    bool IsModified() const { return Read() != loaded_; }
    // Stores what the user changed; false when the log refused.
    bool Apply();

    QComboBox* timeBox() const { return time_; }
    QComboBox* heartRateBox() const { return heartRate_; }
    QTableWidget* deviceSportsTable() const { return deviceSports_; }
    QPushButton* forgetButton() const { return forget_; }

  signals:
    void modified();

  private:
    prefs::ActivityPrefs Read() const;
    void AddRow(const std::string& deviceSport, const std::string& sport);

    CTamselDoc& doc_;
    QComboBox* time_;
    QComboBox* heartRate_;
    QTableWidget* deviceSports_;
    QPushButton* forget_;
    prefs::ActivityPrefs loaded_;
    bool loading_ = false;
};

}  // namespace kivrun
