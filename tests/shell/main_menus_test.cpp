// The main window's menus: the whole tree with its captions and keys, and
// which commands may be used in each state of the active script.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "base/document_table.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/menu_table.h"
#include "shell/program_settings.h"
#include "script/editing/document_modified.h"
#include "script/fixtures/keys_fixture.h"

namespace qm {
namespace {

using testing::ElementSpec;

// Every menu as the writer sees it, from the command tables: the captions
// with their accelerators, and the keys in brackets (the keyboard-layout
// options at their defaults). The separators, the
// window list and the letter menus (AltKeys and UserKeys) are left out here.
constexpr const char* kTree = R"( &File
  &New
  &Open  [Shift+F10]
  &Close  [Ctrl+F4]
  &Save  [F7]
  Save &As...  [F10]
  Sav&e All Open Scripts  [Ctrl+F7]
  &Backup Script to Floppy
    Drive &A:\
    Drive &B:\
  &Header Setup...
  Title Page P&ublisher...
  Page &Layout...
  Print Pre&view...
  &Print...  [Ctrl+P]
  Prin&ter Setup...
  Pro&gram Options...
  &Display Options
    &Only Show Top Menu
    Show &Hints
    &Scroll Hints When Needed
    &Always Show Boxes around Buttons
    Setup &Font for Menus
    Show &Top Speedbar
    &Edit Top Speed Bar
    &Show Status Bar
    S&cene Count
    &Act/Scene Info
    Show &Right Speed Bar
    Show &Element Buttons
    Show Scene &Pilot
    Show &Ruler
    &Zoom Screen Text...
    Show &Format Codes  [Alt+F3]
    &Clear File History List
    Set Screen C&olors
  H&ide Elements on Screen
    &Action
    &Character/Dialogue
    &Scene Headings
    Script &Notes
      &All Colors
      All Colors &Except...
    Non-&Printing Text
    StoryBoard &Links
    &Unhide
      &Normally Displayed Elements
      &Script Notes
      All Script Notes &Except...
      Non-&Printing Text
      StoryBoard &Links
  Graph &Branch Points  [Alt+F11]
  Pla&y Multimedia Script
  &1 
  &2 
  &3 
  E&xit  [Alt+F4]
 &Edit
  &Undo  [Alt+Bksp]
  R&edo  [Ctrl+Alt+Bksp]
  Cu&t  [Shift+Del]
  &Copy  [Ctrl+Ins]
  &Delete
  &Paste  [Shift+Ins]
  Paste &from...
  Cop&y to...
    &New File
    &Existing File
    &Scrap File  [Shift+Alt+C]
  Cut t&o...
    &New File
    &Existing File
    &Scrap File  [Shift+Alt+X]
  Select &All  [Ctrl+A]
  Select &Special
    &Word  [Alt+F5]
    &Sentence  [Alt+F7]
    &Element  [Alt+F8]
    &Group  [Alt+F10]
    &Page  [Alt+F11]
    S&cene  [Alt+F12]
    Scene &Range
    E&xtend Selection...
  Turn off Bloc&k
  Add Forced Page &Break  [Shift+Enter]
  &Remove Forced Page
  Add &Hard Return  [Alt+Enter]
  Add D&ialogue Paragraph  [Ctrl+Alt+D]
  Con&vert case
    &Uppercase
    &Lowercase
    &Initial Capitals
    Capitalize &Word  [F12]
    Cap && &Bold Word  [Ctrl+F12]
    Lowercase W&ord  [Shift+F12]
  Change Text Co&lor
    &Blue
    &Red
    &Green
    &User Defined...
    Blac&k
 For&mat
  &Edit Script Formats...
  &Load Script Format
    &Screenplay
    Si&tcom Version I
    Sit&com Version II
    Stage &Play
    &Multimedia (for CD ROM, etc.)
    &User Defined
    &From a Quillmaster Script
  &Save Script Format
    &Screenplay
    Si&tcom Version I
    Sit&com Version II
    Stage &Play
    &Multimedia (for CD ROM, etc.)
    &All New Scripts
    &User Defined
  Edit &User Lists...
  L&oad User Lists from
    Quillmaster &Script
    &ASCII List
    &Collaborator
    &StoryDev
    &Original Defaults
  Hide &Names in Pop-Up List...
  H&ide  Locations in Pop-Up List...
  &Cheat
    &Element  [F3]
    &Page
    &Script
    &The Government
    &Keep Element Together  [Ctrl+K]
    Keep &Group Together  [Ctrl+Alt+K]
    Keep With &Following
    &Mark as Non-Printing  [Ctrl+Alt+X]
    Normal &WP Mode  [Ctrl+W]
  &Reset Cheated
    &Element
    &Page
    &Script
    &Unmark as Non-Printing  [Ctrl+Alt+Y]
  C&hange Element Type
    &Pop Down List  [F4]
    &Left Column  [Ctrl+1]
    &Right Column  [Ctrl+2]
    &Normal (Full Width)  [Ctrl+0]
    &Set Column Margins
  Re&paginate Now  [Ctrl+R]
  Run S&martCheck
  Renumber all &Branch Targets
  Scene Character Lists
    &Generate
    &Remove
  &Mark One Character's Dialogue
 &Search
  &Search  [F2]
  Search && &Replace  [Alt+F2]
  Search &Again  [Shift+F2]
  &Change Character Name
  Convert to &Gibberish
 &Goto
  &Top  [Ctrl+Alt+Home]
  &Bottom  [Ctrl+Alt+End]
  &Page  [Ctrl+G]
  &Scene
  Act&/Scene Info
  Pre&vious Scene Heading  [Ctrl+Alt+Up]
  Ne&xt Scene Heading  [Ctrl+Alt+Down]
  Next Script N&ote
  Next &Hidden Text
  Next &A-Page
  Next Forced Page Brea&k
  &Next Speech by...
  Next Current &Revision Mark
  Next Strikeout or &Colored Text  [Shift+F3]
  &Last Position  [Alt+Home]
  Book&mark...  [Ctrl+Alt+B]
 S&pell
  &Word  [Ctrl+L]
  &Element
  &Page
  &Forwards
  Entire &Script
  &Count Words
  &Thesaurus  [F5]
  Word We&b  [Ctrl+F5]
  Mac&quarie Concise
  Check &Homonyms
  Pause &Autocorrection  [Ctrl+Alt+S]
  Clear &Ignore List
  Change &Dictionary
  Select &Language
  Edit &User Dictionary
 &Window
  &Cascade
  &Tile
  &Arrange Icons
  &Minimize All
  Ma&ximize
  &View As Index Cards  [Ctrl+V]
  Redra&w Screen
 &Help
  &Contents  [F1]
  Search &for Help on...
  &Quick Help  [Alt+F1]
  &Memory Available
  Ca&lendar
  &Name Bank...  [Ctrl+Alt+N]
  Script Anal&ysis
  C&ompare Two Scripts
  Configuration &Wizard
  Character &Set
  &About...
 P&roduction
  &Lock The Script
  &Unlock The Script
  Mult&i-Lock
    &Scenes
    &Pages
  Start &Next Revision
  Set Revision &Draft Color
  Se&tup Draft Information
  &Fix or Flex...
    &Fix All A-Pages
    F&lex All A-Pages
    F&ix (Lock) All Headers
    Fle&x All Headers
    &Unlock Headers
  &Auto-Revision...
    &Marks
    &Colors
      &Blue
      &Red
      &Green
      &User Defined Color...
      Turn Revision Color &Off
  &Remove...
    &Current Revision Marks
    &Strikeout Codes and/or Text
    &Red Highlights
    &Blue Highlights
    &Green Highlights
    &User Defined Color Highlights
    &All OMITTED Scene Headings
    Scene &Heading w/o OMITTED
    &Locked Page Break
  &Override
    &Page's Header/Draft Color
    Page &Break Type
    &Element's Numbering
  &Breakdowns
    &Tagging Mode
    &Edit Categories
    Tag Item &Globally
    &Untag All Items
    &Setup Duplicate Names...
    Setup &Duplicate Locations...
    &Associate Items with Names
    Associate Items with &Locations
    &ShootPlan Scheduling Export
    Print &Standard Breakdowns
    La&yout Breakdown Sheets
    E&dit Breakdown Sheets
    &Print Breakdown Sheets
  T&V Breakdowns
    &Generate Rundown Sheet
    &Print Set List
    Scene Character Lists
      &Generate
      &Remove
  Animation Loc&king
    Loc&k Current Rev. Marks
    U&nlock One Rev. Mark Level
    &Print Numbering in Script
    &Lock Dialogue Numbering
    &Unlock Dialogue Numbering
    &Adjust Dialogue Numbering  [Ctrl+F3]
  Stor&yBoard Linking
    &Create New Frame
    &Assign Text to Existing Frame
    Clear &Links to Frame(s)
    &Hide All Link Brackets
  &Production Solutions
    &Merge Text into Script
    &General Techniques...
    &Scene Headings
    &Page Breaks
    &Headers
    Manual &Overrides
    Temporarily &Disable
      Locking of &Pages
      Locking of &Scenes
Hidden
  Make Title  [Shift+F6]
  Delete Word  [Ctrl+Del]
  Delete Left Word  [Ctrl+Bksp]
  Delete To End of Line  [Ctrl+End]
  Underline  [F8]
  Bold  [F6]
  Italics  [F9]
  StrikeOut  [F11]
  ProducerHelp  [Ctrl+Alt+H]
  Alternate Print  [Shift+F7]
  Interactive Wizard  [Ctrl+A]
  Clear ClipBoard/Undo  [Shift+Ctrl+Alt+6]
  QuickEntry  [Ctrl+Q]
  Quick Entry Setup  [Ctrl+Alt+Q]
  Prev Scene  [Shift+Ctrl+Alt+Up]
  Next Scene  [Shift+Ctrl+Alt+Down]
  AlternateUndo  [Ctrl+Z]
  StraightText  [Ctrl+J]
  Alt Search  [Ctrl+F]
  CutToEol
  Hard Space  [Ctrl+Alt+Space]
  Alt Goto Top  [Shift+Ctrl+Alt+Home]
  Alt Goto Bottom  [Shift+Ctrl+Alt+End]
)";

class MainMenusTest : public testing::KeysFixture {
 protected:
  static void Walk(const TMenuItem& parent, int depth, std::ostringstream& out) {
    for (int i = 0; i < parent.Count(); ++i) {
      const TMenuItem& item = *parent.Items(i);
      if (item.IsLine() || item.Name.rfind("Doc", 0) == 0) continue;
      if (depth == 0 && (item.Name == "AltKeysMenu" || item.Name == "UserKeysMenu")) continue;
      const std::string key = ShortCutToText(item.ShortCut);
      out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << item.Caption()
          << (key.empty() ? "" : "  [" + key + "]") << "\n";
      Walk(item, depth + 1, out);
    }
  }
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
};

TEST_F(MainMenusTest, EveryMenuHasTheCommandsOfTheTablesWithTheirCaptionsAndKeys) {
  std::ostringstream walked;
  Walk(*MainForm->MainMenu->Items(), 0, walked);
  EXPECT_EQ(walked.str(), kTree);

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

// The states a script can be in, and which commands each allows.
enum State { NoScript, EmptyScript, WithBlock, Locked, ReadOnly, StateCount };
const char* const kStateNames[] = {"no script", "empty script", "script with a block", "locked script",
                                   "read-only script"};

struct EnabledCase {
  const char* item;
  bool enabled[StateCount];
};

TEST_F(MainMenusTest, CommandsAreEnabledByTheStateOfTheActiveScript) {
  const std::vector<EnabledCase> cases = {
      {"FileNewItem", {1, 1, 1, 1, 1}},       {"FileOpenItem", {1, 1, 1, 1, 1}},
      {"CloseFileItem", {0, 1, 1, 1, 1}},     {"FileSaveItem", {0, 1, 1, 1, 0}},
      {"FileSaveAsItem", {0, 1, 1, 1, 0}},    {"FileSaveAllItem", {0, 1, 1, 1, 0}},
      {"HideElementsItem", {0, 1, 1, 1, 1}},  {"BackuptoFloppyItem", {0, 1, 1, 1, 0}},
      {"ADriveItem", {0, 0, 0, 0, 0}},        {"PrintItem", {0, 1, 1, 1, 1}},
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
  for (int state = NoScript; state < StateCount; ++state) {
    SCOPED_TRACE(kStateNames[state]);
    if (state == NoScript) {
      MainForm->CloseFileItem->Click();
      ASSERT_EQ(DocumentCount, 0);
    } else {
      if (DocumentCount == 0) MainForm->FileNewItem->Click();
      TMDIChild& w = W();
      Load({{ekAction, "One two three."}});
      w.BlockOn = state == WithBlock;
      if (state == WithBlock) {
        w.CurrentElement->blockStart = 4;
        w.CurrentElement->blockEnd = 7;
      }
      w.PagesLocked = w.ScenesLocked = state == Locked;
      w.Editable = state != ReadOnly;
    }
    Idle();
    for (const EnabledCase& c : cases)
      EXPECT_EQ(MainForm->MenuItem(c.item)->Enabled(), c.enabled[state]) << c.item;
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
  W().EditBuffer = "v1";
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
