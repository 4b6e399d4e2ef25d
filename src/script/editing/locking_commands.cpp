// The Pause Locking commands of the Drafts menu: the writer edits a locked
// script as if it were not.
#include "base/message_boxes.h"
#include "script/script_window.h"

namespace qm {

bool TMDIChild::TogglePauseLocking(bool pages, bool checked) {
  const std::string what = pages ? "Pages" : "Scenes";
  if (checked) {
    if (pages) PagesLocked = 1;
    else ScenesLocked = 1;
    return false;
  }
  if (!AskTypeYes("By disabling the locking of " + what + " you " +
                      "will be able to cut && paste text as if the script WERE NOT LOCKED " + "and " +
                      "Quillmaster for Windows" + " will NOT track any omitteds or perform any of its other " +
                      " normal locked script management.",
                  "*** WARNING *** "))
    return false;
  if (pages) PagesLocked = 0;
  else ScenesLocked = 0;
  ShowMessageBox("The locking of " + what + " has been temporarily disabled.", "");
  return true;
}

}  // namespace qm
