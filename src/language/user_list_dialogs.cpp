#include "language/user_list_dialogs.h"

#include <algorithm>

#include "language/character_names.h"
#include "language/quick_text_entry.h"
#include "script/editing/editor_calls.h"
#include "language/list_builders.h"
#include "language/pick_list.h"
#include "language/user_list_text.h"
#include "script/editing/script_list_data.h"
#include "platform/cp1252.h"
#include "platform/dialog_builder.h"
#include "platform/files.h"
#include "platform/stringlist.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

constexpr int RowTop = 40;
constexpr int RowHeight = 24;

using enum TDialogItemKind;

struct StyleTag {
  Byte code;
  const char* tag;
};
constexpr StyleTag StyleTags[] = {{UnderlineOn, "[U+]"}, {BoldOn, "[B+]"}, {ItalicsOn, "[I+]"}};

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

std::string CodesAsTags(std::string text) {
  for (const auto& s : StyleTags) text = ReplaceAll(std::move(text), std::string(1, static_cast<char>(s.code)), s.tag);
  return text;
}

std::string TagsAsCodes(std::string text) {
  for (const auto& s : StyleTags) text = ReplaceAll(std::move(text), s.tag, std::string(1, static_cast<char>(s.code)));
  return text;
}

const char* ButtonCaption(TUserList list, bool interactive) {
  switch (list) {
    case TUserList::Extension: return "Extensions";
    case TUserList::TimeofDay: return "Times of Day";
    case TUserList::Transition: return interactive ? "Branch Point" : "Transitions";
    case TUserList::SceneText: return interactive ? "Branch Target" : "Initial Scene Text";
    case TUserList::ShotText: return interactive ? "User Activity" : "Shot Text";
    case TUserList::ActText: return "Act/Scene Info";
    case TUserList::PrologueText: return "PrologueText";
    case TUserList::TagText: return "Tag Text";
    case TUserList::EndofActText: return "End of Act Text";
    case TUserList::ScriptOpenText: return "FADE IN: Text";
    case TUserList::SceneBodyText: return "Scene Body Text";
    case TUserList::CharNames: return "Character Names";
    case TUserList::SubstitutionText: return "Substitution Text";
  }
  return "";
}

bool InteractiveActive() {
  TMDIChild* script = ActiveScript();
  return script && RecordOf(*script).InteractiveScript;
}

// An alias and a text in one slot of `width` characters: the alias is cut
// from its end until both fit, and the writer is told. A text that leaves
// no room for any alias is stored alone.
std::string CombineAlias(std::string alias, const std::string& text, int width) {
  const std::string before = alias;
  const size_t room = static_cast<size_t>(width);
  while (!alias.empty() && alias.size() + 1 + text.size() > room) alias.pop_back();
  if (alias != before)
    ShowMessageBox("\tThe Combined Length of the Alias and \rUser Text can be no more than " +
                       std::to_string(width - 1) + " characters,\rso I am forced to truncate the alias \"" + before +
                       "\" to \"" + alias + "\"",
                   "Attention");
  return alias.empty() ? text : alias + "\\" + text;
}

std::string RowNumber(int row) { return std::to_string(row + 1); }

int RowTopOf(int row) { return RowTop + row * RowHeight; }

// The rows' edits come first, so that Tab and Enter go down the rows.
TDialogTable EditUserListTable(bool interactive) {
  TDialogTable table;
  for (int row = 0; row < UserListRows; ++row) {
    const std::string letter(1, static_cast<char>('A' + row));
    table.push_back({Label, "RowLabel" + RowNumber(row), letter + ".", {8, RowTopOf(row) + 3, 20, 16}});
    table.push_back({EnterEdit, "RowEdit" + RowNumber(row), "", {30, RowTopOf(row), 300, 21}});
  }
  for (int row = 0; row < UserListRows; ++row)
    table.push_back({Button, "AliasBtn" + RowNumber(row), "Alias", {336, RowTopOf(row), 50, 21}});
  for (int i = 0; i < UserListCount; ++i)
    table.push_back({SpeedButton,
                     "ListBtn" + RowNumber(i),
                     ButtonCaption(AllUserLists[i], interactive),
                     {400, 8 + i * 26, 150, 24}});
  const int bottom = RowTopOf(UserListRows) + 8;
  table.push_back({CheckBox, "SaveDefaultsBox", "Sa&ve as Defaults", {8, bottom, 140, 20}});
  table.push_back({Button, "CopyFromScriptBtn", "Copy From Script", {160, bottom, 120, 25}});
  // Not the default button: Enter moves down the rows.
  table.push_back({Button, "OKBtn", "OK", {300, bottom, 80, 25}});
  table.push_back({Button, "SetupDayBtn", "Setup (DAY 1) Entry", {400, bottom, 150, 25}});
  table.push_back({HelpButton, "HelpBtn", "", {400, bottom - 34, 150, 25}});
  return table;
}

TDialogTable LoadListTable() {
  return {
      {RadioButton, "CharNamesRadio", "&Character Names", {16, 12, 200, 20}},
      {RadioButton, "LocationsRadio", "&Locations (sets)", {16, 36, 200, 20}},
      {CheckBox, "ClearFirstBox", "Clear &Out List First", {16, 66, 200, 20}},
  };
}

}  // namespace

// ---- The editor ------------------------------------------------------------

TEditUserListDlg::TEditUserListDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "EditUserListDlg", "", 560, RowTop + UserListRows * RowHeight + 60);
  BuildDialog(*this, EditUserListTable(InteractiveActive()));
  for (int i = 0; i < UserListCount; ++i) {
    const TUserList list = AllUserLists[i];
    TSpeedButton* button = DialogControl<TSpeedButton>(*this, "ListBtn" + RowNumber(i));
    button->OnClick = [this, list](TObject*) { ListButtonClick(list); };
    ListButtons[static_cast<size_t>(i)] = button;
  }
  for (int row = 0; row < UserListRows; ++row) {
    TEdit* edit = DialogControl<TEdit>(*this, "RowEdit" + RowNumber(row));
    TButton* alias = DialogControl<TButton>(*this, "AliasBtn" + RowNumber(row));
    alias->OnClick = [this, row](TObject*) { AliasButtonClick(row); };
    RowLabels[static_cast<size_t>(row)] = DialogControl<TLabel>(*this, "RowLabel" + RowNumber(row));
    RowEdits[static_cast<size_t>(row)] = edit;
    AliasButtons[static_cast<size_t>(row)] = alias;
  }
  SaveDefaultsBox = DialogControl<TCheckBox>(*this, "SaveDefaultsBox");
  CopyFromScriptBtn = DialogControl<TButton>(*this, "CopyFromScriptBtn");
  CopyFromScriptBtn->OnClick = [this](TObject* s) { CopyFromScriptClick(s); };
  SetupDayBtn = DialogControl<TButton>(*this, "SetupDayBtn");
  SetupDayBtn->OnClick = [this](TObject*) { SetupDayClick(); };
  HelpBtn = DialogControl<TButton>(*this, "HelpBtn");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  OKBtn->OnClick = [this](TObject* s) { OKBtnClick(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

void TEditUserListDlg::FormShow(TObject*) {
  if (TUserListTables* lists = ActiveUserLists()) Lists = *lists;
  SetupList(TUserList::CharNames);
}

void TEditUserListDlg::SetupList(TUserList list) {
  Shown = list;
  const TUserListSpec& spec = UserListSpec(list);
  Caption = "Edit User Lists - " + std::string(list == TUserList::Extension ? "Character Name Extensions"
                                                                            : ButtonCaption(list, InteractiveActive()));
  for (int row = 0; row < UserListRows; ++row) {
    const bool used = row < spec.Slots;
    const std::string& entry = UserListEntry(Lists, list, row + 1);
    TEdit* edit = RowEdits[static_cast<size_t>(row)];
    RowLabels[static_cast<size_t>(row)]->Visible = used;
    edit->Visible = used;
    edit->MaxLength = spec.Width;
    edit->Text = used ? CodesAsTags(ListItemText(entry, false, false)) : std::string();
    RowAliases[static_cast<size_t>(row)] = used ? ListItemKey(entry) : std::string();
    AliasButtons[static_cast<size_t>(row)]->Visible = used && spec.TakesAliases;
  }
  for (int i = 0; i < UserListCount; ++i) {
    TSpeedButton* button = ListButtons[static_cast<size_t>(i)];
    const bool shown = AllUserLists[i] == list;
    button->Font.Style = shown ? fsBold : 0u;
    button->Font.Color = shown ? clBlue : clBlack;
  }
}

void TEditUserListDlg::WriteBackList() {
  const TUserListSpec& spec = UserListSpec(Shown);
  for (int row = 0; row < spec.Slots; ++row) {
    std::string text = TagsAsCodes(RowEdits[static_cast<size_t>(row)]->Text());
    TrimTrailingBlanks(text);
    const std::string& alias = RowAliases[static_cast<size_t>(row)];
    if (text.empty()) SetUserListEntry(Lists, Shown, row + 1, "");
    else if (alias.empty()) SetUserListEntry(Lists, Shown, row + 1, text);
    else
      SetUserListEntry(Lists, Shown, row + 1,
                       CombineAlias(alias, text.substr(0, static_cast<size_t>(spec.Width)), spec.Width));
  }
}

void TEditUserListDlg::ListButtonClick(TUserList list) {
  WriteBackList();
  SetupList(list);
}

void TEditUserListDlg::AliasButtonClick(int row) {
  TQuickTextEntryDlg dialog(this);
  dialog.SetText(RowAliases[static_cast<size_t>(row)]);
  dialog.TextEdit->MaxLength = UserListSpec(Shown).Width - 1;
  if (dialog.ShowModal() != mrOk) return;
  std::string alias = dialog.MarkedText();
  TrimTrailingBlanks(alias);
  std::erase(alias, '\\');
  RowAliases[static_cast<size_t>(row)] = alias;
}

// The source the list's entries can be copied from: the script's names,
// its locations, or the text of its transitions.
bool TEditUserListDlg::FillSourceList() {
  TListMenu& menu = ListMenuInstance();
  TStringList& items = menu.List->Items;
  menu.ClearList();
  items.SetSorted(false);
  if (Shown == TUserList::CharNames) return CollectCharacterNames(0, true, false, items, false);
  if (Shown == TUserList::SceneBodyText) {
    BuildPopupList(plLocations, items);
  } else if (TMDIChild* script = ActiveScript()) {
    editor::Assemble(*script);
    for (const TScriptElement* e = script->FirstElement; e; e = e->next) {
      if (e->Kind() != ekTransition || !e->text) continue;
      const std::string text = PlainText(UnpackText(*e->text));
      if (!text.empty() && (items.Count() == 0 || items[items.Count() - 1] != text)) items.Add(text);
    }
    editor::DisAssemble(*script);
  }
  if (items.Count() > 0) return true;
  ShowMessageBox(PromptTable(28), PromptTable(29));
  return false;
}

TEdit* TEditUserListDlg::FirstEmptyRow() const {
  const auto rows = RowEdits.begin() + UserListSpec(Shown).Slots;
  const auto empty = std::find_if(RowEdits.begin(), rows, [](TEdit* e) { return e->Text().empty(); });
  if (empty != rows) return *empty;
  ShowMessageBox("There are no Empty User List Elements!", PromptTable(0));
  return nullptr;
}

// The story's first day as a time of day, for headings that count the
// days of the story.
void TEditUserListDlg::SetupDayClick() {
  static const std::string DayOne = "DAY 1";
  if (!AskYesNo("Should I add \"" + DayOne + "\" to your Times of Day?", PromptTable(20), true)) return;
  ListButtonClick(TUserList::TimeofDay);
  const auto rows = RowEdits.begin() + UserListSpec(Shown).Slots;
  if (std::any_of(RowEdits.begin(), rows, [](TEdit* e) { return e->Text() == DayOne; })) return;
  if (TEdit* empty = FirstEmptyRow()) empty->Text = DayOne;
}

void TEditUserListDlg::CopyEntriesIntoRows() {
  TListMenu& menu = ListMenuInstance();
  while (menu.List->Items.Count() > 0) {
    const int picked = menu.ShowPicker("Double Click on an Entry to Copy it", false, false);
    if (picked <= 0) break;
    TEdit* empty = FirstEmptyRow();
    if (!empty) break;
    empty->Text = menu.List->Items[picked - 1].substr(0, static_cast<size_t>(UserListSpec(Shown).Width));
    menu.List->Items.Delete(picked - 1);
  }
  menu.DoneWithList();
}

void TEditUserListDlg::CopyFromScriptClick(TObject*) {
  if (FillSourceList()) CopyEntriesIntoRows();
}

void TEditUserListDlg::OKBtnClick(TObject*) {
  TMDIChild* script = ActiveScript();
  if (script) editor::SaveSettingsUndoStep(*script);
  WriteBackList();
  if (script) {
    RecordOf(*script).UserLists = Lists;
    UserListsChanged(*script);
    BuildCharacterNameTable();
    editor::SetActiveScriptModifiedUnrevised();
  }
  if (SaveDefaultsBox->Checked()) {
    TIniFile ini = OpenSettingsFile();
    WriteUserLists(ini, Lists);
  }
  ModalResult = mrOk;
}

void ShowEditUserLists() {
  if (NoActiveDocument()) return;
  const int cursor = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  TEditUserListDlg dialog(Application);
  Screen->SetCursor(cursor);
  dialog.ShowModal();
  if (TMDIChild* script = ActiveScript()) editor::RedisplayScreen(*script);
}

// ---- Loading a text file -----------------------------------------------------

TASCIIUserListDlg::TASCIIUserListDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "ASCIIUserListDlg", "Load into which User List?", 280, 160);
  BuildDialog(*this, LoadListTable());
  BuildDialog(*this, ButtonRow(sbOK | sbCancel, {40, 96, 80, 25}, 100));
  CharNamesRadio = DialogControl<TRadioButton>(*this, "CharNamesRadio");
  LocationsRadio = DialogControl<TRadioButton>(*this, "LocationsRadio");
  ClearFirstBox = DialogControl<TCheckBox>(*this, "ClearFirstBox");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
}

bool TASCIIUserListDlg::Load(const std::string& fileName) {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  if (!FileExists(fileName)) {
    ShowMessageBox(PathToText(fileName) + " not found!", PromptTable(16));
    return false;
  }
  const bool setFile = AnsiUpperCase(ExtractFileExt(fileName)) == ".SET";
  LocationsRadio->SetChecked(setFile);
  CharNamesRadio->SetChecked(!setFile);
  ClearFirstBox->SetChecked(true);
  if (ShowModal() != mrOk) return false;

  TUserListTables& lists = RecordOf(*script).UserLists;
  const TUserList list = LocationsRadio->Checked() ? TUserList::SceneBodyText : TUserList::CharNames;
  const int slots = UserListSpec(list).Slots;
  // Read before anything is cleared: a file that cannot be read leaves the
  // list as it was.
  std::string error;
  const auto bytes = ReadFileBytes(fileName, &error);
  if (!bytes) {
    ShowMessageBox("Unable to read " + PathToText(fileName) + ":\r" + error + ".", "Warning");
    return false;
  }
  bool clear = ClearFirstBox->Checked();
  int slot = clear ? 1 : FirstEmptySlot(lists, list);
  if (!clear && slot == 0) {
    if (!AskYesNo("That List is already full!\r\rShould I empty it before loading the new list?", PromptTable(21),
                  true)) {
      ShowMessageBox("List Loading was Canceled", PromptTable(22));
      return false;
    }
    clear = true;
    slot = 1;
  }
  editor::SaveSettingsUndoStep(*script);
  if (clear) ClearUserList(lists, list);

  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  for (const std::string& entry : UserListTextEntries(text, static_cast<std::size_t>(slots - slot + 1)))
    SetUserListEntry(lists, list, slot++, entry);
  UserListsChanged(*script);
  editor::SetActiveScriptModifiedUnrevised();
  ShowMessageBox("Your new User List has been loaded.", PromptTable(23));
  return true;
}

bool LoadUserListFromTextFile(const std::string& fileName) {
  if (NoActiveDocument()) return false;
  TASCIIUserListDlg dialog(Application);
  return dialog.Load(fileName);
}

}  // namespace qm
