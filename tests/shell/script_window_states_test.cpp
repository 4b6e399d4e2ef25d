// The script window's own states as the writer meets them: a paused lock
// ends when the writer leaves the window, maximising or restoring one
// window does it to all, a read-only script says why typing does nothing,
// and the Pause items are offered only when there is a lock to pause.
#include <gtest/gtest.h>

#include "base/program_options.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/messages.h"
#include "script/editing/edit_line.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

class ScriptWindowStatesTest : public testing::ProgramFixture {
 protected:
  TMenuItem* Item(const char* name) { return MainForm->MenuItem(name); }
};

TEST_F(ScriptWindowStatesTest, LeavingAWindowEndsAPausedLock) {
  const struct {
    const char* what;
    const char* item;
    bool pages;
  } cases[] = {{"pages", "PausePageLockingItem", true}, {"scenes", "PauseSceneLockingItem", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TMDIChild& first = Script();
    first.SetFocus();
    // Locked, then paused through the item (the type-YES question and the
    // notice answered).
    (c.pages ? first.PagesLocked : first.ScenesLocked) = 1;
    MainForm->UpdateMenusAndButtons();
    Driver().Expect([](TForm& box) { testing::AnswerTypeYes(box, true); }, "type YES");
    testing::AnswerMessageBox(
        Driver(), std::string("The locking of ") + (c.pages ? "Pages" : "Scenes") + " has been temporarily disabled.",
        mrOk);
    Item(c.item)->Click();
    ASSERT_TRUE(Item(c.item)->Checked());
    ASSERT_EQ(c.pages ? first.PagesLocked : first.ScenesLocked, 0);

    MainForm->FileNewItem->Click();
    ASSERT_NE(&Script(), &first);
    EXPECT_EQ(c.pages ? first.PagesLocked : first.ScenesLocked, 1) << "locked again once left";
    EXPECT_FALSE(Item("PausePageLockingItem")->Checked());
    EXPECT_FALSE(Item("PauseSceneLockingItem")->Checked());
  }
}

TEST_F(ScriptWindowStatesTest, MaximisingOrRestoringOneWindowDoesItToAll) {
  TMDIChild& first = Script();
  MainForm->FileNewItem->Click();
  TMDIChild& second = Script();
  ASSERT_NE(&first, &second);
  const struct {
    unsigned command;
    TWindowState first, second;
  } cases[] = {
      {SC_MAXIMIZE, TWindowState::wsMaximized, TWindowState::wsMaximized},
      {SC_RESTORE, TWindowState::wsNormal, TWindowState::wsNormal},
      {SC_MINIMIZE, TWindowState::wsNormal, TWindowState::wsMinimized},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    second.Perform(WM_SYSCOMMAND, c.command, 0);
    EXPECT_EQ(first.WindowState(), c.first);
    EXPECT_EQ(second.WindowState(), c.second);
  }
}

// A script shown only as its icon takes no key by any road: each key typed
// at it, the command keys of the main menu among them, leaves the text
// whole, the caret where it was and the window an icon (a typed character
// beeps, as the desktop's icons do, Backspace, Tab and Enter among them).
// Restored, it takes the keys again.
TEST_F(ScriptWindowStatesTest, AScriptShownAsItsIconTakesNoKeyByAnyRoad) {
  TMDIChild& script = Script();
  MainForm->FileNewItem->Click();
  TMDIChild& other = Script();
  script.SetFocus();
  TypeText("INT. HALL - DAY");
  ASSERT_EQ(&Script(), &script);
  const Word caret = script.CaretColumn();
  const struct {
    const char* what;
    Word key;
    TShiftState shift;
    char typed;
    bool beeps;
  } keys[] = {
      {"a letter", 'X', {}, 'x', true},
      {"a capital", 'Q', ssShift, 'Q', true},
      {"a blank", VK_SPACE, {}, ' ', true},
      {"Down", VK_DOWN, {}, 0, false},
      {"Home", VK_HOME, {}, 0, false},
      {"Backspace", VK_BACK, {}, 0, true},
      {"Delete", VK_DELETE, {}, 0, false},
      {"Tab", VK_TAB, {}, 0, true},
      {"Ctrl+Left", VK_LEFT, ssCtrl, 0, false},
      {"Enter", VK_RETURN, {}, '\r', true},
      {"Ctrl+Z, Undo", 'Z', ssCtrl, 0, true},
      {"Alt+Backspace, Undo", VK_BACK, ssAlt, 0, false},
      {"Shift+Enter, a page break", VK_RETURN, ssShift, 0, true},
      {"Ctrl+A, Select All", 'A', ssCtrl, 0, true},
  };
  for (const auto& k : keys) {
    SCOPED_TRACE(k.what);
    script.Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Backend().ClearSounds();
    SendKey(k.key, k.shift, k.typed);
    EXPECT_EQ(script.WindowState(), TWindowState::wsMinimized);
    EXPECT_EQ(script.EditBuffer(), "INT. HALL - DAY");
    EXPECT_EQ(script.CurrentElement(), script.FirstElement);
    EXPECT_EQ(script.CaretColumn(), caret);
    EXPECT_EQ(!Backend().Sounds().empty(), k.beeps);
  }
  EXPECT_EQ(script.FirstElement->next, nullptr) << "no element was started";
  EXPECT_EQ(script.BlockOn(), 0) << "nothing was selected";
  script.Perform(WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(script.WindowState(), TWindowState::wsNormal);
  EXPECT_EQ(other.WindowState(), TWindowState::wsNormal);
  TypeText("!");
  EXPECT_EQ(script.EditBuffer(), "INT. HALL - DAY!") << "restored, it takes the keys again";
}

TEST_F(ScriptWindowStatesTest, TheFocusGoingElsewhereEndsAMouseSelection) {
  TMDIChild& script = Script();
  script.SetFocus();
  script.MouseSelecting = 1;
  script.Perform(WM_KILLFOCUS, script.Handle(), 0);
  EXPECT_EQ(script.MouseSelecting, 1) << "the focus stayed in the window";
  script.Perform(WM_KILLFOCUS, MainForm->Handle(), 0);
  EXPECT_EQ(script.MouseSelecting, 0);
}

TEST_F(ScriptWindowStatesTest, TypingIntoAReadOnlyScriptSaysWhy) {
  TMDIChild& script = Script();
  script.SetFocus();
  TypeText("Kept.");
  script.Editable = 0;
  for (const bool expert : {false, true}) {
    SCOPED_TRACE(expert ? "expert prompting" : "plain");
    MainForm->ExpertPrompting = expert;
    if (!expert) testing::AnswerMessageBox(Driver(), ReadOnlyWarning, mrOk);
    TypeText("x");
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(script.EditBuffer(), "Kept.");
  }
  EXPECT_EQ(std::string(ReadOnlyWarning),
            "This script is marked Read && Print-Only only!\r\rTo get to a normally editable script, simply click "
            "the NEW Icon on the button bar, or load any script that you've created.");
}

TEST_F(ScriptWindowStatesTest, ThePauseItemsAreOfferedOnlyForALockOrAPause) {
  const struct {
    const char* what;
    bool pagesLocked, scenesLocked, pagesTicked, scenesTicked;
    bool pagesEnabled, scenesEnabled;
  } cases[] = {
      {"nothing locked", false, false, false, false, false, false},
      {"pages locked", true, false, false, false, true, false},
      {"scenes locked", false, true, false, false, false, true},
      {"pages paused", false, false, true, false, true, false},
      {"scenes paused", false, false, false, true, false, true},
  };
  TMDIChild& script = Script();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    script.PagesLocked = c.pagesLocked;
    script.ScenesLocked = c.scenesLocked;
    Item("PausePageLockingItem")->Checked = c.pagesTicked;
    Item("PauseSceneLockingItem")->Checked = c.scenesTicked;
    MainForm->UpdateMenusAndButtons();
    EXPECT_EQ(Item("PausePageLockingItem")->Enabled(), c.pagesEnabled);
    EXPECT_EQ(Item("PauseSceneLockingItem")->Enabled(), c.scenesEnabled);
    EXPECT_EQ(Item("PausePageLockingItem")->Checked(), c.pagesTicked);
  }
}

}  // namespace
}  // namespace qm
