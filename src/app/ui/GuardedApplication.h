#pragma once

#include <QApplication>

namespace kivrun {

// The application object with one guard around every event: an engine error that escapes a
// slot or an event handler is shown to the user and the program goes on, instead of ending.
class GuardedApplication : public QApplication {
  public:
    GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace kivrun
