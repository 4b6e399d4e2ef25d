// The program options dialog's form.
#include "shell/options_dialog.h"

#include <map>

#include "base/message_boxes.h"
#include "platform/dialog_builder.h"
#include "platform/platform.h"
#include "shell/backup_drive.h"
#include "shell/key_overrides.h"
#include "shell/mark_slider.h"
#include "shell/utility_dialogs.h"

namespace qm {

namespace {

using enum TDialogItemKind;

struct PageName {
  const char* name;
  const char* tab;
  int helpTopic;
};
// The tabs in their order; the boxes name their page by its tab.
constexpr PageName Pages[] = {
    {"TextEntryPage", "Editing", 1071},     {"QuickTypePage", "QuickType", 9090},
    {"StartupPage", "Startup/Files", 1080}, {"SmartCheckPage", "SmartCheck", 1078},
    {"SpellCheckPage", "SpellCheck", 1079}, {"MiscPage", "Misc.", 1074},
    {"RevisionsPage", "Revisions", 1077},   {"PrintingPage", "Printer", 1076},
    {"KeyboardPage", "Keyboard", 1072},     {"MousePage", "Mouse", 1075},
    {"MultimediaPage", "Multimedia", 1501},
};

const char* PageOf(const char* tab) {
  for (const PageName& p : Pages)
    if (std::string_view(p.tab) == tab) return p.name;
  throw EDialogTable(std::string("no options page ") + tab);
}

constexpr int RowHeight = 21;
constexpr int BoxWidth = 760;

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

// Boxes that stand together under a caption: the first and the last of
// a run of boxes of one page.
struct TBoxGroup {
  const char* name;
  const char* caption;
  std::string_view first;
  std::string_view last;
};
constexpr TBoxGroup BoxGroups[] = {
    {"ElementMovementGroup", "Element Movement...", "EnterToNameBox", "TabToParenthBox"},
    {"AutoPopUpGroup", "Auto-Pop Up...", "AutoSceneBodyBox", "CharNameListBox"},
    {"RunningListsGroup", "Show Running Lists for entry of the following:", "RunningExtensionsBox", "RunningShotsBox"},
    {"DeleteWithoutPromptGroup", "Delete WITHOUT prompting...", "BlankSpaceBox", "SecondNameBox"},
    {"AutoCapitalizeGroup", "Auto-Capitalize...", "SentenceCapsBox", "AllCapNamesBox"},
    {"PowerPanelGroup", "PowerPanel", "SelectOnUpBox", "MoveToClickBox"},
};
constexpr int GroupTop = 18;  // the first box under a group's caption
constexpr int GroupFoot = 6;

// Room kept after a box (or the group it ends) for a control that comes
// next in the page's order.
struct TRoom {
  std::string_view after;
  int height;
};
constexpr TRoom Rooms[] = {{"CharNameListBox", 96}, {"MoveMouseBox", 30}};

// A sentence with a field (or a second box) inside: its parts stand on
// one line, each just after the one before. One led by a box goes on that
// box's line; one without stands below its page's boxes. An edit is a
// spin edit.
struct TSentencePart {
  TDialogItemKind kind;
  std::string_view name;
  const char* caption = "";  // a box's is its option's
};
struct TSentence {
  const char* page;  // by its tab
  std::string_view lead;
  std::vector<TSentencePart> parts;
};
const std::vector<TSentence>& Sentences() {
  static const std::vector<TSentence> sentences = {
      {"Editing", "", {{Label, "UndoLevelsLabel", "&Undo Levels:"}, {Edit, "UndoLevelsEdit"}}},
      {"Startup/Files",
       "",
       {{Label, "AutosaveLabel", "&Timed Backup Frequency:"},
        {Edit, "AutosaveEdit"},
        {Label, "AutosaveUnitLabel", "Minutes"}}},
      {"SpellCheck",
       "AutocorrectBox",
       {{Label, "MaxLengthLabel", "(&Max. Length"}, {Edit, "MaxLengthEdit"}, {Label, "MaxLengthEndLabel", ")"}}},
      {"SpellCheck", "NameCapsBox", {{CheckBox, "AllCapNamesBox"}, {Label, "NameCapsEndLabel", ")"}}},
      {"SpellCheck", "AutoSpacingBox", {{Edit, "SpacingEdit"}, {Label, "SpacingLabel", "Spaces"}}},
      {"Revisions",
       "ThresholdBox",
       {{Edit, "ThresholdEdit"},
        {Label, "ThresholdLabel", "Revision Marks on the Page, print a Revision Mark on the Header"}}},
  };
  return sentences;
}

const TSentence* SentenceLedBy(std::string_view lead) {
  for (const TSentence& s : Sentences())
    if (!lead.empty() && s.lead == lead) return &s;
  return nullptr;
}

bool InsideSentence(std::string_view name) {
  for (const TSentence& s : Sentences())
    for (const TSentencePart& part : s.parts)
      if (part.name == name) return true;
  return false;
}

const char* BoxCaption(std::string_view name) {
  for (const TOptionBox& b : OptionBoxes())
    if (b.Name == name) return b.Caption;
  throw EDialogTable("no option box " + std::string(name));
}

constexpr int SpinEditWidth = 44;
constexpr int SpinButtonWidth = 16;
constexpr int SentenceGap = 4;

// The parts of a sentence on the line at `top`; their places along the
// line are found once they are made (LineUpSentences). Returns the
// line's height.
int AddSentenceParts(TDialogTable& t, const TSentence& sentence, int top, const std::string& parent) {
  int height = RowHeight;
  for (const TSentencePart& part : sentence.parts) {
    const std::string name(part.name);
    switch (part.kind) {
      case CheckBox: t.push_back({CheckBox, name, BoxCaption(part.name), {0, top, 100, 19}, parent}); break;
      case Edit:
        t.push_back({Edit, name, "", {0, top - 1, SpinEditWidth, 22}, parent});
        t.push_back({SpeedButton, name + "Up", "+", {0, top - 1, SpinButtonWidth, 11}, parent});
        t.push_back({SpeedButton, name + "Down", "-", {0, top + 10, SpinButtonWidth, 11}, parent});
        height = RowHeight + 4;
        break;
      default: t.push_back({part.kind, name, part.caption, {0, top + 2, 0, 0}, parent});
    }
  }
  return height;
}

// Each page stacks its check boxes from the top, a group's boxes inside
// their captioned frame; `next` is where each page goes on below them,
// `rooms` where each room was kept.
void AddOptionBoxes(TDialogTable& t, std::map<std::string, int>& next, std::map<std::string_view, int>& rooms) {
  const TBoxGroup* group = nullptr;
  std::size_t frame = 0;
  int inner = 0;
  for (const TOptionBox& b : OptionBoxes()) {
    const std::string page = PageOf(b.Page);
    int& top = next.try_emplace(page, 8).first->second;
    for (const TBoxGroup& g : BoxGroups)
      if (g.first == b.Name) {
        group = &g;
        frame = t.size();
        t.push_back({GroupBox, g.name, g.caption, {8, top, BoxWidth + 16, 0}, page});
        inner = GroupTop;
      }
    // A box inside a sentence stands on its lead's line.
    if (!InsideSentence(b.Name)) {
      const std::string parent = group ? group->name : page;
      int& row = group ? inner : top;
      t.push_back({CheckBox, b.Name, b.Caption, {8, row, BoxWidth, 19}, parent});
      const TSentence* sentence = SentenceLedBy(b.Name);
      row += sentence ? AddSentenceParts(t, *sentence, row, parent) : RowHeight;
    }
    if (group && group->last == b.Name) {
      t[frame].Place.Height = inner + GroupFoot;
      top += inner + GroupFoot + 4;
      group = nullptr;
    }
    for (const TRoom& room : Rooms)
      if (room.after == b.Name) {
        rooms[room.after] = top;
        top += room.height;
      }
  }
}

// Room for a check box's square and the gap before its caption.
constexpr int BoxSquareWidth = 24;

int CaptionWidth(const TControl& control, const std::string& caption) {
  TCanvas measure;
  measure.Font.Assign(control.Font);
  TRect r{0, 0, 0, 0};
  measure.DrawText(caption, r, DT_CALCRECT);
  return r.Width();
}

// The parts of each sentence, left to right along its line: a box as wide
// as its caption, a spin edit with its buttons.
void LineUpSentences(TForm& form) {
  for (const TSentence& sentence : Sentences()) {
    int x = 8;
    std::vector<std::string_view> names;
    if (!sentence.lead.empty()) names.push_back(sentence.lead);
    for (const TSentencePart& part : sentence.parts) names.push_back(part.name);
    for (std::string_view name : names) {
      auto* control = DialogControl<TControl>(form, std::string(name));
      if (auto* box = dynamic_cast<TCheckBox*>(control))
        box->Width = CaptionWidth(*box, box->Caption()) + BoxSquareWidth;
      control->Left = x;
      x += control->Width + SentenceGap;
      if (!dynamic_cast<TEdit*>(control)) continue;
      for (const char* button : {"Up", "Down"})
        DialogControl<TControl>(form, std::string(name) + button)->Left = x - SentenceGap;
      x += SpinButtonWidth;
    }
  }
}

TDialogTable SettingsTable() {
  TDialogTable t = {{PageControl, "Notebook", "", {8, 8, 814, 440}}};
  for (const PageName& p : Pages) t.push_back({Page, p.name, p.tab, {}, "Notebook"});
  std::map<std::string, int> next;
  std::map<std::string_view, int> rooms;
  AddOptionBoxes(t, next, rooms);
  auto below = [&](const char* tab, int extra = 6) {
    int& top = next.try_emplace(PageOf(tab), 8).first->second;
    top += extra;
    return top;
  };
  for (const TSentence& sentence : Sentences())
    if (sentence.lead.empty())
      next[PageOf(sentence.page)] += AddSentenceParts(t, sentence, below(sentence.page, 4), PageOf(sentence.page));
  int top = below("Editing");
  t.push_back({CheckBox, "DisplayFontBox", "&Display", {8, top + 2, 80, 19}, "TextEntryPage"});
  t.push_back({Label,
               "DisplayFontLabel",
               "in place of the Courier New (TrueType) Font on screen",
               {300, top + 3, 0, 0},
               "TextEntryPage"});
  t.push_back({DropDownList, "SubstituteFontBox", "", {90, top, 200, 22}, "TextEntryPage"});

  t.push_back({RadioGroup,
               "SmartTabGroup",
               "When Entering Character Names, sort the list...",
               {8, rooms.at("CharNameListBox"), 500, 90},
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
  t.push_back({Label, "DelayLabel", "Pagination Delay: (in Seconds)", {8, top + 6, 0, 0}, "MiscPage"});

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
    const char* group;
    const char* name;
    const char* caption;
    std::vector<std::string> items;
  } keyLists[] = {
      {"DeletionKeysGroup", "DeleteWordBox", "Delete &Word:", DeleteKeys},
      {"DeletionKeysGroup", "DeleteLeftWordBox", "Delete &Left Word:", DeleteKeys},
      {"DeletionKeysGroup", "DeleteToEolBox", "Delete to &End of Line:", DeleteKeys},
      {"MovementKeysGroup",
       "GotoTopBox",
       "Go to &Top of Script:",
       {"<No Hot Key>", "Ctrl+Home", "Alt+Home", "Ctrl+Alt+Home"}},
      {"MovementKeysGroup",
       "GotoBottomBox",
       "Go to &Bottom of Script:",
       {"<No Hot Key>", "Ctrl+End", "Alt+End", "Ctr+Alt+End"}},
  };
  t.push_back({GroupBox, "DeletionKeysGroup", "Deletion Keys", {8, 176, 380, 104}, "KeyboardPage"});
  t.push_back({GroupBox, "MovementKeysGroup", "Movement Keys", {396, 176, 380, 78}, "KeyboardPage"});
  std::map<std::string, int> listTop;
  for (const auto& k : keyLists) {
    int& row = listTop.try_emplace(k.group, GroupTop).first->second;
    t.push_back({Label, std::string(k.name) + "Label", k.caption, {8, row + 3, 0, 0}, k.group});
    t.push_back({DropDownList, k.name, "", {184, row, 180, 22}, k.group, k.items});
    row += 26;
  }
  t.push_back({GroupBox, "CutPasteGroup", "Cut and Paste Quick Keys are...", {396, 262, 380, 70}, "KeyboardPage"});
  t.push_back({RadioButton, "ShiftCutPaste", "&Shift+Del && Shift+Ins", {8, GroupTop, 300, 19}, "CutPasteGroup"});
  t.push_back({RadioButton, "CtrlCutPaste", "Ctrl+&X && Ctrl+V", {8, GroupTop + 24, 300, 19}, "CutPasteGroup"});

  t.push_back({Panel, "RightMousePanel", "", {8, rooms.at("MoveMouseBox"), 500, 26}, "MousePage"});
  t.push_back({Label, "RightMouseLabel", "Right Mouse is:", {4, 6, 0, 0}, "RightMousePanel"});
  t.push_back({RadioButton, "PopUpRadio", "P&op-Up Menu", {120, 4, 140, 19}, "RightMousePanel"});
  t.push_back({RadioButton, "PowerPanelRadio", "&PowerPanel", {270, 4, 140, 19}, "RightMousePanel"});

  for (TDialogItem& row : ButtonRow(sbOK | sbCancel | sbHelp, {560, 456, 80, 25}, 90)) t.push_back(row);
  t[t.size() - 3].Caption = "O&K";
  t[t.size() - 2].Caption = "&Cancel";
  return t;
}

}  // namespace

TSettingsDlg::TSettingsDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "SettingsDlg", "Quillmaster for Windows Program Options", 830, 492);
  SetClientHeight(492);
  BuildDialog(*this, SettingsTable());
  LineUpSentences(*this);
  AddDelaySlider();
  Notebook = DialogControl<TPageControl>(*this, "Notebook");
  // Help opens the topic of the page on show.
  Notebook->OnChange = [this](TObject*) {
    const int page = Notebook->ActivePageIndex();
    if (page >= 0 && page < static_cast<int>(std::size(Pages))) HelpContext = Pages[page].helpTopic;
  };
  HelpContext = Pages[0].helpTopic;
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  OKBtn->ModalResult = mrNone;  // closes only once everything was stored
  OKBtn->OnClick = [this](TObject*) { OKBtnClick(); };
  DialogControl<TButton>(*this, "ScriptDirBtn")->OnClick = [this](TObject*) {
    AsideWhile([] { SetupScriptDirectory(); });
  };
  DialogControl<TButton>(*this, "BackupDriveBtn")->OnClick = [this](TObject*) {
    AsideWhile([this] { SetupBackupDriveClick(*this); });
  };
  for (const TOptionNumber& n : OptionNumbers()) {
    DialogControl<TSpeedButton>(*this, std::string(n.Name) + "Up")->OnClick = [this, &n](TObject*) {
      SpinNumber(n, 1);
    };
    DialogControl<TSpeedButton>(*this, std::string(n.Name) + "Down")->OnClick = [this, &n](TObject*) {
      SpinNumber(n, -1);
    };
  }
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

// The delay's slider beside its caption, every other mark labelled under it.
void TSettingsDlg::AddDelaySlider() {
  constexpr int Marks = 10;
  const auto* caption = DialogControl<TLabel>(*this, "DelayLabel");
  auto* page = DialogControl<TTabSheet>(*this, "MiscPage");
  delaySlider_ = new TMarkSlider(this, Marks);
  delaySlider_->Name = "DelaySlider";
  delaySlider_->SetParent(page);
  delaySlider_->SetBounds(caption->Left + caption->Width + 12, caption->Top - 6, 320, 26);
  delaySlider_->OnSettle = [this](TObject*) {
    paginationDelay_ = static_cast<Byte>((delaySlider_->Position() + 1) * 5);
  };
  const std::vector<int> centres = delaySlider_->MarkCentres();
  for (int mark = 0; mark < Marks; mark += 2) {
    auto* label = new TLabel(this);
    label->Name = "DelayMark" + std::to_string(mark);
    label->SetParent(page);
    label->Caption = std::to_string(mark / 2) + ".5";
    label->Left = delaySlider_->Left + centres[static_cast<std::size_t>(mark)] - label->Width / 2;
    label->Top = delaySlider_->Top + delaySlider_->Height;
  }
}

void TSettingsDlg::AsideWhile(const std::function<void()>& show) {
  const int left = Left;
  // Back in its place however the page ends.
  struct TPutBack {
    TSettingsDlg& dialog;
    int left;
    ~TPutBack() { dialog.Left = left; }
  } putBack{*this, left};
  if (Screen) Left = Screen->Width() + 10;
  show();
}

TCheckBox* TSettingsDlg::Box(const std::string& name) const { return DialogControl<TCheckBox>(*this, name); }
TEdit* TSettingsDlg::NumberEdit(const std::string& name) const { return DialogControl<TEdit>(*this, name); }
TRadioButton* TSettingsDlg::Radio(const std::string& name) const { return DialogControl<TRadioButton>(*this, name); }
TComboBox* TSettingsDlg::List(const std::string& name) const { return DialogControl<TComboBox>(*this, name); }

}  // namespace qm
