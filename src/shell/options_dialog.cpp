// The program options dialog's form.
#include "shell/options_dialog.h"

#include <map>

#include "base/message_boxes.h"
#include "platform/dialog_builder.h"
#include "platform/platform.h"
#include "shell/backup_drive.h"
#include "shell/key_overrides.h"
#include "shell/utility_dialogs.h"

namespace qm {

namespace {

using enum TDialogItemKind;

struct PageName {
  const char* name;
  const char* tab;
};
// The tabs in their order; the boxes name their page by its tab.
constexpr PageName Pages[] = {
    {"TextEntryPage", "Editing"},     {"QuickTypePage", "QuickType"},   {"StartupPage", "Startup/Files"},
    {"SmartCheckPage", "SmartCheck"}, {"SpellCheckPage", "SpellCheck"}, {"MiscPage", "Misc."},
    {"RevisionsPage", "Revisions"},   {"PrintingPage", "Printer"},      {"KeyboardPage", "Keyboard"},
    {"MousePage", "Mouse"},           {"MultimediaPage", "Multimedia"},
};

const char* PageOf(const char* tab) {
  for (const PageName& p : Pages)
    if (std::string_view(p.tab) == tab) return p.name;
  throw EDialogTable(std::string("no options page ") + tab);
}

constexpr int RowHeight = 21;
constexpr int BoxWidth = 500;

std::vector<std::string> KeyNames() {
  std::vector<std::string> names;
  for (const char* mod : {"Alt+", "Ctrl+"})
    for (char c = 'A'; c <= 'Z'; ++c) names.push_back(std::string(mod) + c);
  return names;
}

std::vector<std::string> OverrideValues() {
  std::vector<std::string> captions;
  for (const TKeyOverrideAction& action : KeyOverrideActions()) captions.emplace_back(action.Caption);
  return captions;
}

const std::vector<std::string> DeleteKeys = {"<No Hot Key>", "Ctrl + Delete", " Alt + Delete", "Ctrl + Backspace",
                                             "Ctrl + Home",  " Alt + Home",   "Ctrl + End",    " Alt + End"};

TDialogTable SettingsTable() {
  TDialogTable t = {{PageControl, "Notebook", "", {8, 8, 814, 440}}};
  for (const PageName& p : Pages) t.push_back({Page, p.name, p.tab, {}, "Notebook"});
  // Each page stacks its check boxes from the top, then its other controls.
  std::map<std::string, int> next;
  for (const TOptionBox& b : OptionBoxes()) {
    const std::string page = PageOf(b.Page);
    int& top = next.try_emplace(page, 8).first->second;
    t.push_back({CheckBox, b.Name, b.Caption, {8, top, BoxWidth, 19}, page});
    top += RowHeight;
  }
  auto below = [&](const char* tab, int extra = 6) {
    int& top = next.try_emplace(PageOf(tab), 8).first->second;
    top += extra;
    return top;
  };
  for (const TOptionNumber& n : OptionNumbers()) {
    const std::string page = PageOf(n.Page);
    const int top = below(n.Page, 2);
    t.push_back({Label, std::string(n.Name) + "Label", n.Caption, {8, top + 3, 0, 0}, page});
    t.push_back({Edit, n.Name, "", {300, top, 50, 22}, page});
    next[page] += 26;
  }
  int top = below("Editing");
  t.push_back({CheckBox, "DisplayFontBox", "&Display", {8, top + 2, 80, 19}, "TextEntryPage"});
  t.push_back({Label,
               "DisplayFontLabel",
               "in place of the Courier New (TrueType) Font on screen",
               {300, top + 3, 0, 0},
               "TextEntryPage"});
  t.push_back({DropDownList, "SubstituteFontBox", "", {90, top, 200, 22}, "TextEntryPage"});

  top = below("QuickType");
  t.push_back({RadioGroup,
               "SmartTabGroup",
               "When Entering Character Names, sort the list...",
               {8, top, 500, 90},
               "QuickTypePage",
               {"By Last Name used - &SmartTab", "By Last Name used in Scene - SmartTab &Plus",
                "&Alphabetically (User List Order)"}});

  top = below("Startup/Files");
  t.push_back({Panel, "StartupPanel", "", {8, top, 500, 110}, "StartupPage"});
  const char* startups[] = {"&Leave You in a Blank Script", "&Display Screen-Sized Retrieve List",
                            "Display &Open File Menu", "&Retrieve Last Script you worked on",
                            "Restore last &Workspace"};
  for (int i = 0; i < 5; ++i)
    t.push_back({RadioButton, "Startup" + std::to_string(i), startups[i], {4, 4 + i * 21, 480, 19}, "StartupPanel"});
  t.push_back({Panel, "ExtensionPanel", "", {8, top + 116, 500, 26}, "StartupPage"});
  t.push_back({RadioButton, "ScrExtension", "Use \".SCR\" Extension", {4, 4, 200, 19}, "ExtensionPanel"});
  t.push_back({RadioButton, "QmwExtension", "Use \".QMW\" Extension", {220, 4, 200, 19}, "ExtensionPanel"});
  t.push_back({CheckBox, "SplashMusicBox", "&Play Opening Sound", {8, top + 148, 240, 19}, "StartupPage"});
  t.push_back({CheckBox, "ZoomLogoBox", "&Split Desktop on Startup", {260, top + 148, 240, 19}, "StartupPage"});
  t.push_back({Button, "ScriptDirBtn", "Setup Script Directory", {8, top + 176, 180, 25}, "StartupPage"});
  t.push_back({Button, "BackupDriveBtn", "Setup Backup Drive", {196, top + 176, 180, 25}, "StartupPage"});

  top = below("Misc.");
  t.push_back({Label, "DelayLabel", "Pagination Delay: (in Seconds)", {8, top + 3, 0, 0}, "MiscPage"});
  t.push_back({DropDownList,
               "DelayBox",
               "",
               {300, top, 80, 22},
               "MiscPage",
               {"0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0", "4.5", "5.0"}});

  top = below("Printer");
  t.push_back({Panel, "PrintFontPanel", "", {8, top, 560, 60}, "PrintingPage"});
  t.push_back({RadioButton, "DarkenRadio", "&Darken Courier New (TrueType) Font", {4, 4, 280, 19}, "PrintFontPanel"});
  t.push_back({DropDownList,
               "DarknessBox",
               "",
               {300, 2, 160, 22},
               "PrintFontPanel",
               {"Normal", "Dark (recommended)", "Darker", "Darkest"}});
  t.push_back({RadioButton, "SubstituteRadio", "&Substitute", {4, 32, 100, 19}, "PrintFontPanel"});
  t.push_back({DropDownList, "FontToSubstituteBox", "", {110, 30, 180, 22}, "PrintFontPanel"});
  t.push_back({Label, "SubstituteLabel", "for Courier New when printing", {300, 34, 0, 0}, "PrintFontPanel"});
  t.push_back({Button, "CardSetupBtn", "&Setup View As Index Card Printing", {8, top + 70, 260, 25}, "PrintingPage"});

  t.push_back({GroupBox,
               "OverrideGroup",
               "Alt+Ctrl Keys - Will Override ALL other Settings",
               {8, 8, 560, 160},
               "KeyboardPage"});
  t.push_back({ListBox, "KeyList", "", {8, 20, 120, 130}, "OverrideGroup", KeyNames()});
  t.push_back({DropDownList, "KeyValueBox", "", {140, 20, 200, 22}, "OverrideGroup", OverrideValues()});
  t.push_back({Button, "ClearKeysBtn", "Clear Out all Alt/Ctrl Key Overrides", {140, 60, 260, 25}, "OverrideGroup"});
  const struct {
    const char* name;
    const char* caption;
    std::vector<std::string> items;
  } keyLists[] = {
      {"DeleteWordBox", "Delete &Word:", DeleteKeys},
      {"DeleteLeftWordBox", "Delete &Left Word:", DeleteKeys},
      {"DeleteToEolBox", "Delete to &End of Line:", DeleteKeys},
      {"GotoTopBox", "Go to &Top of Script:", {"<No Hot Key>", "Ctrl+Home", "Alt+Home", "Ctrl+Alt+Home"}},
      {"GotoBottomBox", "Go to &Bottom of Script:", {"<No Hot Key>", "Ctrl+End", "Alt+End", "Ctr+Alt+End"}},
  };
  top = 176;
  for (const auto& k : keyLists) {
    t.push_back({Label, std::string(k.name) + "Label", k.caption, {8, top + 3, 0, 0}, "KeyboardPage"});
    t.push_back({DropDownList, k.name, "", {200, top, 180, 22}, "KeyboardPage", k.items});
    top += 26;
  }
  t.push_back({Panel, "CutPastePanel", "", {8, top + 4, 560, 26}, "KeyboardPage"});
  t.push_back({RadioButton, "ShiftCutPaste", "&Shift+Del && Shift+Ins", {4, 4, 200, 19}, "CutPastePanel"});
  t.push_back({RadioButton, "CtrlCutPaste", "Ctrl+&X && Ctrl+V", {220, 4, 200, 19}, "CutPastePanel"});

  top = below("Mouse");
  t.push_back({Panel, "RightMousePanel", "", {8, top, 500, 26}, "MousePage"});
  t.push_back({Label, "RightMouseLabel", "Right Mouse is:", {4, 6, 0, 0}, "RightMousePanel"});
  t.push_back({RadioButton, "PopUpRadio", "P&op-Up Menu", {120, 4, 140, 19}, "RightMousePanel"});
  t.push_back({RadioButton, "PowerPanelRadio", "&PowerPanel", {270, 4, 140, 19}, "RightMousePanel"});

  for (TDialogItem& row : ButtonRow(sbOK | sbCancel, {650, 456, 80, 25}, 90)) t.push_back(row);
  t.back().Caption = "&Cancel";
  t[t.size() - 2].Caption = "O&K";
  return t;
}

}  // namespace

TSettingsDlg::TSettingsDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "SettingsDlg", "Quillmaster for Windows Program Options", 830, 492);
  SetClientHeight(492);
  BuildDialog(*this, SettingsTable());
  Notebook = DialogControl<TPageControl>(*this, "Notebook");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  OKBtn->ModalResult = mrNone;  // closes only once everything was stored
  OKBtn->OnClick = [this](TObject*) { OKBtnClick(); };
  DialogControl<TButton>(*this, "ScriptDirBtn")->OnClick = [](TObject*) { SetupScriptDirectory(); };
  DialogControl<TButton>(*this, "BackupDriveBtn")->OnClick = [this](TObject*) { SetupBackupDriveClick(*this); };
  DialogControl<TButton>(*this, "CardSetupBtn")->OnClick = [this](TObject*) { CardSetupClick(); };
  for (const char* name : {"NoAutoPaginationBox", "PasswordProtectBox"})
    Box(name)->OnClick = [this, name](TObject*) { ConfirmBox(name); };
  for (const char* name : {"RealTimeSpellBox", "AutocorrectBox", "NameCapsBox", "SentenceCapsBox", "UseAltKeysBox",
                           "UseQuickTypeBox", "MouseWordsBox"})
    Box(name)->OnClick = [this](TObject*) { SetupEnabled(); };
  Radio("PopUpRadio")->OnClick = [this](TObject*) { SetupEnabled(); };
  Radio("PowerPanelRadio")->OnClick = [this](TObject*) { SetupEnabled(); };
  auto* keys = DialogControl<TListBox>(*this, "KeyList");
  auto* values = List("KeyValueBox");
  keys->OnClick = [this, keys, values](TObject*) {
    if (keys->ItemIndex() >= 0) values->SetItemIndex(KeyOverrides[keys->ItemIndex()]);
  };
  values->OnChange = [this, keys, values](TObject*) {
    if (keys->ItemIndex() >= 0 && values->ItemIndex() >= 0)
      KeyOverrides[keys->ItemIndex()] = static_cast<Word>(values->ItemIndex());
  };
  DialogControl<TButton>(*this, "ClearKeysBtn")->OnClick = [this, keys, values](TObject*) {
    if (!AskTypeYes("Clear out ALL Alt/Ctrl+Key Overrides?", "Attention")) return;
    KeyOverrides.fill(0);
    keys->SetItemIndex(0);
    values->SetItemIndex(0);
  };
  for (const std::string& family : Platform::Current().backend().Metrics().Families()) {
    List("SubstituteFontBox")->Items.Add(family);
    List("FontToSubstituteBox")->Items.Add(family);
  }
  FillControls();
}

TCheckBox* TSettingsDlg::Box(const std::string& name) const { return DialogControl<TCheckBox>(*this, name); }
TEdit* TSettingsDlg::NumberEdit(const std::string& name) const { return DialogControl<TEdit>(*this, name); }
TRadioButton* TSettingsDlg::Radio(const std::string& name) const { return DialogControl<TRadioButton>(*this, name); }
TComboBox* TSettingsDlg::List(const std::string& name) const { return DialogControl<TComboBox>(*this, name); }

}  // namespace qm
