// The program options dialog: eleven pages of the program-wide options,
// copied in when it is made and copied back, and saved, on OK.
#pragma once

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "base/program_options.h"
#include "platform/forms.h"

namespace qm {

// One check box of the dialog and the flag it edits; an inverse box
// shows the opposite of the stored flag.
struct TOptionBox {
  const char* Page;
  const char* Name;
  const char* Caption;
  std::variant<bool TProgramOptions::*, bool*> Flag;
  bool Inverse = false;
};
const std::vector<TOptionBox>& OptionBoxes();

// A number typed into a spin edit, stored when it lies within its range;
// `What` names it when it does not.
struct TOptionNumber {
  const char* Name;
  const char* What;
  int Min;
  int Max;
};
const std::vector<TOptionNumber>& OptionNumbers();

class TSettingsDlg : public TForm {
 public:
  explicit TSettingsDlg(TComponent* owner);

  // The index-card button's result: the caller runs the card layout
  // dialog and opens the options again on the Revisions page.
  static constexpr TModalResult mrCardSetup = 6;

  TPageControl* Notebook = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;

  TCheckBox* Box(const std::string& name) const;
  TEdit* NumberEdit(const std::string& name) const;
  TRadioButton* Radio(const std::string& name) const;
  TComboBox* List(const std::string& name) const;

  // Copies the options into the controls, and back (false, with a
  // message, when a number lies outside its range: nothing is stored).
  void FillControls();
  bool StoreControls();
  // The enabled state of the boxes that depend on other boxes.
  void SetupEnabled();
  // Changes the script extension, offering to rename the scripts of the
  // script folder.
  void SetScriptExtension(const std::string& ext);
  // The dialog's copy of the key override table.
  std::array<Word, KeyOverrideCount> KeyOverrides{};

 private:
  void AddDelaySlider();
  // The delay's thumb on the mark of `delay` (tenths of a second, 5 to 50
  // in steps of 5; another value leaves it).
  void SetupDelayPos(int delay);
  // A spin button: the number one step up or down, within its range.
  void SpinNumber(const TOptionNumber& number, int step);
  // The dialog steps aside, beyond the screen's right edge, while a set-up
  // page shows, and comes back.
  void AsideWhile(const std::function<void()>& show);
  void OKBtnClick();
  void CardSetupClick();
  void ConfirmBox(const std::string& name);
  bool filling_ = false;
  class TMarkSlider* delaySlider_ = nullptr;
  // The delay OK stores: the stored one until the thumb is moved, so that
  // a delay between two marks is kept.
  Byte paginationDelay_ = 0;
};

// The program options command: the administrator lock, then the dialog
// (and the card layout round trip) until it closes, first on the page of
// that name and under `caption` when one is given. False when the lock
// refused it.
bool ShowProgramSettings(const std::string& page = "TextEntryPage", const std::string& caption = {});

}  // namespace qm
