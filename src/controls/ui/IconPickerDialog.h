#pragma once

#include <QDialog>

class QListWidget;

namespace kivrun {

// "Pick an Icon": the sport icons at 32 x 32 to choose one from.
class CIconPickerDialog : public QDialog {
    Q_OBJECT
  public:
    // initial is the icon shown selected at first; -1 for none.
    explicit CIconPickerDialog(QWidget* parent = nullptr, int initial = -1);

    // The icon chosen with OK or a double click; -1 until then.
    int chosenIndex() const { return chosen_; }
    QListWidget* iconList() const { return list_; }

    // Shows the dialog; the chosen icon, or -1 when the user cancelled.
    static int pickIcon(QWidget* parent, int initial = -1);

    void accept() override;

  private:
    QListWidget* list_;
    int chosen_ = -1;
};

}  // namespace kivrun
