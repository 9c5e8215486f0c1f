#include "events/ui/EventFields.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "entries/ui/DatePicker.h"

namespace kivrun {
namespace {

QString ToQ(const std::string& s) {
    return QString::fromStdString(s);
}

// The log keeps names and affiliations of up to 100 characters, details of up to 250.
constexpr int kNameLength = 100;
constexpr int kDetailsLength = 250;

}  // namespace

CEventFields::CEventFields(EventForm& model, const QString& eventLabel, QWidget* parent)
    : QWidget(parent), model_(model) {
    date_ = new DatePicker(this);
    sport_ = new QComboBox(this);
    sport_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    sport_->setMinimumContentsLength(12);
    affiliation_ = new QComboBox(this);
    affiliation_->setEditable(true);
    affiliation_->setInsertPolicy(QComboBox::NoInsert);
    affiliation_->lineEdit()->setMaxLength(kNameLength);
    affiliation_->setMinimumContentsLength(16);
    affiliation_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    affiliationButton_ = new QPushButton(tr("< &Add"), this);
    affiliationButton_->setAutoDefault(false);
    affiliationButton_->setEnabled(false);
    name_ = new QLineEdit(this);
    name_->setMaxLength(kNameLength);
    details_ = new QPlainTextEdit(this);
    details_->setTabChangesFocus(true);
    details_->setMinimumHeight(fontMetrics().height() * 3);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(4);
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label(tr("&Date:"), date_), 0, 0);
    grid->addWidget(date_, 0, 1);
    grid->addWidget(label(tr("&Sport:"), sport_), 1, 0);
    grid->addWidget(sport_, 1, 1);
    grid->addWidget(label(tr("&Affiliation:"), affiliation_), 2, 0);
    grid->addWidget(affiliation_, 2, 1);
    grid->addWidget(affiliationButton_, 2, 2);
    grid->addWidget(label(eventLabel, name_), 0, 3);
    grid->addWidget(name_, 0, 4);
    grid->addWidget(label(tr("De&tails:"), details_), 1, 3, Qt::AlignTop);
    grid->addWidget(details_, 1, 4, 2, 1);
    grid->setColumnMinimumWidth(2, affiliationButton_->sizeHint().width());
    grid->setColumnStretch(4, 1);
    setTabOrder(date_, sport_);
    setTabOrder(sport_, affiliation_);
    setTabOrder(affiliation_, affiliationButton_);
    setTabOrder(affiliationButton_, name_);
    setTabOrder(name_, details_);
    setFocusProxy(date_);
    Connect();
}

void CEventFields::Connect() {
    connect(date_, &DatePicker::dateChanged, this, [this](QDate day) {
        if (!showing_) model_.date = FromQDate(day);
    });
    connect(sport_, &QComboBox::activated, this, [this](int index) {
        model_.ChooseSport(index);
        Refresh();
    });
    connect(affiliation_, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (showing_) return;
        model_.affiliation.SetText(text.toStdString());
        Refresh();
    });
    connect(affiliation_, &QComboBox::textActivated, this, [this](const QString& item) {
        model_.affiliation.Choose(item.toStdString());
        Refresh();
    });
    connect(affiliationButton_, &QPushButton::clicked, this, [this] {
        const bool focus = model_.affiliation.Press();
        Refresh();
        if (focus) affiliation_->setFocus();
    });
    connect(name_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.name = text.toStdString(); });
    connect(details_, &QPlainTextEdit::textChanged, this, [this] {
        if (showing_) return;
        QString text = details_->toPlainText();
        // The log keeps each line break as two characters. What goes beyond its length is
        // cut in the box, so the box shows exactly what will be stored.
        const auto stored = [](const QString& t) { return t.size() + t.count(QLatin1Char('\n')); };
        if (stored(text) > kDetailsLength) {
            while (stored(text) > kDetailsLength)
                text.chop(1);
            details_->setPlainText(text);
            details_->moveCursor(QTextCursor::End);
            return;
        }
        model_.details = text.toStdString();
    });
    affiliation_->installEventFilter(this);
}

bool CEventFields::eventFilter(QObject* watched, QEvent* event) {
    // The list is read again whenever the box gets the focus: another window may have
    // changed it.
    if (watched == affiliation_ && event->type() == QEvent::FocusIn) {
        model_.affiliation.Refill();
        Refresh();
    }
    return QWidget::eventFilter(watched, event);
}

void CEventFields::Refresh() {
    showing_ = true;
    const QDate day = ToQDate(model_.date);
    if (date_->date() != day) date_->setDate(day);
    QStringList sports;
    for (const EventForm::SportChoice& s : model_.Sports())
        sports << ToQ(s.name);
    QStringList shown;
    for (int i = 0; i < sport_->count(); ++i)
        shown << sport_->itemText(i);
    if (shown != sports) {
        sport_->clear();
        sport_->addItems(sports);
    }
    sport_->setCurrentIndex(model_.Sport());

    QStringList items;
    for (const std::string& a : model_.affiliation.Items())
        items << ToQ(a);
    QStringList listed;
    for (int i = 0; i < affiliation_->count(); ++i)
        listed << affiliation_->itemText(i);
    const QString text = ToQ(model_.affiliation.Text());
    if (listed != items) {
        affiliation_->clear();
        affiliation_->addItems(items);
        affiliation_->setCurrentIndex(-1);
    }
    if (affiliation_->currentText() != text) affiliation_->setEditText(text);
    affiliationButton_->setText(ToQ(model_.affiliation.ButtonText()));
    affiliationButton_->setEnabled(model_.affiliation.ButtonEnabled());
    if (name_->text() != ToQ(model_.name)) name_->setText(ToQ(model_.name));
    if (details_->toPlainText() != ToQ(model_.details)) details_->setPlainText(ToQ(model_.details));
    showing_ = false;
}

void CEventFields::FocusDate() {
    date_->setFocus();
}

void CEventFields::FocusSport() {
    sport_->setFocus();
}

}  // namespace kivrun
