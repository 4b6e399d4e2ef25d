// The dialog in which the writer hides character names from the pick
// lists, and, re-captioned, locations from the location pick list.
#pragma once

#include <string>

#include "platform/forms.h"
#include "platform/list_drag.h"

namespace qm {

// Hidden names may hold this many letters in all.
constexpr int MaxHiddenNameLetters = 450;

class THideNamesDlg : public TForm {
 public:
  // `names`: the names dialog, with its limits; otherwise locations.
  THideNamesDlg(TComponent* owner, bool names);

  TLabel* SrcLabel;
  TLabel* DstLabel;
  TListBox* ShowNameList;
  TListBox* HideNameList;
  TSpeedButton* IncludeBtn;
  TSpeedButton* IncAllBtn;
  TSpeedButton* ExcludeBtn;
  TSpeedButton* ExcAllBtn;
  TCheckBox* ExceptWhenInSceneBox;
  TButton* OKBtn;
  TButton* CancelBtn;
  TButton* HelpBtn;

  // Moves an entry to the hidden list. For names, a move that would take
  // the hidden names past 450 letters, or past what the script can store,
  // is refused with a message and false.
  bool HideEntry(int index);
  void ShowEntry(int index);
  void IncludeBtnClick(TObject* sender);
  void IncAllBtnClick(TObject* sender);
  void ExcludeBtnClick(TObject* sender);
  void ExcAllBtnClick(TObject* sender);
  void UpdateButtons();

 private:
  bool FitsHidden(const std::string& name) const;
  bool names_;
  TListDrag drag_;
};

// "Hide Names in Pop-Up List...".
void HideCharacterNames();
// "Hide Locations in Pop-Up List...".
void HideLocations();

}  // namespace qm
