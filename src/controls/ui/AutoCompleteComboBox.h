#pragma once

#include <QComboBox>

#include "controls/AutoCompletion.h"

class QCompleter;

namespace kivrun {

// An editable combo box that completes what the user types to the first item starting with
// it (case ignored), leaving the completed part selected so that typing on overwrites it.
// Deleting never completes. Items are added with the usual QComboBox calls; typed texts are
// not added to the list.
class CAutoCompleteComboBox : public QComboBox {
    Q_OBJECT
  public:
    explicit CAutoCompleteComboBox(QWidget* parent = nullptr);

    // Whether the list drops down, with the match highlighted, while the text matches an
    // item. Off by default.
    void setOpenListOnMatch(bool open) { openListOnMatch_ = open; }
    bool openListOnMatch() const { return openListOnMatch_; }

  signals:
    // The user typed, and the edit now shows text (completed or not). Listen to this rather
    // than to editTextChanged, which after a completion also repeats the text as typed.
    void textTyped(const QString& text);

  private:
    void onTextEdited(const QString& text);
    void rememberEdit();
    void showMatchInList(int row);

    controls::AutoCompleter completer_;
    QCompleter* list_ = nullptr;
    bool openListOnMatch_ = false;
    bool completing_ = false;
};

}  // namespace kivrun
