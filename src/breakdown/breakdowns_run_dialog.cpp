#include "breakdown/breakdowns_run_dialog.h"

#include "base/global_state.h"
#include "platform/dialog_builder.h"

namespace qm {

TBreakdownDialogHooks BreakdownDialogHooks;

namespace {

const GlobalState reset([] { BreakdownDialogHooks = {}; });

using enum TDialogItemKind;

TDialogTable DefaultPageTable() {
  const std::string page = "DefaultPage";
  return {
      {GroupBox, "PrimaryBox", "Breakdown by:", {8, 8, 270, 250}, page},
      {RadioButton, "ScriptOrderBtn", "&Script Order", {12, 20, 240, 20}, "PrimaryBox"},
      {RadioButton, "IntExtBtn", "&Interior VS. Exterior", {12, 42, 240, 20}, "PrimaryBox"},
      {RadioButton, "LocationBtn", "&Location", {12, 64, 240, 20}, "PrimaryBox"},
      {RadioButton, "TimeofDayBtn", "&Time of Day", {12, 86, 240, 20}, "PrimaryBox"},
      {RadioButton, "CharNameBtn", "&Characters: (", {12, 108, 110, 20}, "PrimaryBox"},
      {Panel, "NamesPanel", "", {122, 106, 140, 24}, "PrimaryBox"},
      {RadioButton, "AllBtn", "&All", {2, 2, 50, 20}, "NamesPanel"},
      {RadioButton, "SomeBtn", "So&me", {54, 2, 70, 20}, "NamesPanel"},
      {Label, "CloseParenLabel", ")", {250, 110, 8, 16}, "PrimaryBox"},
      {RadioButton, "ShootPlanBtn", "&ShootPlan\xAE Scheduling (File)", {12, 140, 250, 20}, "PrimaryBox"},
      {RadioButton, "BreakdownSheetBtn", "Script &Breakdown Sheets", {12, 162, 250, 20}, "PrimaryBox"},
      {CheckBox, "GraphBreakDowns", "&Graph Breakdown", {12, 192, 250, 20}, "PrimaryBox"},
      {CheckBox, "PrintTaggedBox", "Print Ta&gged Items", {12, 214, 250, 20}, "PrimaryBox"},
      {GroupBox, "SecondaryBox", "Secondary Sort:", {8, 264, 270, 112}, page},
      {RadioButton, "IntExt2Btn", "Interior VS. &Exterior", {12, 20, 240, 20}, "SecondaryBox"},
      {RadioButton, "ScriptOrder2Btn", "Script &Order", {12, 42, 240, 20}, "SecondaryBox"},
      {RadioButton, "Location2Btn", "Locatio&n", {12, 64, 240, 20}, "SecondaryBox"},
      {RadioButton, "TimeofDay2Btn", "Time of &Day", {12, 86, 240, 20}, "SecondaryBox"},
      {GroupBox, "CharacterBox", "Characters:", {286, 8, 290, 170}, page},
      {CheckBox, "ListCharsBox", "List Characters in Eac&h Scene:", {12, 20, 270, 20}, "CharacterBox"},
      {Panel, "NameOrderPanel", "", {28, 42, 250, 92}, "CharacterBox"},
      {RadioButton, "SortNamesBox", "Sorted Alphabetically", {2, 2, 240, 20}, "NameOrderPanel"},
      {RadioButton, "ScriptOrderBox", "Script Order", {2, 24, 240, 20}, "NameOrderPanel"},
      {RadioButton, "DialogueFirstBox", "Speaking Characters First", {2, 46, 240, 20}, "NameOrderPanel"},
      {RadioButton, "UserListOrderBox", "User List Order", {2, 68, 240, 20}, "NameOrderPanel"},
      {CheckBox, "NonSpeakingBox", "List &Non-Speaking Characters", {12, 140, 270, 20}, "CharacterBox"},
      {GroupBox, "LengthBox", "Eighths of a Page:", {286, 184, 290, 192}, page},
      {Panel, "LinesPanel", "", {8, 18, 276, 48}, "LengthBox"},
      {RadioButton, "StandardBtn", "Standard - &6 lines  = 1/8th", {2, 2, 270, 20}, "LinesPanel"},
      {RadioButton, "AdjustedBtn", "Adjusted - &7 lines  = 1/8th", {2, 24, 270, 20}, "LinesPanel"},
      {Panel, "TotalsPanel", "", {8, 72, 276, 48}, "LengthBox"},
      {RadioButton, "SimpleTotalBtn", "Total of All &Rounded Eighths", {2, 2, 270, 20}, "TotalsPanel"},
      {RadioButton, "TrueTotalsBtn", "Tr&ue Total of All Lines", {2, 24, 270, 20}, "TotalsPanel"},
      {CheckBox, "EachGroupOnPageBox", "Each Group on Ne&w Page", {12, 130, 270, 20}, "LengthBox"},
  };
}

TDialogTable SelectPageTable() {
  const std::string page = "SelectPage";
  return {
      {Label, "SceneListLabel", "Scenes:", {8, 8, 200, 16}, page},
      {ListBox, "SceneList", "", {8, 28, 330, 300}, page},
      {RadioButton, "SelectedOnly", "&Selected Scenes ONLY", {350, 28, 220, 20}, page},
      {RadioButton, "SelectAll", "&All Scenes ", {350, 52, 220, 20}, page},
      {RadioButton, "SelectAllExceptOmits", "All Scenes except &OMITTEDs", {350, 76, 220, 20}, page},
      {Label, "CompanyLabel", "Production Company:", {350, 112, 220, 16}, page},
      {Edit, "ProductionCompany", "", {350, 130, 220, 22}, page},
      {Label, "TitleLabel", "Prod. Title / No.", {350, 160, 220, 16}, page},
      {Edit, "ProductionTitle", "", {350, 178, 220, 22}, page},
      {Button, "SetupBrkDownSheetBtn", "Setup Breakdown Sheet", {350, 214, 220, 25}, page},
      {Panel, "ExportChoicePanel", "", {350, 250, 220, 60}, page},
      {Label, "ExportLabel", "Exporting to ShootPlan Scheduling...", {4, 4, 210, 40}, "ExportChoicePanel"},
  };
}

TDialogTable PagesTable() {
  return {
      {PageControl, "Notebook1", "", {0, 0, 592, 412}},
      {Page, "DefaultPage", "Default", {}, "Notebook1"},
      {Page, "SelectPage", "Select Pages", {}, "Notebook1"},
  };
}

TDialogTable ButtonsTable() {
  return {
      {Button, "OKBtn", "OK", {300, 420, 90, 25}},
      {CancelButton, "CancelBtn", "Cancel", {396, 420, 90, 25}},
      {HelpButton, "HelpBtn", "Help", {492, 420, 90, 25}},
  };
}

}  // namespace

TBreakdownDlg::TBreakdownDlg(TComponent* owner, TMDIChild& script, TBreakdownOutput preset)
    : TForm(owner), script_(script) {
  SetUpDialogForm(*this, "BreakdownDlg", "Production Breakdowns", 600, 480);
  BuildDialog(*this, PagesTable());
  BuildDialog(*this, DefaultPageTable());
  BuildDialog(*this, SelectPageTable());
  BuildDialog(*this, ButtonsTable());
  Notebook1 = DialogControl<TPageControl>(*this, "Notebook1");
  const auto radio = [this](const char* name) { return DialogControl<TRadioButton>(*this, name); };
  const auto check = [this](const char* name) { return DialogControl<TCheckBox>(*this, name); };
  ScriptOrderBtn = radio("ScriptOrderBtn");
  IntExtBtn = radio("IntExtBtn");
  LocationBtn = radio("LocationBtn");
  TimeofDayBtn = radio("TimeofDayBtn");
  CharNameBtn = radio("CharNameBtn");
  AllBtn = radio("AllBtn");
  SomeBtn = radio("SomeBtn");
  ShootPlanBtn = radio("ShootPlanBtn");
  BreakdownSheetBtn = radio("BreakdownSheetBtn");
  IntExt2Btn = radio("IntExt2Btn");
  ScriptOrder2Btn = radio("ScriptOrder2Btn");
  Location2Btn = radio("Location2Btn");
  TimeofDay2Btn = radio("TimeofDay2Btn");
  ListCharsBox = check("ListCharsBox");
  SortNamesBox = radio("SortNamesBox");
  ScriptOrderBox = radio("ScriptOrderBox");
  DialogueFirstBox = radio("DialogueFirstBox");
  UserListOrderBox = radio("UserListOrderBox");
  NonSpeakingBox = check("NonSpeakingBox");
  EachGroupOnPageBox = check("EachGroupOnPageBox");
  GraphBreakDowns = check("GraphBreakDowns");
  PrintTaggedBox = check("PrintTaggedBox");
  StandardBtn = radio("StandardBtn");
  AdjustedBtn = radio("AdjustedBtn");
  SimpleTotalBtn = radio("SimpleTotalBtn");
  TrueTotalsBtn = radio("TrueTotalsBtn");
  SceneList = DialogControl<TListBox>(*this, "SceneList");
  SceneList->MultiSelect = true;
  SelectedOnly = radio("SelectedOnly");
  SelectAll = radio("SelectAll");
  SelectAllExceptOmits = radio("SelectAllExceptOmits");
  ProductionCompany = DialogControl<TEdit>(*this, "ProductionCompany");
  ProductionTitle = DialogControl<TEdit>(*this, "ProductionTitle");
  SetupBrkDownSheetBtn = DialogControl<TButton>(*this, "SetupBrkDownSheetBtn");
  ExportChoicePanel = DialogControl<TPanel>(*this, "ExportChoicePanel");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  // Enter runs the breakdown, as the default button of a dialog.
  OKBtn->Default = true;
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");

  ScriptOrderBtn->SetChecked(true);
  AllBtn->SetChecked(true);
  ScriptOrder2Btn->SetChecked(true);
  SelectAll->SetChecked(true);
  if (preset == TBreakdownOutput::Export) ShootPlanBtn->SetChecked(true);
  if (preset == TBreakdownOutput::Sheets) BreakdownSheetBtn->SetChecked(true);
  for (TRadioButton* b :
       {ScriptOrderBtn, IntExtBtn, LocationBtn, TimeofDayBtn, CharNameBtn, ShootPlanBtn, BreakdownSheetBtn})
    b->OnClick = [this](TObject*) { PrimarySortClick(); };
  ListCharsBox->OnClick = [this](TObject*) { ListCharsBoxClick(); };
  GraphBreakDowns->OnClick = [this](TObject*) { GraphBreakDownsClick(); };
  PrintTaggedBox->OnClick = [this](TObject*) { GraphBreakDownsClick(); };
  Notebook1->OnChange = [this](TObject*) { Notebook1PageChanged(); };
  SceneList->OnClick = [this](TObject*) { SceneListClick(); };
  SetupBrkDownSheetBtn->OnClick = [this](TObject*) { SetupBrkDownSheetBtnClick(); };
  CancelBtn->OnClick = [this](TObject*) { CancelBtnClick(); };
  OKBtn->OnClick = [this](TObject*) {
    if (OKBtnClick()) ModalResult = mrOk;
  };
  Notebook1->SetActivePageIndex(0);
}

}  // namespace qm
