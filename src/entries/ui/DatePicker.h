#pragma once

#include <QDate>
#include <QDateEdit>
#include <QLocale>

#include "entries/Date.h"

namespace kivrun {

// The picker's day and the log's day.
inline QDate ToQDate(const CDate& d) {
    return QDate(d.Year(), d.Month(), d.Day());
}

inline CDate FromQDate(const QDate& d) {
    return CDate(d.month(), d.day(), d.year());
}

// A date box with a drop-down calendar, in the locale's short form with the century (a
// log spans years). Tab leaves it like any other box; the arrow keys move between month,
// day and year.
class DatePicker : public QDateEdit {
  public:
    explicit DatePicker(QWidget* parent = nullptr) : QDateEdit(parent) {
        setCalendarPopup(true);
        QString format = QLocale().dateFormat(QLocale::ShortFormat);
        if (!format.contains(QStringLiteral("yyyy")))
            format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
        setDisplayFormat(format);
    }

  protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

}  // namespace kivrun
