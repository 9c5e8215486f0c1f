#include "events/ui/EventDlg.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/TamselDoc.h"
#include "events/ui/EventFields.h"

namespace kivrun {

CEventDlg::CEventDlg(CTamselDoc& doc, Store store, QWidget* parent)
    : QDialog(parent), model_(doc, nullptr, EventForm::Kind::Dialog), store_(std::move(store)) {
    setWindowTitle(tr("Event"));
    setObjectName(QStringLiteral("EventDialog"));
    fields_ = new CEventFields(model_, tr("&Event:"), this);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &CEventDlg::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &CEventDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fields_, 1);
    layout->addWidget(buttons_);
    model_.FillSports();
    Refresh();
    fields_->FocusDate();
    resize(560, sizeHint().height());
}

void CEventDlg::Refresh() {
    fields_->Refresh();
}

void CEventDlg::OfferLogAsWorkout(std::function<void()> then) {
    logAsWorkout_ = buttons_->addButton(tr("Log as &Workout"), QDialogButtonBox::ActionRole);
    logAsWorkout_->setToolTip(
        tr("Close the dialog and make a workout of this event in the data "
           "entry form"));
    connect(logAsWorkout_, &QPushButton::clicked, this, [this, then = std::move(then)] {
        accept();
        if (result() == QDialog::Accepted) then();
    });
}

void CEventDlg::accept() {
    const std::optional<EventValue> event = model_.Read();
    if (!event) {
        fields_->FocusSport();
        return;
    }
    if (store_ && !store_(*event)) return;
    QDialog::accept();
}

bool CEventDlg::NewEvent(CTamselDoc& doc, const CDate& day, QWidget* parent) {
    if (!doc.IsOpen() || doc.IsReadOnly()) return false;
    CEventDlg dialog(
        doc, [&doc](const EventValue& e) { return doc.AddEvent(e, nullptr) != 0; }, parent);
    dialog.Model().date = day;
    dialog.Refresh();
    return dialog.exec() == QDialog::Accepted;
}

bool CEventDlg::EditEvent(CTamselDoc& doc, RowId eventId, QWidget* parent) {
    const std::optional<EventRow> event = doc.Event(eventId);
    if (!event) return false;
    bool changed = false;
    // An event deleted meanwhile is not brought back; the dialog just closes.
    CEventDlg dialog(
        doc,
        [&](const EventValue& e) {
            changed = doc.ModifyEvent(eventId, e, nullptr);
            return changed || !doc.Event(eventId);
        },
        parent);
    dialog.Model().Load(*event);
    dialog.Refresh();
    if (!doc.IsReadOnly())
        dialog.OfferLogAsWorkout([&doc, eventId] { doc.RequestEntryFromEvent(eventId, nullptr); });
    dialog.exec();
    return changed;
}

}  // namespace kivrun
