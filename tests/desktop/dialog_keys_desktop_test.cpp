// Keys of the small windows over the script: Escape closes the element
// list and the bookmark window, Alt and a button's letter press the button
// of the bookmark window (never a menu of the main window), and the
// writer's next keys reach the script.
#include <gtest/gtest.h>

#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

struct CloseCase {
  const char* name;
  const char* open;   // the keys that open the window
  const char* title;  // its title, or "" for the element list (no window of its own)
  const char* close;  // the keys that should close it
};

class CloseKeysDesktopTest : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseKeysDesktopTest, TheWindowClosesAndTheScriptTakesTheNextKeys) {
  const CloseCase& c = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL");
  session.Keys(c.open, 1000);
  if (*c.title) ASSERT_TRUE(session.WaitForWindowTitle(c.title)) << session.ActiveWindowTitle();
  session.Keys(c.close, 1000);
  if (*c.title) EXPECT_TRUE(session.WaitForTitleGone(c.title)) << session.ActiveWindowTitle();
  session.Type(" X");
  session.Screenshot(std::string("close_keys_") + c.name);
  EXPECT_EQ(session.ScriptText(), "INT. HALL X\n");
}

INSTANTIATE_TEST_SUITE_P(Windows, CloseKeysDesktopTest,
                         ::testing::Values(CloseCase{"ElementListEscape", "F4 Down", "", "Escape"},
                                           CloseCase{"BookmarksEscape", "ctrl+alt+b", "Bookmarks", "Escape"},
                                           CloseCase{"BookmarksAltSThenAltC", "ctrl+alt+b", "Bookmarks",
                                                     "alt+s alt+c"}),
                         [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm::desktop
