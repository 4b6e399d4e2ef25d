// Activating another script window re-points the main window: the undo
// ring forgets the steps of the script left, so that Undo never puts one
// script's elements into another, the status line follows, the menu checks
// show the script's own switches, the bookmark window lists its marks and
// its lists' short-cut letters are gathered again.
#include <gtest/gtest.h>

#include "base/document_table.h"
#include "files/undo_ring.h"
#include "language/bookmarks.h"
#include "language/bookmarks_dialog.h"
#include "platform/menus.h"
#include "script/editing/script_list_data.h"
#include "platform/input.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/status_line.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

class WindowActivationTest : public testing::ProgramFixture {};

TEST_F(WindowActivationTest, UndoNeverCarriesStepsIntoAnotherScript) {
  TMDIChild& first = Script();
  first.SetFocus();
  TypeText("First script.");
  MainForm->FileNewItem->Click();
  TMDIChild& second = Script();
  ASSERT_NE(&first, &second);
  second.SetFocus();
  TypeText("Second");
  SendKey(VK_RETURN);
  TypeText("More.");
  ASSERT_TRUE(UndoObject->UndoIsAvailable()) << "steps recorded in the second script";

  first.SetFocus();
  ASSERT_EQ(ActiveScript(), &first);
  EXPECT_FALSE(UndoObject->UndoIsAvailable()) << "the second script's steps are gone";
  testing::AnswerMessageBox(Driver(), "Nothing to Undo", mrOk);
  MainForm->UndoItemClick(MainForm->UndoItem);
  EXPECT_EQ(testing::ElementsOf(first), (std::vector<ElementSpec>{{ekAction, "First script."}}));
  EXPECT_EQ(MainForm->StatusLine().CurrentElement->Caption(), "Action");
}

TEST_F(WindowActivationTest, TheRevisionColourChecksFollowTheActiveScript) {
  TMDIChild& first = Script();
  first.AutoRevisionColor = 2;
  MainForm->FileNewItem->Click();
  TMDIChild& second = Script();
  ASSERT_NE(&first, &second);
  struct Case {
    TMDIChild* script;
    const char* checked;
  };
  const Case cases[] = {{&first, "RevRedItem"}, {&second, "RevColorOffItem"}, {&first, "RevRedItem"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.checked);
    c.script->SetFocus();
    ASSERT_EQ(ActiveScript(), c.script);
    for (const char* item : {"RevBlueItem", "RevRedItem", "RevGreenItem", "RevColorOffItem"})
      EXPECT_EQ(MainForm->MenuItem(item)->Checked(), std::string(item) == c.checked) << item;
    EXPECT_EQ(MainForm->MenuItem("AutoRevColorsItem")->Checked(), c.script == &first);
  }
}

TEST_F(WindowActivationTest, TheBookmarkWindowAndTheShortcutLettersFollowTheActiveScript) {
  TMDIChild& first = Script();
  first.SetFocus();
  TypeText("Marked here.");
  Bookmarks(first).Add("THE MARK", first.CurrentElement());
  ShowBookmarks();
  ASSERT_NE(BookmarkDialog(), nullptr);
  EXPECT_EQ(BookmarkDialog()->BookmarkList->Items.Count(), 1);

  MainForm->FileNewItem->Click();
  TMDIChild& second = Script();
  first.SetFocus();
  // A list changed behind the window's back: activation gathers it again.
  RecordOf(second).UserLists.Transition[0] = "&QUICK CUT TO:";
  ASSERT_FALSE(ListData(second).ListMeasure.ShortcutLetters['Q']);
  second.SetFocus();
  ASSERT_EQ(ActiveScript(), &second);
  EXPECT_EQ(BookmarkDialog()->BookmarkList->Items.Count(), 0) << "the new script has no marks";
  EXPECT_TRUE(ListData(second).ListMeasure.ShortcutLetters['Q']);

  first.SetFocus();
  EXPECT_EQ(BookmarkDialog()->BookmarkList->Items.Count(), 1);
}

}  // namespace
}  // namespace qm
