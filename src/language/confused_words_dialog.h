// The word-check dialog: its first page checks the script for easily
// confused words, its second sets up duplicate names.
#pragma once

#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/menus.h"

namespace qm {

class TCheckWordsDlg : public TForm {
 public:
  // The duplicate-names page shows for duplicates, else the word page.
  TCheckWordsDlg(TComponent* owner, bool duplicates);

  TPageControl* Pages;
  // Words to Check
  TListBox* CompareList;
  TEdit* AddWords;
  TSpeedButton* AddBtn;
  TSpeedButton* SpeedButton1;
  TButton* CheckForwardsButton;
  TButton* CheckScriptButton;
  TButton* CloseBtn;
  TPopupMenu* ChooseWordPopUp;
  // Duplicate Names
  TLabel* InfoLabel;
  TListBox* NamesBox;
  TButton* CombineBtn;
  TButton* BreakApartBtn;
  TButton* UndoBtn;
  TButton* Button2;
  TButton* ApplyButton;
  TButton* CancelBtn;

  // The word page.
  std::vector<std::string> Groups() const;
  void SetGroups(const std::vector<std::string>& groups);
  // Adds the entry field's text as a group; false (after saying why) when
  // it has no colon.
  bool AddBtnClick();
  void CompareListDblClick();
  void DeleteWordsClick();

  // The names page.
  std::vector<std::string> Entries() const;
  void SetEntries(const std::vector<std::string>& entries);
  // The duplicates page's instruction, wrapped across the page; the list
  // starts below it.
  void SetInstruction(const std::string& text);
  void NamesBoxClick();
  void CombineBtnClick();
  void BreakApartBtnClick();
  void UndoBtnClick();
  void ClearSelectionsClick();

 private:
  void UpdateNameButtons();
  std::vector<int> SelectedNames() const;
  int firstSelected_ = -1;
  std::vector<std::string> undoCopy_;
};

}  // namespace qm
