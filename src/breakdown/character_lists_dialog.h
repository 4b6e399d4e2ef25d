// The "Character Lists" dialog: how the lists are sorted and written, and
// which locations always get the atmosphere text.
#pragma once

#include <string>
#include <vector>

#include "breakdown/character_lists.h"
#include "platform/forms.h"

namespace qm {

class TIniFile;
class TMDIChild;

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

 private:
  TMDIChild& script_;
};

}  // namespace qm
