#pragma once

#include <QWidget>

namespace kivrun {

class CTamselDoc;

// A page of the preferences sheet. Each page holds its values in its own widgets between
// loading and applying; Cancel stores nothing.
class CPreferencesPage : public QWidget {
    Q_OBJECT
  public:
    CPreferencesPage(CTamselDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {}

    // The page is shown: read the log (the first time, or whenever the page wants to).
    virtual void activate() = 0;
    // Whether the page can be applied; if not, it has told the user why.
    virtual bool validate() { return true; }
    // Writes the page's changes into the log. False when the log refused.
    virtual bool apply() = 0;
    virtual bool isModified() const = 0;
    // Where the keyboard starts when the sheet opens on this page.
    virtual QWidget* firstField() const = 0;

  signals:
    // The user changed something.
    void modified();

  protected:
    CTamselDoc& doc_;
};

}  // namespace kivrun
