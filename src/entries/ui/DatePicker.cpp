#include "entries/ui/DatePicker.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QStyle>
#include <QWidgetAction>

namespace kivrun {

namespace {

std::vector<std::string> LocaleMonthNames() {
    std::vector<std::string> names;
    const QLocale locale;
    for (QLocale::FormatType form : {QLocale::LongFormat, QLocale::ShortFormat})
        for (int m = 1; m <= 12; ++m)
            names.push_back(locale.standaloneMonthName(m, form).toStdString());
    return names;
}

std::string Utf8(const QString& s) {
    return s.toStdString();
}

}  // namespace

DatePicker::DatePicker(QWidget* parent)
    : QLineEdit(parent),
      typing_(Utf8(QLocale().dateFormat(QLocale::ShortFormat)), LocaleMonthNames()) {
    QAction* drop = addAction(style()->standardIcon(QStyle::SP_ArrowDown), TrailingPosition);
    drop->setToolTip(tr("Choose the day from a calendar (Alt+Down)"));
    connect(drop, &QAction::triggered, this, &DatePicker::ShowCalendar);
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (!Commit() && restores_) {
            QApplication::beep();
            setDate(date_);
        }
    });
    const QString widest = QString::fromStdString(typing_.Format(CDate(12, 28, 2088)));
    setMinimumWidth(fontMetrics().horizontalAdvance(widest) + 24 +
                    style()->pixelMetric(QStyle::PM_SmallIconSize));
    setDate(QDate::currentDate());
}

QDate DatePicker::date() const {
    const std::optional<CDate> typed = typing_.Parse(Utf8(text()), FromQDate(date_));
    return typed ? ToQDate(*typed) : date_;
}

bool DatePicker::Acceptable() const {
    return typing_.Parse(Utf8(text()), FromQDate(date_)).has_value();
}

void DatePicker::setDate(QDate day) {
    if (!day.isValid()) return;
    setText(QString::fromStdString(typing_.Format(FromQDate(day))));
    Take(day);
}

void DatePicker::Take(QDate day) {
    if (day == date_) return;
    date_ = day;
    emit dateChanged(day);
}

bool DatePicker::Commit() {
    if (!Acceptable()) return false;
    setDate(date());
    return true;
}

void DatePicker::ShowCalendar() {
    QMenu popup(this);
    auto* calendar = new QCalendarWidget(&popup);
    calendar->setSelectedDate(date());
    auto* holder = new QWidgetAction(&popup);
    holder->setDefaultWidget(calendar);
    popup.addAction(holder);
    connect(calendar, &QCalendarWidget::activated, &popup, [&](QDate day) {
        setDate(day);
        popup.close();
    });
    connect(calendar, &QCalendarWidget::clicked, &popup, [&](QDate day) {
        setDate(day);
        popup.close();
    });
    popup.exec(mapToGlobal(rect().bottomLeft()));
    setFocus(Qt::PopupFocusReason);
}

void DatePicker::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool alt = event->modifiers() & Qt::AltModifier;
    if ((key == Qt::Key_Down && alt) || key == Qt::Key_F4) {
        ShowCalendar();
        return;
    }
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && !alt) {
        const DateTyping::Edit edit = typing_.Step(Utf8(text()), cursorPosition(),
                                                   key == Qt::Key_Up ? 1 : -1, FromQDate(date_));
        setText(QString::fromStdString(edit.text));
        setSelection(edit.start, edit.length);
        Take(date());
        return;
    }
    if (key == Qt::Key_Space || key == Qt::Key_Slash) {
        // Never passed on: a space must not reach whatever control comes next.
        const DateTyping::Separator s = DateTyping::TypedSeparator(Utf8(text()), cursorPosition());
        if (s.action == DateTyping::Separator::kSelect)
            setSelection(s.start, s.length);
        else if (s.action == DateTyping::Separator::kType)
            QLineEdit::keyPressEvent(event);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace kivrun
