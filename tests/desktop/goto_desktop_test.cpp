// The Goto menu's searches on a real display, and Search Again repeating them.
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

}  // namespace
}  // namespace qm::desktop
