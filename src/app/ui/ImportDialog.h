#pragma once

#include <QDialog>
#include <optional>

#include "store/UserInterface.h"

class QCheckBox;

namespace kivrun {

// "Import from other Log": what to bring over. OK with nothing ticked is a Cancel.
class CImportDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CImportDialog(QWidget* parent = nullptr);
    ImportOptions Options() const;

    static std::optional<ImportOptions> Ask(QWidget* parent);

  private:
    QCheckBox* entries_;
    QCheckBox* routes_;
    QCheckBox* preferences_;
    QCheckBox* calendar_;
};

}  // namespace kivrun
