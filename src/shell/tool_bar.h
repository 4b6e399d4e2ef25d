// The main window's tool bar: one or two rows of the program's flat
// buttons across the top, laid out as designed or as the tool-bar set-up
// wrote into the settings file, each button following its menu command.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/types.h"

namespace qm {

class TBevel;
class TControl;
class TFont;
class TBtrLabel;
class TMainForm;
class TOfficeButton;
class TPanel;
class TScrollBar;

class TMDIChild;
class TToolBar {
 public:
  explicit TToolBar(TMainForm& form);

  TPanel* Panel() const { return panel_; }
  // The tool buttons that sit on the bar itself, each with its settings
  // section (the small colour buttons are not among them).
  TOfficeButton* Button(const std::string& name) const;
  const std::vector<TOfficeButton*>& Buttons() const { return buttons_; }
  // The element type box and its drop-down button.
  TBtrLabel* CurrentElement() const { return currentElement_; }
  TOfficeButton* ElementBoxBtn() const { return elementBoxBtn_; }
  // Four small buttons for the four text colours.
  TPanel* FourColorBtn() const { return fourColor_; }
  TOfficeButton* SmallButton(const std::string& name) const;
  TScrollBar* HorizScrollBar() const { return horizScrollBar_; }
  TBevel* TopBevel() const { return topBevel_; }

  // Lays the bar out from the settings; true when the set-up program has
  // configured it ([Menu Bar] "Icon Size" not 0).
  bool SetupToolBars(bool initial);
  // Whether the last layout came from the set-up program's settings.
  bool Configured() const { return configured_; }
  // The whole bar grows or shrinks, keeping its rows.
  void ScaleBy(int multiplier, int divider);
  void SetToolBarRows(bool twoRows);
  bool TwoRows() const;
  // Arial 9 in the element box on a 640-pixel screen or with another
  // program font than the standard one.
  void FitElementBoxFont();
  // The bar takes the program font; an Arial program font goes to the
  // element box and its list as well.
  void TakeProgramFont(const TFont& font);
  // Drops the element list under the box, or takes it up again.
  void ToggleElementList();
  // Where the element list drops: under the box, as wide as the box and
  // one pixel more, one item higher than its items; at the caret when the
  // bar is hidden. Always wholly inside the window.
  void PlaceElementList(TMDIChild& script);
  // Each button enabled as its command is (the Exit and two-rows buttons
  // always), the style buttons down while the caret is inside their run.
  void UpdateButtons();
  // Only the style buttons, after the caret moved.
  void UpdateFormatButtons();
  // The letter of the User Defined Color button in the user colour being
  // typed in.
  void ShowUserColor(TColor color);

 private:
  void MakeButtons();
  void MakeElementBox();
  void MakeFourColorPanel();
  void DesignedLayout();
  void PlaceElementBoxButton(int below, int height);
  // The panel's height, the bevel between the rows and the toggle's arrow.
  void ApplyRows(bool twoRows);
  // The visible buttons (and the four-colour panel among them) row by
  // row, left to right, each with whether it touches the one before it in
  // its row.
  std::vector<std::pair<TControl*, bool>> OrderButtons() const;
  // Butts grouped buttons against the one before them, sharing a pixel;
  // in the designed layout what follows a moved button moves with it, so
  // that the gaps of the design stay.
  void JoinGroups(const std::vector<std::pair<TControl*, bool>>& order, bool configured) const;

  TMainForm& form_;
  TPanel* panel_ = nullptr;
  std::vector<TOfficeButton*> buttons_;
  TBtrLabel* currentElement_ = nullptr;
  TOfficeButton* elementBoxBtn_ = nullptr;
  TPanel* fourColor_ = nullptr;
  TColor userColor_ = clNone;
  std::vector<TOfficeButton*> smallButtons_;
  TScrollBar* horizScrollBar_ = nullptr;
  TBevel* topBevel_ = nullptr;
  bool configured_ = false;
};

}  // namespace qm
