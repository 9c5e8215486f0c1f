#pragma once

#include <QMainWindow>

namespace kivrun {

// The program's main window. Later work fills in the document area, menus and toolbars.
class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(QWidget* parent = nullptr);
};

}  // namespace kivrun
