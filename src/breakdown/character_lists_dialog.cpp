#include "breakdown/character_lists_dialog.h"

#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "language/user_list_dialogs.h"
#include "platform/dialog_builder.h"
#include "script/model/script_record.h"
#include "script/model/user_list_entries.h"
#include "script/script_window.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable CharacterListTable() {
  return {
      {PageControl, "Notebook", "", {0, 0, 470, 330}},
      {Page, "DefaultPage", "Default", {}, "Notebook"},
      {RadioGroup,
       "SortNamesBox",
       "Sort the Character Names:",
       {8, 8, 440, 130},
       "DefaultPage",
       {"&Alphabetically", "In &Script Order", "Script Order but Speaking Characters &1st",
        "In &User List Order (Alphabetical)", "In User &List Order (Speaking Order)"}},
      {CheckBox, "AllCapsBox", "&Generate Character List in ALL CAPS", {8, 146, 440, 20}, "DefaultPage"},
      {CheckBox, "IncNonSpeakingBox", "&Include Non-Speaking Character Names", {8, 168, 440, 20}, "DefaultPage"},
      {CheckBox, "BoldBox", "Generate Character Lists in &Bold ", {8, 190, 440, 20}, "DefaultPage"},
      {CheckBox, "AfterFirstBox", "Only After 1st Scene Heading in Scene", {8, 212, 440, 20}, "DefaultPage"},
      {Button, "SetupUserListOrderBtn", "Setup User List Order", {8, 240, 200, 25}, "DefaultPage"},
      {Button, "SelectScenesBtn", "Setup Automatic Atmosphere", {220, 240, 200, 25}, "DefaultPage"},
      {Page, "ScenesPage", "Select Scenes", {}, "Notebook"},
      {Label, "SceneLabel", "Locations that always get the atmosphere text:", {8, 8, 0, 0}, "ScenesPage"},
      {ListBox, "SceneList", "", {8, 28, 300, 200}, "ScenesPage"},
      {Label, "AtmosphereLabel", "&Atmosphere text:", {8, 236, 0, 0}, "ScenesPage"},
      {Edit, "Atmosphere", "", {130, 232, 178, 22}, "ScenesPage"},
      {Button, "EditLocationsBtn", "Edit Locations List", {320, 28, 130, 25}, "ScenesPage"},
      {Button, "NormalPageBtn", "Return To Normal Options", {320, 60, 130, 25}, "ScenesPage"},
  };
}

constexpr const char* PageCaptions[] = {"Generate Character Lists", "Setup Automatic Atmosphere",
                                        "Generate Rundown Sheets", "Setup Set List"};

}  // namespace

TCharNameListDlg::TCharNameListDlg(TComponent* owner, TMDIChild& script) : TForm(owner), script_(script) {
  SetUpDialogForm(*this, "CharNameListDlg", "Character Lists", 476, 380);
  BuildDialog(*this, CharacterListTable());
  BuildDialog(*this, RundownPageTable());
  BuildDialog(*this, SetListPageTable());
  BuildDialog(*this, ButtonRow(sbOK | sbCancel | sbHelp, {120, 338, 110, 25}, 118));
  Notebook = DialogControl<TPageControl>(*this, "Notebook");
  DefaultPage = DialogControl<TTabSheet>(*this, "DefaultPage");
  ScenesPage = DialogControl<TTabSheet>(*this, "ScenesPage");
  SortNamesBox = DialogControl<TRadioGroup>(*this, "SortNamesBox");
  AllCapsBox = DialogControl<TCheckBox>(*this, "AllCapsBox");
  IncNonSpeakingBox = DialogControl<TCheckBox>(*this, "IncNonSpeakingBox");
  BoldBox = DialogControl<TCheckBox>(*this, "BoldBox");
  AfterFirstBox = DialogControl<TCheckBox>(*this, "AfterFirstBox");
  SetupUserListOrderBtn = DialogControl<TButton>(*this, "SetupUserListOrderBtn");
  SelectScenesBtn = DialogControl<TButton>(*this, "SelectScenesBtn");
  SceneList = DialogControl<TListBox>(*this, "SceneList");
  SceneList->MultiSelect = true;
  Atmosphere = DialogControl<TEdit>(*this, "Atmosphere");
  EditLocationsBtn = DialogControl<TButton>(*this, "EditLocationsBtn");
  NormalPageBtn = DialogControl<TButton>(*this, "NormalPageBtn");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  OKBtn->Caption = "&Generate Lists";
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  for (int i = 0; i < Notebook->PageCount(); ++i) Notebook->Pages(i)->TabVisible = false;
  BindRundownPages();

  OKBtn->OnClick = [this](TObject*) { OKBtnClick(); };
  SetupUserListOrderBtn->OnClick = [this](TObject*) { SetupUserListOrderBtnClick(false); };
  EditLocationsBtn->OnClick = [this](TObject*) { SetupUserListOrderBtnClick(true); };
  SelectScenesBtn->OnClick = [this](TObject*) { ShowPage(1); };
  NormalPageBtn->OnClick = [this](TObject*) { ShowPage(0); };
  OnShow = [this](TObject*) {
    FillAtmosphereList();
    Atmosphere->Text = script_.AtmosphereText;
  };
  Atmosphere->Text = script_.AtmosphereText;
  FillAtmosphereList();
  ShowPage(0);
}

void TCharNameListDlg::ShowPage(int index) {
  Notebook->SetActivePageIndex(index);
  if (index >= 0 && index < 4) Caption = PageCaptions[index];
  if (index == 2) OKBtn->Caption = "Print Now";
  if (index == 3) OKBtn->Caption = PutInClipBox->Checked() ? "Generate Now" : "Print Now";
}

void TCharNameListDlg::FillAtmosphereList() {
  SceneList->Clear();
  for (const std::string& location : AtmosphereCandidates(script_)) SceneList->Items.Add(location);
  const auto& flags = script_.AtmosphereLocationFlags;
  for (int position = 1; position <= 10; ++position)
    if (flags[static_cast<std::size_t>(position - 1)] && position - 1 < SceneList->Items.Count())
      SceneList->SetSelected(position - 1, true);
}

void TCharNameListDlg::Preset(const TIniFile& ini) {
  const TCharacterListOptions o = ReadCharacterListOptions(ini, script_);
  SortNamesBox->SetItemIndex(o.SortOrder);
  AllCapsBox->SetChecked(o.AllCaps);
  IncNonSpeakingBox->SetChecked(o.NonSpeaking);
  AfterFirstBox->SetChecked(o.AfterFirst);
  AfterFirstBox->Enabled = UsesSceneInformation(script_);
}

TCharacterListOptions TCharNameListDlg::Options() const {
  TCharacterListOptions o;
  o.SortOrder = SortNamesBox->ItemIndex() < 0 ? 0 : SortNamesBox->ItemIndex();
  o.AllCaps = AllCapsBox->Checked();
  o.NonSpeaking = IncNonSpeakingBox->Checked();
  o.AfterFirst = AfterFirstBox->Checked() && AfterFirstBox->Enabled;
  o.Bold = BoldBox->Checked();
  return o;
}

bool TCharNameListDlg::Confirm() {
  const int order = Options().SortOrder;
  const bool userOrder = order == nsUserListAlphabetical || order == nsUserListSpeaking;
  if (userOrder && UserListEntry(script_.UserLists, TUserList::CharNames, 1).empty()) {
    if (Visible && AskYesNo("You have selected a sort by User List Order but there are NO names currently in the User "
                            "List!\r\rGo to the User List to add them?",
                            PromptTable(2), true))
      SetupUserListOrderBtnClick(false);
    return false;
  }
  CharNameList = PrepareListNames(script_, order);
  if (CharNameList.empty()) {
    if (Visible) ShowMessageBox("Character List Generation Canceled.", "No Character Names Found!");
    return false;
  }
  TScriptRecord& record = script_;
  record.AtmosphereLocationFlags.fill(0);
  for (int i = 0; i < SceneList->Items.Count() && i < 10; ++i)
    if (SceneList->Selected(i)) record.AtmosphereLocationFlags[static_cast<std::size_t>(i)] = 1;
  record.AtmosphereText = CutToCapacity(Atmosphere->Text(), capacity::ReportText);
  return true;
}

TCharacterListRun TCharNameListDlg::Run() const {
  TCharacterListRun run;
  run.Options = Options();
  run.Names = CharNameList;
  for (int i = 0; i < SceneList->Items.Count(); ++i)
    if (SceneList->Selected(i)) run.AtmosphereLocations.push_back(SceneList->Items[i]);
  return run;
}

void TCharNameListDlg::OKBtnClick() {
  if (rundown_) return;
  const int order = Options().SortOrder;
  const bool userOrder = order == nsUserListAlphabetical || order == nsUserListSpeaking;
  const bool noUserNames = UserListEntry(script_.UserLists, TUserList::CharNames, 1).empty();
  if (Confirm()) {
    ModalResult = mrOk;
    return;
  }
  // Without user-list names the writer stays in the dialog.
  ModalResult = userOrder && noUserNames ? mrNone : mrCancel;
}

void TCharNameListDlg::SetupUserListOrderBtnClick(bool locations) {
  TEditUserListDlg editor(this);
  editor.Shown = locations ? TUserList::SceneBodyText : TUserList::CharNames;
  editor.ShowModal();
  FillAtmosphereList();
}

}  // namespace qm
