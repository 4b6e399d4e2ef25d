// The Goto menu on a real display: its searches, Search Again repeating
// them, and the bookmarks window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// Next Forced Page Break stops on the element the first break follows;
// Search Again (Shift+F2) then goes on to the one before the second break.
TEST(GotoDesktopTest, SearchAgainGoesToTheNextForcedBreak) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("Return");
  session.Type("One.");
  session.Keys("Return shift+Return");
  session.Type("Two.");
  session.Keys("Return shift+Return");
  session.Type("Three.");
  // A mark typed at the end of the element each search reaches.
  session.Keys("ctrl+alt+Home alt+g k End");
  session.Type("X");
  session.Keys("shift+F2 End");
  session.Type("Y");
  session.Screenshot("search_again_forced_break");
  EXPECT_EQ(TextLines(session.ScriptText()), (std::vector<std::string>{"INT. HALL - DAY", "One.X", "Two.Y", "Three."}));
}

// Goto > Bookmark opens with the keyboard in the list and its first
// bookmark chosen: Return goes to it (and sets no second one), and what
// is typed once the window is closed lands at the bookmark.
TEST(GotoDesktopTest, ReturnInTheBookmarksGoesToTheFirstBookmark) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("Return");
  session.Type("One.");
  session.Keys("Return");
  session.Type("Two.");
  // A bookmark on "One.", named after it (Set takes the offered name).
  session.Keys("Up Home alt+g m", 500);
  ASSERT_TRUE(session.WaitForWindowTitle("Bookmarks")) << session.ActiveWindowTitle();
  session.Keys("alt+s Escape", 500);
  ASSERT_TRUE(session.WaitForTitleGone("Bookmarks"));
  session.Keys("ctrl+alt+End End");
  session.Keys("alt+g m", 500);
  ASSERT_TRUE(session.WaitForWindowTitle("Bookmarks")) << session.ActiveWindowTitle();
  session.Settle(600);
  session.Screenshot("bookmarks_opened");
  session.Keys("Return", 600);
  session.Screenshot("bookmarks_return");
  session.Keys("Escape", 500);
  ASSERT_TRUE(session.WaitForTitleGone("Bookmarks"));
  session.Type("Then ");
  session.Screenshot("bookmarks_typed");
  EXPECT_EQ(TextLines(session.ScriptText()), (std::vector<std::string>{"INT. HALL - DAY", "Then One.", "Two."}));
}

}  // namespace
}  // namespace qm::desktop
