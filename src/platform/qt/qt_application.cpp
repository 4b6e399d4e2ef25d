#include "platform/qt/qt_application.h"

#include <exception>

#include "platform/forms.h"

namespace qm {

bool QtProgramApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    if (Application) Application->ShowException(std::current_exception());
    return true;
  }
}

}  // namespace qm
