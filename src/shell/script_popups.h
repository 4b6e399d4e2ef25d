// The script window's block menu: a right click in the script offers the
// selection, clipboard and case commands that suit the moment.
#pragma once

#include <string>

namespace qm {

class TMainForm;
class TPopupMenu;
class TMenuItem;
class TMDIChild;
class TPowerPanel;

class TScriptPopups {
 public:
  explicit TScriptPopups(TMainForm& form);
  ~TScriptPopups();

  TPopupMenu* SelectPopUp = nullptr;

  // Enables the items by their tags: 1367 only with a block, 1467 only
  // without one, 1867 without one while Paste is enabled.
  void SelectPopUpPopup();
  // A right click in the script: the power panel at the click while
  // "Mouse Menu" and "Use PowerPanel" are on, else the block menu.
  void RightClick(TMDIChild& script, int x, int y);
  void ShowBlockMenu(TMDIChild& script, int x, int y);
  // An item of the block menu by its name.
  TMenuItem* PopupItem(const std::string& name) const;
  // Made on first use, kept for the rest of the run.
  TPowerPanel& PowerPanel();

 private:
  void BuildSelectPopUp();
  TMainForm& form_;
  TPowerPanel* powerPanel_ = nullptr;
};

}  // namespace qm
