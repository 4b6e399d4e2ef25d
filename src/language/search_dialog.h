// The Search dialog: the text to find and what replaces it (each with its
// history), the options of the search, and the format-code help. Made for
// one use. In name mode it renames a character instead.
#pragma once

#include <string>

#include "platform/forms.h"

namespace qm {

// The first entry of the replace box: find only.
inline constexpr const char* DontReplaceText = "<Don't Replace>";

class TSearchingDlg : public TForm {
 public:
  TSearchingDlg(TComponent* owner, bool nameMode);
  ~TSearchingDlg() override;

  TComboBox* SearchText;
  TComboBox* ReplaceText;
  TCheckBox* WholeWordsBox;
  TCheckBox* BackwardsBox;
  TCheckBox* ExactCaseBox;
  TRadioButton* FromCursorBtn;
  TRadioButton* EntireScriptBtn;
  TCheckBox* PromptBox;
  TCheckBox* MatchCapsBox;
  TLabel* MatchCapsLabel;
  TButton* OKBtn;
  TButton* FormatCodesBtn;

  // Preset for Search & Replace: the last replacement is offered; for
  // Search the box says not to replace.
  bool Replacing = false;
  bool NameMode() const { return nameMode_; }
  // Shows the dialog and, on OK, runs the search or replace it describes.
  // False when the user cancelled.
  bool Execute();

  void ReplaceTextChange(TObject* sender);
  void OKBtnClick(TObject* sender);
  void FormatCodesBtnClick(TObject* sender);
  // Accent keys in the text boxes (and capitals in name mode).
  void TextKeyDown(TObject* sender, Word& key, TShiftState shift);
  void TextKeyPress(TObject* sender, char& key);

 private:
  void LoadStates();
  void SaveStates();
  bool nameMode_;
};

// The pending accent of the text boxes, 0 when none; and what a key
// becomes with it (the accent is used up by any key but a blank).
char& SearchBoxAccent();
char ComposeSearchBoxKey(char typed);

// The Search and Search & Replace commands on the active script.
void ShowSearchDialog(bool replace);
// Renames a character in every cue of the script.
void ChangeCharacterName();

}  // namespace qm
