// What the script window calls in the main window for its pop-up menus:
// a right click in the script opens the block menu (or the power panel),
// another press closes a panel still showing. Empty, they do nothing.
#pragma once

#include <functional>

namespace qm {

class TMDIChild;

struct TScriptPopupHooks {
  // A right click at a client point of the script window.
  std::function<void(TMDIChild& script, int x, int y)> RightClick;
  // Any other press in the script window (a pop-up still showing goes).
  std::function<void()> Pressed;
  // The mouse let go with a block marked, at a client point.
  std::function<void(TMDIChild& script, int x, int y)> BlockMarked;
};
extern TScriptPopupHooks ScriptPopupHooks;

}  // namespace qm
