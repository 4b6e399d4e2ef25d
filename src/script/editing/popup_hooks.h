// What the script window calls in the main window for its pop-up menus:
// a right click in the script opens the block menu (or the power panel),
// any press closes a panel still showing, and does only that. Empty, they do nothing.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace qm {

class TMDIChild;
class TObject;

struct TScriptPopupHooks {
  // A right click at a client point of the script window.
  std::function<void(TMDIChild& script, int x, int y)> RightClick;
  // A press in the script window: a power panel still showing goes. True
  // when one did; the press then does nothing else. Otherwise the element
  // box's list, when it shows, goes.
  std::function<bool()> Pressed;
  // A block's marking ended at a client point: the mouse let go, or Shift
  // let go (at the caret). It offers the categories in tagging mode.
  std::function<void(TMDIChild& script, int x, int y)> BlockMarked;
  // The quick-choice menu for the script's new element, in the context
  // `PopupContext` names: its items 1 to 12 take the captions (an empty
  // one is hidden). It opens under the button that asked, or at the
  // offset from the caret; the choice is carried out before it returns.
  std::function<void(TMDIChild& script, const std::vector<std::string>& captions, TObject* sender, TPoint offset)>
      ChoiceMenu;
  // The main window's Scene Heading button, beside which a heading's
  // opening menu opens when the heading was asked for with its menu.
  std::function<TObject*()> SceneHeadingButton;
};
extern TScriptPopupHooks ScriptPopupHooks;

}  // namespace qm
