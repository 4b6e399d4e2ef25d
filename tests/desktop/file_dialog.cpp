#include "desktop/file_dialog.h"

#include <optional>

namespace qm::desktop {

namespace {

// The dialog's bottom row but one holds the name field and, at its right
// end, the Open or Save button. Measured from the corner of the geometry
// xdotool reports under openbox, which lies a title bar below the window.
constexpr int kNameRowFromBottom = 74;
constexpr int kButtonFromRight = 53;
// The file type row lies below it.
constexpr int kTypeRowBelow = 30;

}  // namespace

bool AnswerFileDialog(DesktopSession& session, const std::string& title, const std::string& name, int typesDown) {
  if (!session.ActivateWindowTitled(title)) return false;
  const std::optional<WindowGeometry> dialog = session.ActiveWindowGeometry();
  if (!dialog) return false;
  const int row = dialog->y + dialog->height - kNameRowFromBottom;
  if (typesDown > 0) {
    // The list opens on the type proposed.
    session.Click(dialog->x + dialog->width / 2, row + kTypeRowBelow);
    std::string keys;
    for (int i = 0; i < typesDown; ++i) keys += "Down ";
    session.Keys(keys + "Return", 300);
  }
  if (!name.empty()) {
    session.Click(dialog->x + dialog->width / 2, row);
    session.Keys("ctrl+a BackSpace", 300);
    session.Type(name, 40);
    // A click of the field again closes the completer's list, which would
    // take the next click.
    session.Click(dialog->x + dialog->width / 2, row);
  }
  session.Click(dialog->x + dialog->width - kButtonFromRight, row);
  return true;
}

}  // namespace qm::desktop
