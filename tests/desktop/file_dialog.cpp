#include "desktop/file_dialog.h"

#include <optional>

namespace qm::desktop {

namespace {

// The dialog's bottom row but one holds the name field and, at its right
// end, the Open or Save button. Measured from the corner of the geometry
// xdotool reports under openbox, which lies a title bar below the window.
constexpr int kNameRowFromBottom = 74;
constexpr int kButtonFromRight = 53;

}  // namespace

bool AnswerFileDialog(DesktopSession& session, const std::string& title, const std::string& name) {
  if (!session.ActivateWindowTitled(title)) return false;
  const std::optional<WindowGeometry> dialog = session.ActiveWindowGeometry();
  if (!dialog) return false;
  const int row = dialog->y + dialog->height - kNameRowFromBottom;
  if (!name.empty()) {
    session.Click(dialog->x + dialog->width / 2, row);
    session.Keys("ctrl+a BackSpace", 300);
    session.Type(name, 40);
  }
  session.Click(dialog->x + dialog->width - kButtonFromRight, row);
  return true;
}

}  // namespace qm::desktop
