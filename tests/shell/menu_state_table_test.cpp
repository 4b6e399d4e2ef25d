// The menu refresh's rules for the right panel, the unlocking of a
// revision-mark level and the storyboard links item: each follows the
// active script at the next idle moment.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "files/native_file.h"
#include "platform/menus.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/right_panel.h"
#include "support/message_box_answers.h"

namespace qm {
namespace {

class MenuStateTableTest : public testing::KeysFixture {
 protected:
  void Idle() {
    bool done = false;
    MainForm->AppIdle(nullptr, done);
  }
  TMenuItem& Item(const char* name) { return *MainForm->MenuItem(name); }
  bool PanelShown() { return MainForm->RightPanel().RightPanel->Visible(); }
  // Each item clicked as a writer would, with no save question between.
  void ClickInTurn(const std::vector<const char*>& items) {
    for (const char* item : items) {
      if (DocumentCount > 0) W().DocumentModified = 0;
      Item(item).Click();
      Application->ProcessMessages();
    }
  }
};

// The right panel shows only while a script is open, its display option is
// on and the menus are not the top menu alone.
TEST_F(MenuStateTableTest, TheRightPanelShowsOnlyWhileAScriptIsOpen) {
  // clang-format off
  const struct {
    const char* step;
    std::vector<const char*> clicks;  // menu items, in turn
    bool shown;
  } steps[] = {
      {"a script open", {}, true},
      {"the last script closed", {"CloseFileItem"}, false},
      {"the option switched off and on with no script", {"RightSpeedbarItem", "RightSpeedbarItem"}, false},
      {"a new script", {"FileNewItem"}, true},
      {"the option off", {"RightSpeedbarItem"}, false},
      {"the option on", {"RightSpeedbarItem"}, true},
      {"only the top menu", {"OnlyTopMenuItem"}, false},
      {"all the bars again", {"OnlyTopMenuItem"}, true},
  };
  // clang-format on
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    ClickInTurn(s.clicks);
    Idle();
    EXPECT_EQ(PanelShown(), s.shown);
  }
}

// The bars' items wait for the menus to be more than the top menu, and
// Show Scene Pilot also for the element buttons it sits among; with a
// script open or none.
TEST_F(MenuStateTableTest, TheBarsItemsFollowTheTopMenuAndTheElementButtons) {
  // clang-format off
  const struct {
    const char* step;
    std::vector<const char*> clicks;  // menu items, in turn
    bool pilot;                       // Show Scene Pilot enabled
    bool bars;                        // the four bar items enabled
  } steps[] = {
      {"all the bars", {}, true, true},
      {"the element buttons off", {"RightEButtonsItem"}, false, true},
      {"the element buttons on", {"RightEButtonsItem"}, true, true},
      {"only the top menu", {"OnlyTopMenuItem"}, false, false},
      {"all the bars again", {"OnlyTopMenuItem"}, true, true},
      {"no script open", {"CloseFileItem"}, true, true},
      {"no script, only the top menu", {"OnlyTopMenuItem"}, false, false},
      {"no script, all the bars", {"OnlyTopMenuItem"}, true, true},
      {"no script, the element buttons off", {"RightEButtonsItem"}, false, true},
  };
  // clang-format on
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    ClickInTurn(s.clicks);
    Idle();
    Idle();
    EXPECT_EQ(Item("SceneGuideItem").Enabled(), s.pilot);
    for (const char* bar : {"DisplaySpeedbarItem", "BottomSpeedItem", "RightSpeedbarItem", "RightEButtonsItem"})
      EXPECT_EQ(Item(bar).Enabled(), s.bars) << bar;
  }
}

// Multi-Lock's two items are ticked while the active script's scenes
// (pages) are multi-locked.
TEST_F(MenuStateTableTest, TheMultiLockItemsAreTickedByTheActiveScript) {
  const auto lock = [this] {
    W().PagesLocked = W().ScenesLocked = 1;
    W().SetFocus();
  };
  lock();
  const struct {
    const char* step;
    const char* click;    // a Multi-Lock item; null: a new script, "" the first again
    const char* message;  // what the command reports
    bool scenes;          // the items' ticks after it
    bool pages;
  } steps[] = {
      {"scenes multi-locked", "MultiLockScenesItem", "Scenes are now Multi-Locked.", true, false},
      {"pages too", "MultiLockPagesItem", "Pages are now Multi-Locked.", true, true},
      {"another locked script", nullptr, nullptr, false, false},
      {"back to the first", "", nullptr, true, true},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    if (!s.click) {
      MainForm->FileNewItem->Click();
      lock();
    } else if (s.message) {
      ExpectBox(s.message, mrOk);
      Item(s.click).Click();
    } else {
      MainForm->SwitchDocumentItem(MainForm->DocItems[0]);
    }
    Idle();
    EXPECT_EQ(Item("MultiLockScenesItem").Checked(), s.scenes);
    EXPECT_EQ(Item("MultiLockPagesItem").Checked(), s.pages);
  }
}

// Unlock One Rev. Mark Level can be used only while the script has a
// locked level to take away.
TEST_F(MenuStateTableTest, UnlockingALevelWaitsForALockedLevel) {
  Options().ExpertPrompting = true;
  TMenuItem& unlock = Item("UnlockRevMarkLevelItem");
  W().SetFocus();
  TypeText("He waits.");
  Idle();
  EXPECT_FALSE(unlock.Enabled()) << "a new script has no locked level";

  ExpectBox("You are now at Asterisk Locking Level 2", mrOk);
  Item("LockRevMarksItem").Click();
  Idle();
  EXPECT_TRUE(unlock.Enabled()) << "after a lock";

  Driver().Expect([](TForm& box) { testing::AnswerTypeYes(box, true); });
  ExpectBox("You are now at Asterisk Locking Level 1", mrOk);
  unlock.Click();
  Idle();
  EXPECT_FALSE(unlock.Enabled()) << "the one level taken away";
  EXPECT_EQ(Driver().Pending(), 0);

  // Another script keeps its own levels.
  ExpectBox("You are now at Asterisk Locking Level 2", mrOk);
  Item("LockRevMarksItem").Click();
  MainForm->FileNewItem->Click();
  W().SetFocus();
  TypeText("She waits.");
  Idle();
  EXPECT_FALSE(unlock.Enabled()) << "a second script without levels";
  MainForm->SwitchDocumentItem(MainForm->DocItems[0]);
  Idle();
  EXPECT_TRUE(unlock.Enabled()) << "back in the locked script";
}

// A script whose text holds a locked level, opened into the empty window
// the program starts with, can have that level taken away.
TEST_F(MenuStateTableTest, AScriptOpenedIntoTheEmptyWindowBringsItsLevel) {
  const std::string path = ScriptDirectory + "/LOCKED.QMW";
  Load({{ekAction, "\x1BHe waits."}}, 0);
  ASSERT_TRUE(SaveScriptFile(path, false, true));
  W().DocumentModified = 0;
  MainForm->CloseFileItem->Click();
  MainForm->FileNewItem->Click();
  Idle();
  ASSERT_FALSE(Item("UnlockRevMarkLevelItem").Enabled());
  testing::ChooseFile(Driver(), path, 1);
  MainForm->FileOpenItem->Click();
  ASSERT_EQ(DocumentCount, 1) << "opened into the empty window";
  Idle();
  EXPECT_TRUE(Item("UnlockRevMarkLevelItem").Enabled());
}

// StoryBoard Links and its separator show only in a script linked to
// storyboard frames; its tick, and that of the item under Unhide, say
// whether that script hides its links.
TEST_F(MenuStateTableTest, TheStoryboardLinksItemFollowsTheActiveScript) {
  const struct {
    const char* script;
    int frames;  // frame ids beside entry 0
    bool hidden;
  } scripts[] = {{"no links", 0, false}, {"links shown", 2, false}, {"links hidden", 1, true}};
  for (std::size_t i = 0; i < std::size(scripts); ++i) {
    if (i > 0) MainForm->FileNewItem->Click();
    W().StoryboardLinks.Clear();
    W().StoryboardLinks.Add("0");
    for (int f = 1; f <= scripts[i].frames; ++f) W().StoryboardLinks.Add(std::to_string(f * 7));
    W().HideStoryboardLinks = scripts[i].hidden ? 1 : 0;
  }
  ASSERT_NE(MainForm->MenuItem("SBLinksBar"), nullptr) << "the item's separator";
  // Each script in turn, from the Window menu.
  for (const int slot : {1, 2, 3, 1, 3}) {
    const auto& s = scripts[static_cast<std::size_t>(slot - 1)];
    SCOPED_TRACE(s.script);
    MainForm->SwitchDocumentItem(MainForm->DocItems[slot - 1]);
    Idle();
    ASSERT_EQ(ActiveDocument, slot);
    EXPECT_EQ(Item("HideSBLinksItem").Visible(), s.frames > 0);
    EXPECT_EQ(Item("SBLinksBar").Visible(), s.frames > 0);
    EXPECT_EQ(Item("HideSBLinksItem").Checked(), s.hidden);
    EXPECT_EQ(Item("AltHideSBLinksItem").Checked(), s.hidden);
  }
  // The item's own click ticks both in the script it hides.
  Item("HideSBLinksItem").Click();
  Idle();
  EXPECT_FALSE(W().HideStoryboardLinks);
  EXPECT_FALSE(Item("HideSBLinksItem").Checked());
  EXPECT_FALSE(Item("AltHideSBLinksItem").Checked());
}

}  // namespace
}  // namespace qm
