// Closing a script window puts away what served it: the name list, the
// main window's element list and the power panel.
#include <gtest/gtest.h>

#include "platform/input.h"
#include "script/editing/element_transitions.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/power_panel.h"
#include "shell/script_popups.h"

namespace qm::testing {
namespace {

using WindowCloseTest = KeysFixture;

TEST_F(WindowCloseTest, ClosingAScriptPutsAwayItsListsAndToolWindows) {
  TMDIChild& first = W();
  MainForm->FileNewItem->Click();
  ASSERT_NE(&W(), &first);
  Load({{ekCharacterName, "MAB"}, {ekDialogue, "Hi."}, {ekCharacterName, "MAC"}, {ekDialogue, "Yo."}, {ekAction, ""}},
       4);
  Press(VK_TAB);
  TypeText("m");
  ASSERT_TRUE(PickListShowing());
  MainForm->ElementPopDownList->Visible = true;
  TPowerPanel& panel = MainForm->ScriptPopups().PowerPanel();
  panel.ShowAt(TPoint{100, 100});
  ASSERT_TRUE(panel.Visible());

  W().DocumentModified = 0;
  MainForm->CloseFileItem->Click();
  ASSERT_EQ(&W(), &first) << "the other script is the active one now";
  EXPECT_FALSE(PickListShowing()) << "the name list";
  EXPECT_FALSE(MainForm->ElementPopDownList->Visible) << "the element list";
  EXPECT_FALSE(panel.Visible()) << "the power panel";
}

}  // namespace
}  // namespace qm::testing
