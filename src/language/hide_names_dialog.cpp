#include "language/hide_names_dialog.h"

#include <algorithm>
#include <vector>

#include "language/character_names.h"
#include "script/editing/editor_calls.h"
#include "language/list_builders.h"
#include "script/editing/script_list_data.h"
#include "platform/dialog_builder.h"
#include "script/script_window.h"
#include "base/document_table.h"
#include "base/program_options.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

std::vector<std::string> Entries(const TListBox& list) {
  std::vector<std::string> entries;
  for (int i = 0; i < list.Items.Count(); ++i) entries.push_back(list.Items[i]);
  return entries;
}

// After a move the selection stays where it was, or on the last entry.
void KeepSelection(TListBox& list, int index) {
  const int count = list.Items.Count();
  list.SetItemIndex(count == 0 ? -1 : std::clamp(index, 0, count - 1));
}

void MoveEntry(TListBox& from, TListBox& to, int index) {
  to.Items.Add(from.Items[index]);
  from.Items.Delete(index);
  KeepSelection(from, index);
}

using enum TDialogItemKind;

TDialogTable HideNamesTable(bool names) {
  return {
      {Label, "SrcLabel", names ? "Names to be Displayed" : "Locations to be Displayed", {8, 8, 150, 16}},
      {ListBox, "ShowNameList", "", {8, 28, 155, 200}},
      {Label, "DstLabel", names ? "Hidden Names" : "Hidden Locations", {220, 8, 150, 16}},
      {ListBox, "HideNameList", "", {220, 28, 155, 200}},
      {SpeedButton, "IncludeBtn", ">", {170, 40, 40, 24}},
      {SpeedButton, "IncAllBtn", ">>", {170, 70, 40, 24}},
      {SpeedButton, "ExcludeBtn", "<", {170, 110, 40, 24}},
      {SpeedButton, "ExcAllBtn", "<<", {170, 140, 40, 24}},
      {CheckBox, "ExceptWhenInSceneBox", "&Don't hide names in scenes where they speak", {8, 236, 360, 20}},
  };
}

}  // namespace

THideNamesDlg::THideNamesDlg(TComponent* owner, bool names) : TForm(owner), names_(names) {
  SetUpDialogForm(*this, "HideNamesDlg", names ? "Hide Names in Pop-Up Lists" : "Hide Locations from Pop-up List", 390,
                  320);
  BuildDialog(*this, HideNamesTable(names));
  BuildDialog(*this, ButtonRow(sbOK | sbCancel | sbHelp, {60, 264, 80, 25}, 100));
  SrcLabel = DialogControl<TLabel>(*this, "SrcLabel");
  DstLabel = DialogControl<TLabel>(*this, "DstLabel");
  ShowNameList = DialogControl<TListBox>(*this, "ShowNameList");
  HideNameList = DialogControl<TListBox>(*this, "HideNameList");
  IncludeBtn = DialogControl<TSpeedButton>(*this, "IncludeBtn");
  IncAllBtn = DialogControl<TSpeedButton>(*this, "IncAllBtn");
  ExcludeBtn = DialogControl<TSpeedButton>(*this, "ExcludeBtn");
  ExcAllBtn = DialogControl<TSpeedButton>(*this, "ExcAllBtn");
  ExceptWhenInSceneBox = DialogControl<TCheckBox>(*this, "ExceptWhenInSceneBox");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  HelpBtn = DialogControl<TButton>(*this, "HelpBtn");
  ShowNameList->Items.SetSorted(true);
  ExceptWhenInSceneBox->Visible = names;

  IncludeBtn->OnClick = [this](TObject* s) { IncludeBtnClick(s); };
  IncAllBtn->OnClick = [this](TObject* s) { IncAllBtnClick(s); };
  ExcludeBtn->OnClick = [this](TObject* s) { ExcludeBtnClick(s); };
  ExcAllBtn->OnClick = [this](TObject* s) { ExcAllBtnClick(s); };
  ShowNameList->OnDblClick = IncludeBtn->OnClick;
  HideNameList->OnDblClick = ExcludeBtn->OnClick;
  // A name dropped on the other list moves as its arrow button would move it.
  drag_.CanDrop = [](int from, int to) { return from != to; };
  drag_.Dropped = [this](int from, int item, int, TPoint) {
    if (from == 0) HideEntry(item);
    else ShowEntry(item);
  };
  drag_.Attach({ShowNameList, HideNameList});
  OnShow = [this](TObject*) { UpdateButtons(); };
}

// Names are stored with the script in two strings of 255 characters, and
// no more than 450 letters may be hidden in all.
bool THideNamesDlg::FitsHidden(const std::string& name) const {
  std::vector<std::string> hidden = Entries(*HideNameList);
  size_t letters = name.size();
  for (const auto& h : hidden) letters += h.size();
  hidden.push_back(name);
  bool fits = false;
  PackHiddenNames(hidden, &fits);
  return letters <= static_cast<size_t>(MaxHiddenNameLetters) && fits;
}

bool THideNamesDlg::HideEntry(int index) {
  if (index < 0 || index >= ShowNameList->Items.Count()) return false;
  if (names_ && !FitsHidden(ShowNameList->Items[index])) {
    ShowMessageBox(
        "You can only hide up to about 50 names (for a maximum of 450 letters) and this Name would bring you over "
        "that limit!",
        PromptTable(0));
    return false;
  }
  MoveEntry(*ShowNameList, *HideNameList, index);
  UpdateButtons();
  return true;
}

void THideNamesDlg::ShowEntry(int index) {
  if (index < 0 || index >= HideNameList->Items.Count()) return;
  MoveEntry(*HideNameList, *ShowNameList, index);
  UpdateButtons();
}

void THideNamesDlg::IncludeBtnClick(TObject*) { HideEntry(ShowNameList->ItemIndex()); }

void THideNamesDlg::IncAllBtnClick(TObject*) {
  while (ShowNameList->Items.Count() > 0 && HideEntry(0)) {
  }
}

void THideNamesDlg::ExcludeBtnClick(TObject*) { ShowEntry(HideNameList->ItemIndex()); }

void THideNamesDlg::ExcAllBtnClick(TObject*) {
  while (HideNameList->Items.Count() > 0) ShowEntry(0);
}

void THideNamesDlg::UpdateButtons() {
  const bool shown = ShowNameList->Items.Count() > 0;
  const bool hidden = HideNameList->Items.Count() > 0;
  IncludeBtn->Enabled = shown;
  IncAllBtn->Enabled = shown;
  ExcludeBtn->Enabled = hidden;
  ExcAllBtn->Enabled = hidden;
}

void HideCharacterNames() {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  THideNamesDlg dialog(Application, true);
  if (!CollectCharacterNames(0, true, false, dialog.ShowNameList->Items, false)) return;
  THiddenNames& stored = RecordOf(script).HiddenNames;
  for (const std::string& name : UnpackHiddenNames(stored)) {
    const int index = dialog.ShowNameList->Items.IndexOf(name);
    if (index >= 0) MoveEntry(*dialog.ShowNameList, *dialog.HideNameList, index);
  }
  dialog.ExceptWhenInSceneBox->SetChecked(ProgramOptions().SkipNameHide);
  if (dialog.ShowModal() != mrOk) return;
  ProgramOptions().SkipNameHide = dialog.ExceptWhenInSceneBox->Checked();
  editor::SaveSettingsUndoStep(script);
  stored = PackHiddenNames(Entries(*dialog.HideNameList));
  editor::SetActiveScriptModifiedUnrevised();
}

void HideLocations() {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  THideNamesDlg dialog(Application, false);
  BuildPopupList(plLocations, dialog.ShowNameList->Items);
  if (dialog.ShowNameList->Items.Count() == 0) {
    ShowMessageBox(PromptTable(28), PromptTable(29));
    return;
  }
  TStringList& hidden = RecordOf(script).HiddenLocations;
  for (int i = 0; i < hidden.Count(); ++i) {
    const int index = dialog.ShowNameList->Items.IndexOf(hidden[i]);
    if (index >= 0) MoveEntry(*dialog.ShowNameList, *dialog.HideNameList, index);
  }
  if (dialog.ShowModal() != mrOk) return;
  editor::SaveSettingsUndoStep(script);
  hidden.Clear();
  for (const std::string& location : Entries(*dialog.HideNameList)) hidden.Add(location);
  editor::SetActiveScriptModifiedUnrevised();
}

}  // namespace qm
