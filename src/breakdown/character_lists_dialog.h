// The "Character Lists" dialog: how the lists are sorted and written, and
// which locations always get the atmosphere text.
#pragma once

#include <string>
#include <vector>

#include "breakdown/character_lists.h"
#include "breakdown/rundown_sheets.h"
#include "platform/dialog_builder.h"
#include "platform/forms.h"

namespace qm {

class TIniFile;
class TMDIChild;

// The pages the rundown sheets and the set list add to the dialog.
TDialogTable RundownPageTable();
TDialogTable SetListPageTable();

class TCharNameListDlg : public TForm {
 public:
  TCharNameListDlg(TComponent* owner, TMDIChild& script);

  TPageControl* Notebook;
  TTabSheet* DefaultPage;
  TTabSheet* ScenesPage;
  TRadioGroup* SortNamesBox;
  TCheckBox* AllCapsBox;
  TCheckBox* IncNonSpeakingBox;
  TCheckBox* BoldBox;
  TCheckBox* AfterFirstBox;
  TButton* SetupUserListOrderBtn;
  TButton* SelectScenesBtn;
  TListBox* SceneList;
  TEdit* Atmosphere;
  TButton* EditLocationsBtn;
  TButton* NormalPageBtn;
  TButton* OKBtn;
  TButton* CancelBtn;

  // The "Rundown" page.
  TTabSheet* RundownPage;
  TEdit *ProdTitle, *ProdCo, *EpisodeNumber, *Draft, *ReportedDate, *DirectedBy;
  TComboBox* FontList;
  TComboBox* FontSize;
  TCheckBox *UndAct, *UndSH, *BoldAct, *BoldSH;
  TCheckBox *ActSceneColumn, *DayNightColumn, *PageNumColumn;
  TEdit *BoxWidth, *MinHeightBox;
  TRadioButton *FourTimingBoxes, *TwoTimingBoxes;
  TCheckBox* PrintTotalBoxes;
  TButton* SetupSetListBtn;
  // The "Setup Set List" page.
  TTabSheet* SetListPage;
  TCheckBox *PrintSetList, *IncludePgNumbers;
  TRadioButton *StartingOnly, *StartingAndEnding;
  TEdit* PageText;
  TCheckBox *ListChars, *CastCaps, *LocationBold, *PutInClipBox;
  TEdit* FinalTextEdit;
  TButton* ReturnBtn;

  // The names of the script once confirmed; a name's place counts from 1.
  std::vector<std::string> CharNameList;

  // Refills the atmosphere locations, selecting the flagged ones.
  void FillAtmosphereList();
  void Preset(const TIniFile& ini);
  TCharacterListOptions Options() const;
  // The checks of "Generate Lists"; true when the generation may go on.
  bool Confirm();
  void OKBtnClick();
  void SetupUserListOrderBtnClick(bool locations);
  void ShowPage(int index);
  // The run the confirmed choices make.
  TCharacterListRun Run() const;

  // The rundown pages: shown for the rundown (page 3) or the set list
  // alone (page 4, no way back).
  void StartRundown(const TRundownOptions& options, bool justSetList);
  TRundownOptions RundownOptions() const;
  TProductionDetails Production() const;
  void PrintSetListClick();
  void IncludePgNumbersClick();
  void ListCharsClick();
  void PutInClipBoxClick();
  // The spin buttons of the two box sizes.
  void StepBoxSize(TEdit& edit, int tenths);

 private:
  TMDIChild& script_;
  void BindRundownPages();
  bool rundown_ = false;
};

}  // namespace qm
