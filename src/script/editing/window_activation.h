// What happens when a script window becomes the active one: it takes its
// slot as the active document, the undo ring forgets the steps of the
// script that was active before, and the main window follows the script.
#pragma once

#include <functional>

namespace qm {

class TMDIChild;

struct TActivationHooks {
  // The main window's share: its menus, status line, bars and ruler.
  std::function<void(TMDIChild& window)> ScriptActivated;
  // The window lost activation: a paused page or scene lock ends (the
  // main window's Pause items are unticked) and the status line follows.
  std::function<void(TMDIChild& window)> ScriptDeactivated;
};
extern TActivationHooks ActivationHooks;

// The body of the window's activation (nothing while it closes).
void ActivateScriptWindow(TMDIChild& window);

}  // namespace qm
