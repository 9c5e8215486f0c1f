#pragma once

#include <QDate>
#include <QLineEdit>

#include "controls/DateTyping.h"
#include "values/Date.h"

class QCalendarWidget;

namespace kivrun {

// The picker's day and the log's day.
inline QDate ToQDate(const CDate& d) {
    return QDate(d.Year(), d.Month(), d.Day());
}

inline CDate FromQDate(const QDate& d) {
    return CDate(d.month(), d.day(), d.year());
}

// A date box that takes typing: the locale's short form with the full year, the log's
// M/D/YYYY or M/D/YY, a month by name. Up and Down step the part the caret is in, a space or
// a slash moves to the next part, Alt+Down or F4 drops a calendar. The day counts once the
// box is left or Return pressed; until then typing changes nothing else.
class DatePicker : public QLineEdit {
    Q_OBJECT
  public:
    explicit DatePicker(QWidget* parent = nullptr);

    // The day the box shows: what is typed when it reads as a day, else the last one taken.
    QDate date() const;
    void setDate(QDate day);
    // Takes what is typed; false (the text kept) when it is no day.
    bool Commit();
    bool Acceptable() const;
    // Leaving with a text that is no day puts the last day back, unless the owner says why.
    void setRestoresRefusedText(bool restores) { restores_ = restores; }
    void ShowCalendar();

  signals:
    void dateChanged(QDate day);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Take(QDate day);

    DateTyping typing_;
    QDate date_;
    bool restores_ = true;
};

}  // namespace kivrun
