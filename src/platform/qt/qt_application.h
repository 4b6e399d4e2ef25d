// The Qt application the program runs on: Qt's own dispatch carries no
// exception, so a failure that escaped a command started by a desktop
// event is caught where Qt hands the event over, said, and the program
// goes on (see TApplication::ShowException).
#pragma once

#include <QApplication>

namespace qm {

class QtProgramApplication : public QApplication {
 public:
  QtProgramApplication(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receiver, QEvent* event) override;

 protected:
  // The desktop ends the program (the session manager's "die"): the core
  // hears it as the session's end, in its own time.
  bool event(QEvent* event) override;
};

}  // namespace qm
