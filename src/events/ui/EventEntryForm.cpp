#include "events/ui/EventEntryForm.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/TamselDoc.h"
#include "entries/ui/DatePicker.h"
#include "events/ui/EventFields.h"

namespace kivrun {

QWidget* CEventEntryForm::Create(CTamselDoc& doc, QWidget* parent) {
    return new CEventEntryForm(doc, parent);
}

CEventEntryForm::CEventEntryForm(CTamselDoc& doc, QWidget* parent)
    : QWidget(parent), model_(doc, this, EventForm::Kind::EntryForm) {
    setObjectName(QStringLiteral("EventEntryForm"));
    fields_ = new CEventFields(model_, tr("E&vent:"), this);
    enter_ = new QPushButton(tr("&Enter"), this);
    reset_ = new QPushButton(tr("&Reset"), this);
    for (QPushButton* b : {enter_, reset_}) {
        b->setFocusPolicy(Qt::TabFocus);
        b->setAutoDefault(true);
    }
    enter_->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(enter_);
    buttons->addWidget(reset_);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(fields_, 1);
    layout->addLayout(buttons);
    setTabOrder(fields_->DetailsBox(), enter_);
    setTabOrder(enter_, reset_);
    setFocusProxy(fields_);
    connect(enter_, &QPushButton::clicked, this, &CEventEntryForm::PressEnter);
    connect(reset_, &QPushButton::clicked, this, &CEventEntryForm::PressReset);
    // Return enters from any box but the details, where Ctrl+Return does.
    for (QWidget* box : std::initializer_list<QWidget*>{fields_->DateBox(), fields_->SportBox(),
                                                        fields_->AffiliationBox(),
                                                        fields_->NameBox(), fields_->DetailsBox()})
        box->installEventFilter(this);
    model_.date = CDate();
    model_.FillSports();
    PressReset();
}

bool CEventEntryForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enterKey = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool details = watched == fields_->DetailsBox();
        const bool dropped =
            watched == fields_->AffiliationBox() && fields_->AffiliationBox()->view()->isVisible();
        if (enterKey && !dropped && (!details || key->modifiers() & Qt::ControlModifier)) {
            PressEnter();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CEventEntryForm::PressEnter() {
    if (model_.Enter()) {
        fields_->Refresh();
        fields_->FocusDate();
        return;
    }
    fields_->Refresh();
    if (model_.Sport() < 0) fields_->FocusSport();
}

void CEventEntryForm::PressReset() {
    model_.Reset();
    fields_->Refresh();
    fields_->FocusDate();
}

void CEventEntryForm::OnUpdate(View*, const UpdateHint& hint) {
    model_.OnUpdate(hint);
    fields_->Refresh();
}

}  // namespace kivrun
