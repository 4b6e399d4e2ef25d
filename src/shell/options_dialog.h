// The program options dialog: eleven pages of the program-wide options,
// copied in when it is made and copied back, and saved, on OK.
#pragma once

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

// A number typed into an edit, stored when it lies within its range.
struct TOptionNumber {
  const char* Page;
  const char* Name;
  const char* Caption;
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
  void OKBtnClick();
  void CardSetupClick();
  void ConfirmBox(const std::string& name);
  bool filling_ = false;
};

// The program options command: the administrator lock, then the dialog
// (and the card layout round trip) until it closes, first on the page of
// that name and under `caption` when one is given. False when the lock
// refused it.
bool ShowProgramSettings(const std::string& page = "TextEntryPage", const std::string& caption = {});

}  // namespace qm
