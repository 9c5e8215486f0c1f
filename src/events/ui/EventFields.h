#pragma once

#include <QWidget>

#include "events/EventForm.h"

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kivrun {

class DatePicker;

// The boxes of an event, shared by the "Event" dialog and the event form: date, sport,
// affiliation with its "< &Add" / "< &Remove" button, name and details. They show an
// EventForm and hand it what the user types.
class CEventFields : public QWidget {
    Q_OBJECT
  public:
    // eventLabel: the name box's label ("&Event:" in the dialog, "E&vent:" in the form).
    CEventFields(EventForm& model, const QString& eventLabel, QWidget* parent = nullptr);

    // Shows the model.
    void Refresh();
    void FocusDate();
    void FocusSport();

    DatePicker* DateBox() const { return date_; }
    QComboBox* SportBox() const { return sport_; }
    QComboBox* AffiliationBox() const { return affiliation_; }
    QPushButton* AffiliationButton() const { return affiliationButton_; }
    QLineEdit* NameBox() const { return name_; }
    QPlainTextEdit* DetailsBox() const { return details_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Connect();

    EventForm& model_;
    DatePicker* date_ = nullptr;
    QComboBox* sport_ = nullptr;
    QComboBox* affiliation_ = nullptr;
    QPushButton* affiliationButton_ = nullptr;
    QLineEdit* name_ = nullptr;
    QPlainTextEdit* details_ = nullptr;
    bool showing_ = false;
};

}  // namespace kivrun
