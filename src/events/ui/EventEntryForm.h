#pragma once

#include <QWidget>

#include "document/UpdateHint.h"
#include "events/EventForm.h"

class QPushButton;

namespace kivrun {

class CEventFields;
class CTamselDoc;

// The events window's upper pane: quick entry of new events, one after another.
class CEventEntryForm : public QWidget, public View {
    Q_OBJECT
  public:
    static QWidget* Create(CTamselDoc& doc, QWidget* parent);
    explicit CEventEntryForm(CTamselDoc& doc, QWidget* parent = nullptr);

    EventForm& Model() { return model_; }
    CEventFields& Fields() const { return *fields_; }
    QPushButton* EnterButton() const { return enter_; }

    // "&Enter": adds the event and starts the next one; "&Reset": starts again.
    void PressEnter();
    void PressReset();

    void OnUpdate(View* sender, const UpdateHint& hint) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    EventForm model_;
    CEventFields* fields_ = nullptr;
    QPushButton* enter_ = nullptr;
    QPushButton* reset_ = nullptr;
};

}  // namespace kivrun
