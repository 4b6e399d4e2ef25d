// The main window's menus: every item reachable under its menu, every
// command with its routine, no letter shared within a menu, and which
// commands may be used in each state of the active script.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "platform/files.h"
#include "platform/clipboard.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/menu_table.h"
#include "shell/program_settings.h"
#include "shell/tool_bar.h"
#include "platform/office_button.h"
#include "script/editing/document_modified.h"
#include "script/fixtures/keys_fixture.h"
#include "script/model/edit_line_writer.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

using testing::ElementSpec;

// The letters that items of one menu share in the captions the program
// was given ("&Backup Script to Floppy" and "Graph &Branch Points"): the
// letter there steps between those items rather than running one.
const std::map<std::string, std::set<char>> kSharedLetters = {
    {"FileMenu", {'B'}},
    {"DisplayOptionsItem", {'A', 'C', 'E', 'F', 'O', 'R', 'S'}},
    {"FormatMenu", {'M'}},
    {"LoadUserListsItem", {'S'}},
    {"BreakdownsItem", {'D', 'S'}},
};

// The letter an "&" marks in a caption ("&&" is a plain ampersand), or 0.
char Mnemonic(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
    ++i;
  }
  return 0;
}

// The Window menu's list of open scripts and the line above it, made as
// scripts open rather than from the table.
bool InWindowList(const TMenuItem& item) { return item.Name.rfind("Doc", 0) == 0 || item.Name == "WindowListBar"; }

// The states a script can be in, and which commands each allows.
enum State { NoScript, EmptyScript, WithBlock, Locked, ReadOnly, StateCount };
const char* const kStateNames[] = {"no script", "empty script", "script with a block", "locked script",
                                   "read-only script"};

// What each rule allows in the states its meaning fixes: no script, an
// editable script without a block and with one; nothing locked, numbered,
// interactive or pasteable, nothing to undo, the speed bars allowed.
bool RuleHolds(TMenuRule rule, State state) {
  const bool open = state != NoScript;
  const bool block = state == WithBlock;
  switch (rule) {
    case TMenuRule::AsMenu:
    case TMenuRule::Always:
    case TMenuRule::NumberingNotLocked:
    case TMenuRule::SpeedBars:
    case TMenuRule::ElementButtons: return true;
    case TMenuRule::Open:
    case TMenuRule::Editable:
    case TMenuRule::LockScript: return open;
    case TMenuRule::Block: return block;
    case TMenuRule::NoBlock: return open && !block;
    case TMenuRule::TextMode: return open && MainForm->AllowTextMode;
    case TMenuRule::Paste:
    case TMenuRule::Undo:
    case TMenuRule::Redo:
    case TMenuRule::PagesLocked:
    case TMenuRule::ScenesLocked:
    case TMenuRule::PagesPausable:
    case TMenuRule::ScenesPausable:
    case TMenuRule::UnlockScript:
    case TMenuRule::NumberingOn:
    case TMenuRule::HeadersLocked:
    case TMenuRule::Interactive:
    case TMenuRule::StoryboardLinks:
    case TMenuRule::RevisionLevels:
    case TMenuRule::SearchAgain: return false;
  }
  return false;
}

class MainMenusTest : public testing::KeysFixture {
 protected:
  static std::vector<std::string> Letters(const TMenuItem& menu) {
    std::vector<std::string> letters;
    for (int i = 0; i < menu.Count(); ++i)
      if (menu.Items(i)->Count() == 0) letters.push_back(menu.Items(i)->Caption());
    return letters;
  }
  void Idle() {
    bool done = false;
    MainForm->AppIdle(nullptr, done);
  }
  // Puts the active script (or none) into a state.
  void Enter(State state) {
    if (state == NoScript) {
      MainForm->CloseFileItem->Click();
      ASSERT_EQ(DocumentCount, 0);
      return;
    }
    if (DocumentCount == 0) MainForm->FileNewItem->Click();
    TMDIChild& w = W();
    Load({{ekAction, "One two three."}});
    EditFields(w).BlockOn = state == WithBlock;
    if (state == WithBlock) {
      w.CurrentElement()->blockStart = 4;
      w.CurrentElement()->blockEnd = 7;
    }
    w.PagesLocked = w.ScenesLocked = state == Locked;
    w.Editable = state != ReadOnly;
  }
};

// Each row of the table, with the rows above it that it hangs under.
struct RowInTree {
  const TMenuRow* row;
  std::vector<const TMenuRow*> ancestors;
};

std::vector<RowInTree> RowsInTree() {
  std::vector<RowInTree> rows;
  std::vector<const TMenuRow*> open;
  for (const TMenuRow& row : MainMenuRows()) {
    open.resize(row.depth - 1u);
    rows.push_back({&row, open});
    open.push_back(&row);
  }
  return rows;
}

bool HasChildren(const RowInTree& entry, const RowInTree* next) { return next && next->row->depth > entry.row->depth; }

TEST_F(MainMenusTest, EveryItemHangsUnderItsMenuAndTheShownOnesCanBeReached) {
  const std::vector<RowInTree> rows = RowsInTree();
  std::multiset<std::string> named;
  for (const RowInTree& entry : rows) {
    const TMenuRow& row = *entry.row;
    if (!row.name[0]) continue;
    named.insert(row.name);
    SCOPED_TRACE(row.name);
    const TMenuItem* item = MainForm->MenuItem(row.name);
    ASSERT_NE(item, nullptr);
    const TMenuItem* parent =
        entry.ancestors.empty() ? MainForm->MainMenu->Items() : MainForm->MenuItem(entry.ancestors.back()->name);
    EXPECT_EQ(item->Parent(), parent);
    // A writer opens the menus above an item to reach it: each is shown,
    // unless the table keeps it out of sight (a key menu, an interactive
    // command, the storyboard links of a linked script).
    std::vector<const TMenuRow*> chain = entry.ancestors;
    chain.push_back(&row);
    const bool keptOutOfSight = std::any_of(chain.begin(), chain.end(), [](const TMenuRow* r) {
      return r->hidden || r->rule == TMenuRule::Interactive || r->rule == TMenuRule::StoryboardLinks || r->IsLine();
    });
    if (keptOutOfSight) continue;
    for (const TMenuItem* shown = item; shown != MainForm->MainMenu->Items(); shown = shown->Parent())
      EXPECT_TRUE(shown->Visible()) << shown->Name << " is hidden";
  }
  // Nothing in the menus but the table's rows and the window list.
  std::multiset<std::string> built;
  std::function<void(const TMenuItem&)> collect = [&](const TMenuItem& menu) {
    for (int i = 0; i < menu.Count(); ++i) {
      const TMenuItem& item = *menu.Items(i);
      if (InWindowList(item)) continue;
      if (!item.Name.empty()) built.insert(item.Name);
      collect(item);
    }
  };
  collect(*MainForm->MainMenu->Items());
  std::vector<std::string> stray, lost;
  std::set_difference(built.begin(), built.end(), named.begin(), named.end(), std::back_inserter(stray));
  std::set_difference(named.begin(), named.end(), built.begin(), built.end(), std::back_inserter(lost));
  EXPECT_EQ(stray, std::vector<std::string>{}) << "in the menus but not in the table";
  EXPECT_EQ(lost, std::vector<std::string>{}) << "in the table but not in the menus";
}

TEST_F(MainMenusTest, EveryCommandHasItsRoutineOrSaysWhatItWaitsFor) {
  const std::vector<RowInTree> rows = RowsInTree();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TMenuRow& row = *rows[i].row;
    if (row.IsLine() || HasChildren(rows[i], i + 1 < rows.size() ? &rows[i + 1] : nullptr)) continue;
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(row.command || row.waitsFor != Built) << "a command with nothing to run";
    EXPECT_TRUE(row.handler[0]) << "a command without its routine's name";
    EXPECT_EQ(static_cast<bool>(MainForm->MenuItem(row.name)->OnClick), row.command != nullptr);
  }
}

TEST_F(MainMenusTest, NoTwoItemsOfAMenuShareTheirLetter) {
  std::function<void(const TMenuItem&)> check = [&](const TMenuItem& menu) {
    std::map<char, std::vector<std::string>> holders;
    for (int i = 0; i < menu.Count(); ++i) {
      const TMenuItem& item = *menu.Items(i);
      if (InWindowList(item)) continue;
      if (const char letter = Mnemonic(item.Caption())) holders[letter].push_back(item.Name);
      check(item);
    }
    const auto shared = kSharedLetters.find(menu.Name);
    for (const auto& [letter, items] : holders) {
      const bool mayShare = shared != kSharedLetters.end() && shared->second.count(letter) > 0;
      if (!mayShare) {
        EXPECT_EQ(items.size(), 1u) << "'" << letter << "' in " << (menu.Name.empty() ? "the menu bar" : menu.Name)
                                    << " is held by " << ::testing::PrintToString(items);
      }
    }
  };
  check(*MainForm->MainMenu->Items());
}

TEST_F(MainMenusTest, EachCommandIsEnabledByItsRuleAndTheRulesAboveIt) {
  Clipboard()->Open(NullWindow);
  Clipboard()->Clear();
  Clipboard()->Close();
  MainForm->MenuItem("OnlyTopMenuItem")->Checked = false;
  for (const State state : {NoScript, EmptyScript, WithBlock}) {
    SCOPED_TRACE(kStateNames[state]);
    Enter(state);
    Idle();
    for (const RowInTree& entry : RowsInTree()) {
      const TMenuRow& row = *entry.row;
      if (row.depth == 1 || row.IsLine()) continue;
      std::vector<TMenuRule> rules;
      for (const TMenuRow* above : entry.ancestors) rules.push_back(above->rule);
      rules.push_back(row.rule);
      const bool ruled = std::any_of(rules.begin(), rules.end(), [](TMenuRule r) { return r != TMenuRule::AsMenu; });
      // The other items are switched by what they belong to (the key menus by
      // their option), not by the state of the script.
      if (!ruled && row.waitsFor == Built) continue;
      const bool expected = row.waitsFor == Built &&
                            std::all_of(rules.begin(), rules.end(), [&](TMenuRule r) { return RuleHolds(r, state); });
      EXPECT_EQ(MainForm->MenuItem(row.name)->Enabled(), expected) << row.name;
    }
  }
}

TEST_F(MainMenusTest, TheKeyMenusHoldEveryLetterAndAreNeverShown) {
  std::vector<std::string> alphabet;
  for (char letter = 'A'; letter <= 'Z'; ++letter) alphabet.emplace_back(1, letter);
  EXPECT_EQ(Letters(*MainForm->MenuItem("AltKeysMenu")), alphabet);
  EXPECT_EQ(Letters(*MainForm->MenuItem("UserKeysMenu")), alphabet);
  EXPECT_EQ(Letters(*MainForm->MenuItem("NullKeysMenu")), alphabet);
  for (const char* hidden : {"AltKeysMenu", "UserKeysMenu", "HiddenMenu"})
    EXPECT_FALSE(MainForm->MenuItem(hidden)->Visible()) << hidden;
}

TEST_F(MainMenusTest, EachKeyBelongsToOneCommandButTheTwoTheTablesShare) {
  std::map<TShortCut, std::vector<std::string>> holders;
  std::set<std::string> names;
  for (const TMenuRow& row : MainMenuRows()) {
    if (row.name[0]) {
      EXPECT_TRUE(names.insert(row.name).second) << "two items named " << row.name;
    }
    if (row.shortCut[0]) {
      const TShortCut key = TextToShortCut(row.shortCut);
      EXPECT_NE(key, 0) << row.shortCut << " is no key";
      holders[key].push_back(row.name);
    }
  }
  const std::map<std::string, std::vector<std::string>> shared{
      {"Alt+F11", {"GraphLinksItem", "PageSelectItem"}},
      {"Ctrl+A", {"SelectAllItem", "InteractiveWizardItem"}},
  };
  for (const auto& [key, items] : holders) {
    const auto it = shared.find(ShortCutToText(key));
    if (it != shared.end()) {
      EXPECT_EQ(items, it->second);
    } else {
      EXPECT_EQ(items.size(), 1u) << ShortCutToText(key) << " is held by " << items.front() << " and others";
    }
  }
}

TEST_F(MainMenusTest, TheKeyboardLayoutOptionsChooseTheClipboardDeletionAndGotoKeys) {
  const auto key = [](const char* name) { return ShortCutToText(MainForm->MenuItem(name)->ShortCut); };
  TProgramOptions& o = *MainForm;
  o.CtrlKeyCutPaste = true;
  o.DeleteWordKeys = 2;
  o.DeleteLeftWordKeys = 0;
  o.DeleteToEolKeys = 9;  // out of range: left as it was
  o.GotoTopKeys = 1;
  o.GotoBottomKeys = 0;
  ApplyKeyboardLayout(o);
  EXPECT_EQ(key("CutItem"), "Ctrl+X");
  EXPECT_EQ(key("CopyItem"), "Ctrl+C");
  EXPECT_EQ(key("PasteItem"), "Ctrl+V");
  EXPECT_EQ(key("IndexCardItem"), "") << "Ctrl+V pastes now";
  EXPECT_EQ(key("DeleteWordItem"), "Alt+Del");
  EXPECT_EQ(key("DeleteLeftWordItem"), "");
  EXPECT_EQ(key("DeleteToEolItem"), "Ctrl+End");
  EXPECT_EQ(key("GotoTopItem"), "Ctrl+Home");
  EXPECT_EQ(key("AltGotoTopItem"), "Shift+Ctrl+Home");
  EXPECT_EQ(key("GotoBottomItem"), "");
  EXPECT_EQ(key("AltGotoBottomItem"), "");
  o.CtrlKeyCutPaste = false;
  ApplyKeyboardLayout(o);
  EXPECT_EQ(key("CutItem"), "Shift+Del");
  EXPECT_EQ(key("IndexCardItem"), "Ctrl+V");
}

// Ctrl+Insert, Shift+Delete and Shift+Insert copy, cut and paste once
// whichever keys the layout gives the menu items; Ctrl+S saves when the
// writer asked for it.
TEST_F(MainMenusTest, TheClipboardKeysWorkInEitherLayoutAndCtrlSCanSave) {
  TProgramOptions& o = *MainForm;
  for (const bool ctrlKeys : {true, false}) {
    SCOPED_TRACE(ctrlKeys ? "Ctrl keys" : "Shift and Ins keys");
    o.CtrlKeyCutPaste = ctrlKeys;
    ApplyKeyboardLayout(o);
    Enter(WithBlock);
    MainForm->UpdateMenusAndButtons();
    Press(VK_INSERT, ssCtrl);
    EXPECT_EQ(Clipboard()->AsText(), "two\r\n");
    EXPECT_EQ(W().EditBuffer(), "One two three.");
    Clipboard()->SetAsText("");
    Enter(WithBlock);
    MainForm->UpdateMenusAndButtons();
    Press(VK_DELETE, ssShift);
    EXPECT_EQ(Clipboard()->AsText(), "two\r\n");
    EXPECT_EQ(W().EditBuffer(), "One  three.");
    MainForm->UpdateMenusAndButtons();
    Press(VK_INSERT, ssShift);
    EXPECT_EQ(W().EditBuffer(), "One two three.") << "pasted once";
  }
  o.ControlSIsSave = true;
  const std::string file = ScriptDirectory + "/SAVED.QMW";
  Enter(EmptyScript);
  W().ScriptFileName = file;
  TypeText("x");
  MainForm->UpdateMenusAndButtons();
  Press('S', ssCtrl);
  EXPECT_TRUE(FileExists(file));
  EXPECT_EQ(W().DocumentModified, 0);
  EXPECT_EQ(Elements().size(), 1u) << "no scene heading";
  o.ControlSIsSave = false;
}

// The clipboard buttons' hints name the keys the layout gives them, and a
// Goto key switched off takes its Shift twin out of use.
TEST_F(MainMenusTest, TheKeyboardLayoutNamesItsKeysOnTheButtons) {
  TProgramOptions& o = *MainForm;
  const auto hint = [](const char* name) { return MainForm->ToolBar().Button(name)->Hint(); };
  const auto enabled = [](const char* name) { return MainForm->MenuItem(name)->Enabled(); };
  const struct {
    bool ctrlKeys;
    Byte top, bottom;
    const char *cut, *copy, *paste, *cards;
  } cases[] = {
      {true, 0, 2, "Cut|Quick Key: <CTRL+X>", "Copy|Quick Key: <CTRL+C>", "Paste|Quick Key: <CTRL+V>",
       "Index Card View|View as Index Card Mode"},
      {false, 3, 0, "Cut|Quick Key: <SHIFT+DEL>", "Copy|Quick Key: <CTRL+INS>", "Paste|Quick Key: <SHIFT+INS>",
       "Index Card View|Quick Key: <CTRL+V>"},
      {true, 1, 1, "Cut|Quick Key: <CTRL+X>", "Copy|Quick Key: <CTRL+C>", "Paste|Quick Key: <CTRL+V>",
       "Index Card View|View as Index Card Mode"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ctrlKeys ? "Ctrl keys" : "Shift and Ins keys");
    o.CtrlKeyCutPaste = c.ctrlKeys;
    o.GotoTopKeys = c.top;
    o.GotoBottomKeys = c.bottom;
    ApplyKeyboardLayout(o);
    EXPECT_EQ(hint("CutBtn"), c.cut);
    EXPECT_EQ(hint("CopyBtn"), c.copy);
    EXPECT_EQ(hint("PasteBtn"), c.paste);
    EXPECT_EQ(hint("IndexCardBtn"), c.cards);
    EXPECT_EQ(enabled("AltGotoTopItem"), c.top != 0);
    EXPECT_EQ(enabled("AltGotoBottomItem"), c.bottom != 0);
  }
}

TEST_F(MainMenusTest, AKeySharedByTwoCommandsGoesToTheOneThatCanBeUsed) {
  // Select All comes first and keeps Ctrl+A; while it cannot be used the
  // key goes on to the next usable holder.
  TMenuItem* selectAll = MainForm->MenuItem("SelectAllItem");
  TMenuItem* wizard = MainForm->MenuItem("InteractiveWizardItem");
  int selectAllClicks = 0, wizardClicks = 0;
  selectAll->OnClick = [&](TObject*) { ++selectAllClicks; };
  wizard->OnClick = [&](TObject*) { ++wizardClicks; };
  const TShortCut ctrlA = ShortCut('A', ssCtrl);
  selectAll->Enabled = true;
  wizard->Enabled = true;
  EXPECT_TRUE(MainForm->MainMenu->IsShortCut(ctrlA));
  EXPECT_EQ(selectAllClicks, 1);
  selectAll->Enabled = false;
  EXPECT_TRUE(MainForm->MainMenu->IsShortCut(ctrlA));
  EXPECT_EQ(wizardClicks, 1);
}

TEST_F(MainMenusTest, CommandsWithoutTheirRoutineAreDisabledAndTheOthersAnswer) {
  for (const TMenuRow& row : MainMenuRows()) {
    TMenuItem* item = MainForm->MenuItem(row.name);
    if (!row.name[0] || row.IsLine()) continue;
    ASSERT_NE(item, nullptr) << row.name;
    if (row.command) {
      EXPECT_TRUE(item->OnClick) << row.name;
    } else if (row.handler[0]) {
      EXPECT_FALSE(item->OnClick) << row.name;
      EXPECT_NE(row.waitsFor, Built) << row.name << " has no routine and waits for nothing";
    }
  }
}

struct EnabledCase {
  const char* item;
  bool enabled[StateCount];
};

TEST_F(MainMenusTest, CommandsAreEnabledByTheStateOfTheActiveScript) {
  // clang-format off
  const std::vector<EnabledCase> cases = {
      {"FileNewItem", {1, 1, 1, 1, 1}},       {"FileOpenItem", {1, 1, 1, 1, 1}},
      {"CloseFileItem", {0, 1, 1, 1, 1}},     {"FileSaveItem", {0, 1, 1, 1, 0}},
      {"FileSaveAsItem", {0, 1, 1, 1, 0}},    {"FileSaveAllItem", {0, 1, 1, 1, 0}},
      {"HideElementsItem", {0, 1, 1, 1, 1}},  {"BackuptoFloppyItem", {0, 1, 1, 1, 0}},
      {"ADriveItem", {0, 1, 1, 1, 0}},        {"PrintItem", {0, 1, 1, 1, 1}},
      {"ExitQuillmasterItem", {1, 1, 1, 1, 1}},
      {"PastefromItem", {0, 1, 1, 1, 1}},     {"AddHardReturnItem", {0, 1, 1, 1, 1}},
      {"CopyToMainItem", {0, 0, 1, 0, 0}},    {"CuttoMainItem", {0, 0, 1, 0, 0}},
      {"CutItem", {0, 0, 1, 0, 0}},           {"SelectAllItem", {0, 1, 1, 1, 0}},
      {"SelectSpecialItem", {0, 1, 1, 1, 0}}, {"UndoItem", {0, 0, 0, 0, 0}},
      {"Screenplay1", {0, 1, 1, 1, 0}},       {"RepaginateNowItem", {0, 1, 1, 1, 0}},
      {"EditUserListsItem", {0, 1, 1, 1, 0}}, {"LastPositionItem", {0, 1, 1, 1, 1}},
      {"SearchItem", {0, 1, 1, 1, 1}},        {"WindowTileItem", {0, 1, 1, 1, 1}},
      {"SearchandReplaceItem", {0, 1, 1, 1, 0}},
      {"RedisplayScreenItem", {0, 1, 1, 1, 1}}, {"MemoryAvailItem", {1, 1, 1, 1, 1}},
      {"About1", {1, 1, 1, 1, 1}},            {"ConfigurationWizard1", {1, 1, 1, 1, 1}},
      {"LockScriptItem", {0, 1, 1, 0, 0}},    {"UnlockScriptItem", {0, 0, 0, 1, 0}},
      {"BoldItem", {1, 1, 1, 1, 1}},          {"AlternateUndo", {1, 1, 1, 1, 1}},
      {"CapitalizeWordItem", {0, 1, 0, 1, 0}}, {"KeepElementTogetherItem", {0, 1, 1, 1, 0}},
      {"HideActionItem", {0, 1, 1, 1, 1}},
  };
  // clang-format on
  for (int state = NoScript; state < StateCount; ++state) {
    SCOPED_TRACE(kStateNames[state]);
    Enter(static_cast<State>(state));
    Idle();
    for (const EnabledCase& c : cases) EXPECT_EQ(MainForm->MenuItem(c.item)->Enabled(), c.enabled[state]) << c.item;
    for (const TMenuRow& row : MainMenuRows()) {
      if (row.waitsFor != Built) {
        EXPECT_FALSE(MainForm->MenuItem(row.name)->Enabled()) << row.name;
      }
    }
  }
}

TEST_F(MainMenusTest, UndoAndRedoFollowTheRing) {
  Load({{ekAction, "v0"}});
  Idle();
  EXPECT_FALSE(MainForm->UndoItem->Enabled());
  SaveUndoStep(ukDelete, false, true, 0);
  editor::SetEditText(W(), "v1");
  Idle();
  EXPECT_TRUE(MainForm->UndoItem->Enabled());
  EXPECT_FALSE(MainForm->RedoItem->Enabled());
  MainForm->UndoItem->Click();
  Idle();
  EXPECT_TRUE(MainForm->RedoItem->Enabled());
}

TEST_F(MainMenusTest, InteractiveCommandsShowOnlyForAnInteractiveScript) {
  for (const bool interactive : {false, true}) {
    W().InteractiveScript = interactive;
    Idle();
    for (const char* name : {"GraphLinksItem", "PlayMultimediaScriptItem", "MMBar", "RenumberBTargetsItem"})
      EXPECT_EQ(MainForm->MenuItem(name)->Visible(), interactive) << name;
  }
}

TEST_F(MainMenusTest, WithAltKeysTheTopMenusLoseTheirAcceleratorsAndTheLettersAreArmed) {
  for (const bool on : {true, false}) {
    SCOPED_TRACE(on ? "Use AltKeys on" : "Use AltKeys off");
    MainForm->UseAltKeys = on;
    SetAltKeyShortCuts(on);
    EXPECT_EQ(MainForm->FileMenu->Caption(), on ? " File" : " &File");
    EXPECT_EQ(MainForm->MenuItem("FormatMenu")->Caption(), on ? " Format" : " For&mat");
    EXPECT_EQ(MainForm->MenuItem("AltKeyFItem")->Enabled(), on);
    EXPECT_EQ(MainForm->MenuItem("AltKeyFItem")->ShortCut(), on ? ShortCut('F', ssAlt) : TShortCut{0});
  }
}

}  // namespace
}  // namespace qm
