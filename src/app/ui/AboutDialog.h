#pragma once

#include <QDialog>

namespace kivrun {

// "About Kivrun": the program's name, its version, its licence and its picture.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace kivrun
