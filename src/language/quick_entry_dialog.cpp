#include "language/quick_entry_dialog.h"

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/message_boxes.h"
#include "platform/cp1252.h"
#include "platform/dialog_builder.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/stringlist.h"
#include "script/script_window.h"

namespace qm {

namespace {

TQuickEntryDialog* Instance = nullptr;
const GlobalState reset([] { Instance = nullptr; });

using enum TDialogItemKind;

std::string ListName(int list) { return "ListBox" + std::to_string(list + 1); }

TDialogTable QuickEntryTable() {
  TDialogTable table{
      {PageControl, "Pages", "", {8, 8, 470, 250}},
      {Page, "ListsPage", "List Boxes", {}, "Pages"},
      {Page, "SetupPage", "Setup", {}, "Pages"},
  };
  for (int i = 0; i < QuickEntryListCount; ++i)
    table.push_back({ListBox, ListName(i), "", {4 + 114 * i, 4, 110, 210}, "ListsPage"});
  // clang-format off
  const TDialogTable setup{
      {Label, "FormatLabel", "Text Format:", {8, 8, 0, 0}, "SetupPage"},
      {Edit, "FormatEdit", "", {90, 4, 360, 24}, "SetupPage"},
      {Label, "SymbolsLabel", "Use the following symbols to define how it puts the list text into the script:",
       {8, 36, 0, 0}, "SetupPage"},
      {Label, "SceneSymbolLabel", "[#]", {16, 56, 0, 0}, "SetupPage"},
      {Label, "SceneMeaningLabel", "- Scene Number", {130, 56, 0, 0}, "SetupPage"},
      {Label, "ListSymbolLabel", "[1], [2], [3] or [4]", {16, 74, 0, 0}, "SetupPage"},
      {Label, "ListMeaningLabel", "- the selected text from the first", {130, 74, 0, 0}, "SetupPage"},
      {Label, "ListMeaningLabel2", "second, third or fourth lists respectively", {130, 90, 0, 0}, "SetupPage"},
      {CheckBox, "NewElementBox", "Start New Element of Type:", {8, 118, 190, 20}, "SetupPage"},
      {DropDownList, "ElementTypeBox", "", {200, 116, 150, 24}, "SetupPage",
       {QuickEntryTypeNames.begin(), QuickEntryTypeNames.end()}},
      {RadioGroup, "SelectedListGroup", "Selected List:", {8, 148, 250, 64}, "SetupPage",
       {"List &1", "List &2", "List &3", "List &4"}},
      {Button, "LoadBtn", "Load", {270, 160, 80, 25}, "SetupPage"},
      {Button, "ClearListBtn", "Clear List", {360, 160, 80, 25}, "SetupPage"},
      {Button, "SetupBtn", "&Setup", {398, 266, 80, 25}},
  };
  // clang-format on
  table.insert(table.end(), setup.begin(), setup.end());
  return table;
}

std::string Upper(std::string_view text) { return AnsiUpperCase(text); }

// What the writer types ahead for: the item without the blanks and
// bullets before its text.
std::string TypedPart(std::string_view item) {
  const std::string marks{' ', static_cast<char>(UsedBullet)};
  const std::size_t start = item.find_first_not_of(marks);
  return Upper(start == std::string_view::npos ? std::string_view() : item.substr(start));
}

}  // namespace

TQuickEntryDialog::TQuickEntryDialog(TComponent* owner, const std::string& settingsPath,
                                     std::optional<unsigned> settingsMode)
    : TForm(owner), settingsPath_(settingsPath), settingsMode_(settingsMode) {
  SetUpDialogForm(*this, "QuickEntryDialog", "Quick Text Entry", 490, 330);
  BuildDialog(*this, QuickEntryTable());
  TDialogTable buttons = ButtonRow(sbOK | sbCancel | sbHelp, {8, 266, 80, 25}, 96);
  buttons[0].Caption = "O&K";
  buttons[1].Caption = "&Cancel";
  BuildDialog(*this, buttons);
  // Return belongs to the lists: each hands it on to the next list with
  // items, and the last of them presses O&K.
  DialogControl<TButton>(*this, "OKBtn")->Default = false;
  for (int i = 0; i < QuickEntryListCount; ++i) {
    TListBox* list = DialogControl<TListBox>(*this, ListName(i));
    Lists[static_cast<std::size_t>(i)] = list;
    list->Font.Name = "Arial";
    list->Font.Style = fsBold;
    list->OnEnter = [list](TObject*) {
      if (list->ItemIndex() < 0 && list->Items.Count() > 0) list->SetItemIndex(0);
    };
    list->OnKeyDown = [this, i](TObject*, Word& key, TShiftState) { ListKeyDown(i, key); };
    list->OnKeyPress = [this, i](TObject*, char& key) { ListKeyPress(i, key); };
  }
  Pages = DialogControl<TPageControl>(*this, "Pages");
  ListsPage = DialogControl<TTabSheet>(*this, "ListsPage");
  SetupPage = DialogControl<TTabSheet>(*this, "SetupPage");
  FormatEdit = DialogControl<TEdit>(*this, "FormatEdit");
  NewElementBox = DialogControl<TCheckBox>(*this, "NewElementBox");
  ElementTypeBox = DialogControl<TComboBox>(*this, "ElementTypeBox");
  SelectedListGroup = DialogControl<TRadioGroup>(*this, "SelectedListGroup");
  // Two lists to a row: four one under the other need more height than the
  // page has below the element type.
  SelectedListGroup->Columns = 2;
  LoadBtn = DialogControl<TButton>(*this, "LoadBtn");
  ClearListBtn = DialogControl<TButton>(*this, "ClearListBtn");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  HelpBtn = DialogControl<TButton>(*this, "HelpBtn");
  SetupBtn = DialogControl<TButton>(*this, "SetupBtn");
  SetupBtn->OnClick = [this](TObject* s) { SetupBtnClick(s); };
  LoadBtn->OnClick = [this](TObject* s) { LoadBtnClick(s); };
  ClearListBtn->OnClick = [this](TObject* s) { ClearListBtnClick(s); };
  NewElementBox->OnClick = [this](TObject*) { ElementTypeBox->Enabled = NewElementBox->Checked(); };
  OnShow = [this](TObject*) {
    if (Pages->ActivePage() == ListsPage) FocusControl(Lists[0]);
  };

  FormatEdit->Text = "[#] / [1] / [2] / [3] / [4]";
  SelectedListGroup->SetItemIndex(0);
  const TQuickEntrySettings settings = ReadQuickEntrySettings(settingsPath);
  for (int i = 0; i < QuickEntryListCount; ++i) LoadList(i, settings.listFiles[static_cast<std::size_t>(i)]);
  SelectedListGroup->SetItemIndex(0);
  NewElementBox->SetChecked(settings.startNewElement);
  ElementTypeBox->SetItemIndex(settings.elementType);
  ElementTypeBox->Enabled = settings.startNewElement;
  FormatEdit->Text = settings.format;
  ShowPage(settings.listFiles[0].empty());
}

bool TQuickEntryDialog::LoadList(int list, const std::string& path) {
  if (list < 0 || list >= QuickEntryListCount || path.empty()) return false;
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return false;
  TListBox& box = *Lists[static_cast<std::size_t>(list)];
  box.Items.Clear();
  for (const std::string& item :
       ParseQuickEntryList(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size())))
    box.Items.Add(item);
  listFiles_[static_cast<std::size_t>(list)] = path;
  SelectedListGroup->SetItemIndex(std::min(list + 1, QuickEntryListCount - 1));
  return true;
}

void TQuickEntryDialog::SaveSettings() {
  TQuickEntrySettings settings;
  settings.listFiles = listFiles_;
  settings.startNewElement = NewElementBox->Checked();
  settings.elementType = std::max(0, ElementTypeBox->ItemIndex());
  settings.format = FormatEdit->Text();
  if (!settingsPath_.empty()) {
    if (const auto why = WriteQuickEntrySettings(settingsPath_, settings, settingsMode_))
      ShowFileError("writing " + PathToText(settingsPath_), *why);
  }
  for (int i = 0; i < QuickEntryListCount; ++i) {
    const std::string& file = listFiles_[static_cast<std::size_t>(i)];
    if (!file.empty()) Lists[static_cast<std::size_t>(i)]->Items.SaveToFile(file);
  }
}

std::array<std::optional<std::string>, QuickEntryListCount> TQuickEntryDialog::SelectedItems() const {
  std::array<std::optional<std::string>, QuickEntryListCount> items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TListBox& list = *Lists[i];
    if (list.ItemIndex() >= 0 && list.ItemIndex() < list.Items.Count()) items[i] = list.Items[list.ItemIndex()];
  }
  return items;
}

void TQuickEntryDialog::ApplyTo(TMDIChild& script) {
  const auto selected = SelectedItems();
  for (std::size_t i = 0; i < selected.size(); ++i) {
    TListBox& list = *Lists[i];
    if (selected[i] && !IsUsedItem(*selected[i])) {
      const int index = list.ItemIndex();
      list.Items.SetString(index, MarkUsed(*selected[i]));
      list.SetItemIndex(index);
    }
  }
  const int type = NewElementBox->Checked() ? std::max(0, ElementTypeBox->ItemIndex()) : -1;
  // The scene is the one the caret is in before any new element starts.
  const std::string scene = QuickEntrySceneNumber(script);
  InsertQuickEntry(script, ExpandQuickEntryTemplate(FormatEdit->Text(), scene, selected), type);
}

void TQuickEntryDialog::ShowPage(bool setup) {
  Pages->SetActivePage(setup ? SetupPage : ListsPage);
  SetupBtn->Caption = setup ? "Done" : "&Setup";
  for (TButton* b : {OKBtn, CancelBtn, HelpBtn}) b->Visible = !setup;
}

void TQuickEntryDialog::SetupBtnClick(TObject*) { ShowPage(Pages->ActivePage() != SetupPage); }

void TQuickEntryDialog::LoadBtnClick(TObject*) {
  const int list = std::max(0, SelectedListGroup->ItemIndex());
  TOpenDialog open(this);
  open.Title = "Load List #" + std::to_string(list + 1);
  open.Filter = "ASCII List|*.LST";
  open.DefaultExt = "LST";
  if (open.Execute() && FileExists(open.FileName)) LoadList(list, open.FileName);
}

void TQuickEntryDialog::ClearListBtnClick(TObject*) {
  const int list = std::max(0, SelectedListGroup->ItemIndex());
  Lists[static_cast<std::size_t>(list)]->Items.Clear();
}

void TQuickEntryDialog::ListKeyDown(int list, Word& key) {
  if (key == VK_BACK && !typeAhead_.empty()) {
    typeAhead_.pop_back();
    char none = 0;
    ListKeyPress(list, none);
    key = 0;
    return;
  }
  if (key != VK_RETURN) return;
  key = 0;
  typeAhead_.clear();
  for (int next = list + 1; next < QuickEntryListCount; ++next) {
    if (Lists[static_cast<std::size_t>(next)]->Items.Count() > 0) {
      FocusControl(Lists[static_cast<std::size_t>(next)]);
      return;
    }
  }
  // The last list with items, the fourth or not, takes the text in.
  OKBtn->Click();
}

void TQuickEntryDialog::ListKeyPress(int list, char& key) {
  // The character of Return (or another control key) picks nothing.
  if (key != 0 && static_cast<Byte>(key) < ' ') {
    key = 0;
    return;
  }
  TListBox& box = *Lists[static_cast<std::size_t>(list)];
  const std::string wanted = Upper(typeAhead_ + (key >= ' ' ? std::string(1, key) : std::string()));
  key = 0;
  for (int i = 0; i < box.Items.Count(); ++i) {
    if (TypedPart(box.Items[i]).starts_with(wanted)) {
      box.SetItemIndex(i);
      typeAhead_ = wanted;
      return;
    }
  }
}

TQuickEntryDialog* QuickEntryBox() { return Instance; }

void SaveQuickEntrySettings() {
  if (!Instance) return;
  Instance->SaveSettings();
  delete Instance;
  Instance = nullptr;
}

void ShowQuickEntry(bool reopen) {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  const std::string path = QuickEntrySettingsPath(script);
  if (path.empty()) {
    ShowMessageBox("You MUST name this script before you can use the Quick Text Entry Box.", "Attention");
    return;
  }
  // A box kept for another script opens again, made anew for this one,
  // settings file or not.
  const bool kept = Instance != nullptr;
  if (Instance && Instance->SettingsPath() != path) SaveQuickEntrySettings();
  if (!reopen && !kept && !HasQuickEntrySettings(path)) return;
  if (!Instance) Instance = new TQuickEntryDialog(Application, path, ModeFor(script.ScriptFileName));
  if (Instance->ShowModal() == mrOk) Instance->ApplyTo(script);
  // Nothing is lost when the program ends with the box still kept.
  Instance->SaveSettings();
}

}  // namespace qm
