// The locking commands of the Drafts menu: Fix / Flex A-Pages turns the
// automatic breaks into fixed A-page breaks or back, and Pause Locking
// lets the writer edit a locked script as if it were not.
#include "base/message_boxes.h"
#include "script/editing/document_modified.h"
#include "script/script_window.h"

namespace qm {

void TMDIChild::FlexOrFixAPages(bool flex) {
  if (!CurrentElement()) return;
  if (flex && !AskTypeYes("By Flexing your Fixed A-Pages, it will recombine any short A-Pages that were fixed, and "
                          "if the script has Double-Locked Pages it may combine them with normal A-Pages!\r\r"
                          "Do you REALLY want to do this?",
                          ""))
    return;
  Assemble();
  for (TScriptElement* e = FirstElement; e; e = e->next) {
    if (flex) {
      if (e->Kind() == ekFixedAPageBreak) e->format.Kind = ekAutoPageBreak;
      continue;
    }
    if (e->Kind() != ekAutoPageBreak) continue;
    Byte kind = ekFixedAPageBreak;
    if (PagesMultiLocked)
      for (const TScriptElement* n = e->next; n; n = n->next) {
        const Byte k = n->Kind();
        if (k != ekForcedPageBreak && k != ekLockedPageBreak && k != ekFixedAPageBreak) continue;
        if (k == ekFixedAPageBreak) kind = ekMultiLockedPageBreak;
        break;
      }
    e->format.Kind = kind;
  }
  SetDocumentModified(true, false);
  RefreshLayout();
  ShowMessageBox(flex ? " All the A-Pages are now Flexible" : "All the A-Pages are now Fixed", "");
}

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
