// The "Production Breakdowns" dialog: how the scenes are ordered and
// grouped, which characters and items are listed, how lengths are counted
// and totalled, which scenes take part, and where the breakdown goes (the
// printed report, the graph, the scheduling file or the breakdown sheets).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "breakdown/breakdowns_run.h"
#include "platform/forms.h"

namespace qm {

class TMDIChild;

// What the dialog asks of the main window (set by the shell).
struct TBreakdownDialogHooks {
  // Ends the fill-out-breakdowns mode and clears its menu item's check.
  std::function<void()> EndFillOutBreakdowns;
};
extern TBreakdownDialogHooks BreakdownDialogHooks;

class TBreakdownDlg : public TForm {
 public:
  // `preset`: the output the command asks for (the report for the print
  // menu's standard breakdowns).
  TBreakdownDlg(TComponent* owner, TMDIChild& script, TBreakdownOutput preset);

  TPageControl* Notebook1;
  TRadioButton *ScriptOrderBtn, *IntExtBtn, *LocationBtn, *TimeofDayBtn, *CharNameBtn, *AllBtn, *SomeBtn, *ShootPlanBtn,
      *BreakdownSheetBtn;
  TRadioButton *IntExt2Btn, *ScriptOrder2Btn, *Location2Btn, *TimeofDay2Btn;
  TCheckBox* ListCharsBox;
  TRadioButton *SortNamesBox, *ScriptOrderBox, *DialogueFirstBox, *UserListOrderBox;
  TCheckBox *NonSpeakingBox, *EachGroupOnPageBox, *GraphBreakDowns, *PrintTaggedBox;
  TRadioButton *StandardBtn, *AdjustedBtn, *SimpleTotalBtn, *TrueTotalsBtn;
  TListBox* SceneList;
  TRadioButton *SelectedOnly, *SelectAll, *SelectAllExceptOmits;
  TEdit *ProductionCompany, *ProductionTitle;
  TButton* SetupBrkDownSheetBtn;
  TPanel* ExportChoicePanel;
  TButton *OKBtn, *CancelBtn;

  // Reads the settings and sets every control as the dialog opens.
  void FormShow();
  // The second page: its scene list, production fields and choices.
  void SetupBreakdownStuff();
  void PrimarySortClick();
  void ListCharsBoxClick();
  void GraphBreakDownsClick();
  void Notebook1PageChanged();
  // Scenes picked in the list take part alone; none picked, every scene
  // (but the omitted ones, when they can be told).
  void SceneListClick();
  // The sheet layout page (the sheets of the run print with the titles it
  // leaves, read when the run starts); then the fill-out-breakdowns mode
  // ends.
  void SetupBrkDownSheetBtnClick();
  // On the second page Cancel goes back to the first.
  void CancelBtnClick();
  // OK: true when the run may start (the choices are complete).
  bool OKBtnClick();
  // The run's options from the controls.
  TBreakdownOptions Choices() const;

  // The names picked under "Some" and whether all the names of their
  // scenes are listed (set by OK).
  std::vector<std::string> PickedNames;
  bool ListAllNamesOfPickedScenes = true;

 private:
  bool Exporting() const;
  bool Tagged() const;
  bool PickNames();
  // The scene list and production fields of the second page, filled once.
  void FillSelectPage();
  TMDIChild& script_;
  bool printFile_ = false;
  bool pageTwoSetUp_ = false;
};

// The run's name picker: the names picked in the list; empty when none were.
std::vector<std::string> PickCharacterNames(const std::vector<std::string>& names);

// The print menu's scenes of chosen characters: asks for the names and
// gives the scenes that hold every one (or any) of them; nothing (after
// saying why) when there were no names to pick or none was picked.
std::optional<std::string> AskScenesOfCharacters(TMDIChild& script, bool everyName);

// Shows the dialog and, on OK, runs the breakdown. False when cancelled
// or the run stopped.
bool ShowBreakdownsDialog(TMDIChild& script, TBreakdownOutput preset);

// The scheduling export and the printed breakdown sheets: the dialog opens
// on its choices with that output chosen and its own title. False when
// cancelled or the run stopped.
bool RunBreakdownExportOrPrint(TMDIChild& script, bool exporting);

}  // namespace qm
