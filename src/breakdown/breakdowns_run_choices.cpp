// What the Production Breakdowns dialog's controls do to each other, what
// OK checks before a run, and the options the run takes from them.
#include <algorithm>

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "breakdown/breakdowns_run_dialog.h"
#include "breakdown/scene_gathering.h"
#include "breakdown/sheet_layout.h"
#include "platform/dialog_builder.h"
#include "platform/files.h"
#include "printing/print_menu.h"
#include "printing/print_run.h"
#include "script/editing/editor_calls.h"
#include "script/editing/script_list_data.h"
#include "script/model/script_record.h"
#include "script/script_window.h"

namespace qm {

namespace {

// The title the second page proposes: the script's, else its file name
// without folder and extension, one trailing "." removed.
std::string ProposedTitle(const TScriptDocument& script) {
  const std::string& title = RecordOf(script).ProductionTitle;
  if (!title.empty()) return title;
  std::string name = ExtractFileName(ChangeFileExt(script.ScriptFileName, ""));
  if (!name.empty() && name.back() == '.') name.pop_back();
  return name;
}

}  // namespace

std::vector<std::string> PickCharacterNames(const std::vector<std::string>& names) {
  using enum TDialogItemKind;
  TForm picker(nullptr);
  SetUpDialogForm(picker, "PickNamesDlg", "Select Names - Double Click Here when Done", 300, 380);
  BuildDialog(picker, TDialogTable{{ListBox, "NameList", "", {8, 8, 276, 300}}});
  BuildDialog(picker, ButtonRow(sbOK | sbCancel, {8, 316, 90, 25}, 100));
  auto* list = DialogControl<TListBox>(picker, "NameList");
  list->MultiSelect = true;
  for (const std::string& name : names) list->Items.Add(name);
  list->OnDblClick = [&picker](TObject*) { picker.ModalResult = mrOk; };
  std::vector<std::string> picked;
  if (picker.ShowModal() != mrOk) return picked;
  for (int i = 0; i < list->Items.Count() && picked.size() < 1024; ++i)
    if (list->Selected(i)) picked.push_back(list->Items[i]);
  return picked;
}

std::optional<std::string> AskScenesOfCharacters(TMDIChild& script, bool everyName) {
  const std::vector<std::string> names = BuildNameTable(script);
  if (names.empty()) {
    ShowMessageBox("Breakdown Canceled.", "No Character Names Found!");
    return std::nullopt;
  }
  const std::vector<std::string> picked = PickCharacterNames(names);
  if (picked.empty()) {
    ShowMessageBox("You haven't Selected Any Names", "Breakdown Canceled.");
    return std::nullopt;
  }
  return editor::WithEditLineStored(script, [&] { return ScenesOfCharacters(script, picked, everyName); });
}

bool TBreakdownDlg::Exporting() const { return ShootPlanBtn->Checked(); }
bool TBreakdownDlg::Tagged() const { return RecordOf(script_).TaggingUsed != 0; }

void TBreakdownDlg::FormShow() {
  // A report never turns to the second page by itself, yet its scene
  // choices (and the omitted scenes left out) work on this list.
  FillSelectPage();
  TBreakdownOptions stored;
  ReadBreakdownOptions(OpenSettingsFile(), stored);
  printFile_ = PrintsToFile();
  TrueTotalsBtn->SetChecked(stored.TrueTotals);
  SimpleTotalBtn->SetChecked(!stored.TrueTotals);
  AdjustedBtn->SetChecked(stored.LinesPerEighth == 7);
  StandardBtn->SetChecked(stored.LinesPerEighth != 7);
  ListCharsBox->SetChecked(stored.ListCharacters);
  NonSpeakingBox->SetChecked(stored.NonSpeaking);
  EachGroupOnPageBox->SetChecked(stored.EachGroupOnPage);
  SortNamesBox->SetChecked(true);
  ScriptOrderBox->SetChecked(stored.NameOrder == TNameOrder::ScriptOrder);
  DialogueFirstBox->SetChecked(stored.NameOrder == TNameOrder::SpeakingFirst);
  UserListOrderBox->SetChecked(stored.NameOrder == TNameOrder::UserList);
  for (TControl* c : std::initializer_list<TControl*>{SortNamesBox, ScriptOrderBox, DialogueFirstBox, NonSpeakingBox,
                                                      UserListOrderBox})
    c->Enabled = ListCharsBox->Checked();
  const TScriptRecord& settings = RecordOf(script_);
  const bool omits = settings.ScenesLocked != 0 && !settings.SceneOmitText.empty();
  SelectAllExceptOmits->Enabled = omits;
  if (omits) SelectAllExceptOmits->SetChecked(true);
  PrintTaggedBox->SetChecked(BreakdownSheetBtn->Checked() || Tagged());
  PrintTaggedBox->Enabled = Tagged();
  GraphBreakDowns->Enabled = !printFile_;
  PrimarySortClick();
}

void TBreakdownDlg::FillSelectPage() {
  if (pageTwoSetUp_) return;
  SceneList->Clear();
  for (const std::string& entry : SceneListEntries()) SceneList->Items.Add(entry);
  ProductionCompany->Text = RecordOf(script_).ProductionCompany;
  ProductionTitle->Text = ProposedTitle(script_);
  pageTwoSetUp_ = true;
}

void TBreakdownDlg::SetupBreakdownStuff() {
  FillSelectPage();
  SetupBrkDownSheetBtn->Visible = !Exporting();
  Notebook1->SetActivePageIndex(1);
  Notebook1PageChanged();
}

void TBreakdownDlg::PrimarySortClick() {
  if (CharNameBtn->Checked() && !NonSpeakingBox->Checked())
    NonSpeakingBox->SetChecked(AskYesNo("Include Non-Speaking Characters?", "Breakdowns", true));
  AllBtn->Enabled = CharNameBtn->Checked();
  SomeBtn->Enabled = CharNameBtn->Checked();
  ListCharsBox->Enabled = true;
  const bool fileOrSheets = ShootPlanBtn->Checked() || BreakdownSheetBtn->Checked();
  GraphBreakDowns->Enabled = !fileOrSheets && !printFile_;
  if (!GraphBreakDowns->Enabled) GraphBreakDowns->SetChecked(false);
  PrintTaggedBox->SetChecked(PrintTaggedBox->Checked() || fileOrSheets);
  PrintTaggedBox->Enabled = !BreakdownSheetBtn->Checked() && Tagged() && !GraphBreakDowns->Checked();
  const bool noSecondary = ScriptOrderBtn->Checked() || fileOrSheets;
  EachGroupOnPageBox->Enabled = !noSecondary;
  ScriptOrder2Btn->Enabled = !noSecondary;
  IntExt2Btn->Enabled = !noSecondary && !IntExtBtn->Checked();
  Location2Btn->Enabled = !noSecondary && !LocationBtn->Checked();
  TimeofDay2Btn->Enabled = !noSecondary && !TimeofDayBtn->Checked();
  for (TRadioButton* b : {IntExt2Btn, Location2Btn, TimeofDay2Btn})
    if (b->Checked() && !b->Enabled) ScriptOrder2Btn->SetChecked(true);
}

void TBreakdownDlg::ListCharsBoxClick() {
  const bool on = ListCharsBox->Checked();
  if (!on) GraphBreakDowns->SetChecked(false);
  SortNamesBox->Enabled = on;
  NonSpeakingBox->Enabled = on;
  for (TRadioButton* b : {ScriptOrderBox, DialogueFirstBox, UserListOrderBox})
    b->Enabled = on && !GraphBreakDowns->Checked();
}

void TBreakdownDlg::GraphBreakDownsClick() {
  if (GraphBreakDowns->Checked()) {
    ListCharsBox->SetChecked(true);
    SortNamesBox->SetChecked(true);
    PrintTaggedBox->SetChecked(false);
  }
  for (TRadioButton* b : {ScriptOrderBox, DialogueFirstBox, UserListOrderBox})
    b->Enabled = ListCharsBox->Checked() && !GraphBreakDowns->Checked();
  SortNamesBox->Enabled = ListCharsBox->Checked();
  PrintTaggedBox->Enabled = !GraphBreakDowns->Checked() && Tagged() && !BreakdownSheetBtn->Checked();
}

void TBreakdownDlg::Notebook1PageChanged() {
  if (Notebook1->ActivePageIndex() == 1) ExportChoicePanel->Visible = Exporting();
}

void TBreakdownDlg::SceneListClick() {
  if (SceneList->SelCount() > 0) SelectedOnly->SetChecked(true);
  else if (SelectAllExceptOmits->Enabled) SelectAllExceptOmits->SetChecked(true);
  else SelectAll->SetChecked(true);
}

void TBreakdownDlg::SetupBrkDownSheetBtnClick() {
  ShowBreakdownSheetLayout();
  if (BreakdownDialogHooks.EndFillOutBreakdowns) BreakdownDialogHooks.EndFillOutBreakdowns();
}

void TBreakdownDlg::CancelBtnClick() {
  if (Notebook1->ActivePageIndex() == 0) return;
  ModalResult = mrNone;
  Notebook1->SetActivePageIndex(0);
}

bool TBreakdownDlg::PickNames() {
  PickedNames.clear();
  ListAllNamesOfPickedScenes = true;
  if (!CharNameBtn->Checked() || !SomeBtn->Checked()) return true;
  const std::vector<std::string> names = BuildNameTable(script_);
  if (names.empty()) {
    ShowMessageBox("Breakdown Canceled.", "No Character Names Found!");
    return false;
  }
  PickedNames = PickCharacterNames(names);
  if (PickedNames.empty()) {
    ShowMessageBox("You haven't Selected Any Names", "Breakdown Canceled.");
    return false;
  }
  if (ListCharsBox->Checked())
    ListAllNamesOfPickedScenes = AskYesNo(
        "List all the Characters who are in any given scene with the Selected Character Names?", "Breakdowns", true);
  return true;
}

bool TBreakdownDlg::OKBtnClick() {
  const bool needsPageTwo = ShootPlanBtn->Checked() || BreakdownSheetBtn->Checked();
  if (needsPageTwo && Notebook1->ActivePageIndex() == 0) {
    SetupBreakdownStuff();
    return false;
  }
  if (SelectAllExceptOmits->Checked()) {
    std::vector<std::string> entries;
    for (int i = 0; i < SceneList->Items.Count(); ++i) entries.push_back(SceneList->Items[i]);
    const std::vector<bool> selected = SelectAllExceptOmitted(entries, RecordOf(script_).SceneOmitText);
    for (std::size_t i = 0; i < selected.size(); ++i) SceneList->SetSelected(static_cast<int>(i), selected[i]);
    SelectedOnly->SetChecked(true);
  }
  if (SelectedOnly->Checked()) {
    bool any = false;
    for (int i = 0; i < SceneList->Items.Count(); ++i) any = any || SceneList->Selected(i);
    if (!any) {
      ShowMessageBox("You haven't selected any Scenes!", "Breakdowns");
      return false;
    }
  }
  if (!PickNames()) return false;
  TIniFile ini = OpenSettingsFile();
  SaveBreakdownOptions(ini, Choices());
  return true;
}

TBreakdownOptions TBreakdownDlg::Choices() const {
  TBreakdownOptions o;
  if (ShootPlanBtn->Checked()) o.Output = TBreakdownOutput::Export;
  else if (BreakdownSheetBtn->Checked()) o.Output = TBreakdownOutput::Sheets;
  else if (GraphBreakDowns->Checked() && GraphBreakDowns->Enabled) o.Output = TBreakdownOutput::Graph;
  if (IntExtBtn->Checked()) o.Primary = TPrimaryOrder::IntExt;
  if (LocationBtn->Checked()) o.Primary = TPrimaryOrder::Location;
  if (TimeofDayBtn->Checked()) o.Primary = TPrimaryOrder::TimeOfDay;
  if (CharNameBtn->Checked()) o.Primary = TPrimaryOrder::Characters;
  const bool secondary = o.Output != TBreakdownOutput::Export && o.Output != TBreakdownOutput::Sheets &&
                         o.Primary != TPrimaryOrder::ScriptOrder;
  if (secondary && IntExt2Btn->Checked()) o.Secondary = TSecondaryOrder::IntExt;
  if (secondary && Location2Btn->Checked()) o.Secondary = TSecondaryOrder::Location;
  if (secondary && TimeofDay2Btn->Checked()) o.Secondary = TSecondaryOrder::TimeOfDay;
  o.EachGroupOnPage = secondary && EachGroupOnPageBox->Checked();
  o.SomeNames = CharNameBtn->Checked() && SomeBtn->Checked();
  o.PickedNames = PickedNames;
  o.ListAllNamesOfPickedScenes = ListAllNamesOfPickedScenes;
  o.ListCharacters = ListCharsBox->Checked();
  if (ScriptOrderBox->Checked()) o.NameOrder = TNameOrder::ScriptOrder;
  if (DialogueFirstBox->Checked()) o.NameOrder = TNameOrder::SpeakingFirst;
  if (UserListOrderBox->Checked()) o.NameOrder = TNameOrder::UserList;
  if (o.Output == TBreakdownOutput::Graph) o.NameOrder = TNameOrder::Alphabetical;
  o.NonSpeaking = NonSpeakingBox->Checked();
  o.PrintTagged = PrintTaggedBox->Checked() && o.Output != TBreakdownOutput::Graph;
  o.LinesPerEighth = AdjustedBtn->Checked() ? 7 : 6;
  o.TrueTotals = TrueTotalsBtn->Checked();
  if (SelectedOnly->Checked()) {
    o.Scenes = TSceneChoice::Selected;
    for (int i = 0; i < SceneList->Items.Count(); ++i) o.Selected.push_back(SceneList->Selected(i));
  }
  o.ProductionCompany = ProductionCompany->Text();
  o.ProductionTitle = ProductionTitle->Text();
  o.AskAboutTimes = true;
  return o;
}

bool ShowBreakdownsDialog(TMDIChild& script, TBreakdownOutput preset) {
  TBreakdownDlg dialog(nullptr, script, preset);
  dialog.FormShow();
  if (dialog.ShowModal() != mrOk) return false;
  return RunBreakdown(script, dialog.Choices());
}

bool RunBreakdownExportOrPrint(TMDIChild& script, bool exporting) {
  TPrintMenuDlg& printMenu = PrintMenuDlg();
  printMenu.SetupVariables();
  printMenu.PrintSelection = false;
  TBreakdownDlg dialog(nullptr, script, exporting ? TBreakdownOutput::Export : TBreakdownOutput::Sheets);
  dialog.FormShow();
  dialog.Caption = exporting ? "Exporting to ShootPlan Scheduling..." : "Printing Breakdown Sheets...";
  if (!exporting) dialog.SetupBreakdownStuff();
  // The choices come first: OK turns to the scenes.
  dialog.Notebook1->SetActivePageIndex(0);
  if (dialog.ShowModal() != mrOk) return false;
  return RunBreakdown(script, dialog.Choices());
}

}  // namespace qm
