#pragma once

#include <QDialog>
#include <functional>

#include "events/EventForm.h"

class QDialogButtonBox;
class QPushButton;

namespace kivrun {

class CEventFields;
class CTamselDoc;

// The "Event" dialog: one new event on a day, or an existing one to change. OK stores it
// through the document; when that fails the dialog stays open with what was typed.
class CEventDlg : public QDialog {
    Q_OBJECT
  public:
    // Stores the value; false keeps the dialog open.
    using Store = std::function<bool(const EventValue&)>;

    CEventDlg(CTamselDoc& doc, Store store, QWidget* parent = nullptr);

    EventForm& Model() { return model_; }
    CEventFields& Fields() const { return *fields_; }
    // Shows the model again after it was set.
    void Refresh();
    // "Log as Workout", for an event the log has: stores what the dialog holds, closes it and
    // has then run (the data entry form made from the event).
    void OfferLogAsWorkout(std::function<void()> then);
    QPushButton* LogAsWorkoutButton() const { return logAsWorkout_; }

    // The dialog on a new event of that day; true when one was added.
    static bool NewEvent(CTamselDoc& doc, const CDate& day, QWidget* parent);
    // The dialog on an event; true when it was changed. Nothing when it is gone.
    static bool EditEvent(CTamselDoc& doc, RowId eventId, QWidget* parent);

  public slots:
    void accept() override;

  private:
    EventForm model_;
    Store store_;
    CEventFields* fields_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QPushButton* logAsWorkout_ = nullptr;
};

}  // namespace kivrun
