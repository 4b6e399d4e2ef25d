#include "platform/qt/qt_application.h"

#include <exception>

#include "platform/forms.h"
#include "platform/messages.h"

namespace qm {

bool QtProgramApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    if (Application) Application->ShowException(std::current_exception());
    return true;
  }
}

bool QtProgramApplication::event(QEvent* event) {
  if (event->type() != QEvent::Quit || !Application) return QApplication::event(event);
  PostMessage(Application->Handle(), WM_ENDSESSION, 1, 0);
  event->accept();
  return true;
}

}  // namespace qm
