// The script window's block menu: a right click in the script offers the
// selection, clipboard and case commands that suit the moment.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

namespace qm {

class TMainForm;
class TPopupMenu;
class TMenuItem;
class TMDIChild;
class TPowerPanel;

class TObject;

class TScriptPopups {
 public:
  explicit TScriptPopups(TMainForm& form);
  ~TScriptPopups();

  TPopupMenu* SelectPopUp = nullptr;
  // The quick-choice menu, filled afresh each time it shows.
  TPopupMenu* ChildPopUp = nullptr;
  // Shows the choice menu at a screen point and carries out the choice.
  void ShowScriptPopup(int x, int y);
  // A new Shot (Transition) with its menu of the script's shot texts
  // (transitions), or the pick list while they run on as typed; sender
  // is the button that asked, or null for a key.
  void ShowShotPopup(TObject* sender);
  void ShowTransitionPopup(TObject* sender);
  // The choice menu with items 1 to 12 captioned (an empty one hidden),
  // under the button that asked or at the offset from the caret.
  void ShowChoiceMenu(TMDIChild& script, const std::vector<std::string>& captions, TObject* sender, TPoint offset);

  // Enables the items by their tags: 1367 only with a block, 1467 only
  // without one, 1867 without one while Paste is enabled.
  void SelectPopUpPopup();
  // A right click in the script: nothing in a read-only script or with
  // "Mouse Menu" off; the power panel at the click while "Use PowerPanel"
  // is on (the caret there first with "Move to Right Click"), else the
  // block menu.
  void RightClick(TMDIChild& script, int x, int y);
  // A right click on the main window's own area, where the scripts' windows
  // stand (the only road to the panel with no script open): the power panel
  // at the click while "Mouse Menu" is on.
  void RightClickOnFrame(int x, int y);
  void ShowBlockMenu(TMDIChild& script, int x, int y);
  // An item of the block menu by its name.
  TMenuItem* PopupItem(const std::string& name) const;
  // Made on first use, kept for the rest of the run.
  TPowerPanel& PowerPanel();
  // Hides the power panel when it shows; true when it did.
  bool ClosePowerPanel();

 private:
  void BuildSelectPopUp();
  void BuildChildPopUp();
  void ChildPopUpPopup();
  // Items 1 to 12 from the texts (hidden past them), each with a letter.
  void FillUserItems(const std::string* texts, int count);
  TMenuItem* ChildItem(const char* name) const;
  TMainForm& form_;
  TPowerPanel* powerPanel_ = nullptr;
};

}  // namespace qm
