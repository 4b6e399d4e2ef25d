// The main window's tool bar: one or two rows of the program's flat
// buttons across the top, laid out as designed or as the tool-bar set-up
// wrote into the settings file, each button following its menu command.
#pragma once

#include <string>
#include <vector>

namespace qm {

class TMainForm;
class TOfficeButton;
class TPanel;

class TToolBar {
 public:
  explicit TToolBar(TMainForm& form);

  TPanel* Panel() const { return panel_; }
  TOfficeButton* Button(const std::string& name) const;
  const std::vector<TOfficeButton*>& Buttons() const { return buttons_; }

  // Lays the bar out from the settings; true when the set-up program has
  // configured it ([Menu Bar] "Icon Size" not 0).
  bool SetupToolBars(bool initial);
  void SetToolBarRows(bool twoRows);
  bool TwoRows() const;
  // Each button enabled as its command is (the Exit and two-rows buttons
  // always), the style buttons down while the caret is inside their run.
  void UpdateButtons();
  // Only the style buttons, after the caret moved.
  void UpdateFormatButtons();

 private:
  void MakeButtons();
  void DesignedLayout();
  void GroupTouchingButtons(bool configured);

  TMainForm& form_;
  TPanel* panel_ = nullptr;
  std::vector<TOfficeButton*> buttons_;
};

}  // namespace qm
