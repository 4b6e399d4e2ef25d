// The keyboard after a command's last message, on the real display: the
// standard breakdowns of a script without a scene heading end with "NO
// Scenes Found!", and once that is answered the script drawn active takes
// the writer's next words and the menu keys, without a click into it.
#include <gtest/gtest.h>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

TEST(KeysAfterMessageDesktopTest, TheScriptTakesTheKeysAfterNoScenesFound) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("A truck waits");
  const std::optional<WindowGeometry> main = session.ActiveWindowGeometry();
  ASSERT_TRUE(main) << session.ActiveWindowTitle();
  // Production > Breakdowns (the menu bar lies just above the window's
  // reported top), then down to Print Standard Breakdowns, the tenth item.
  session.Click(main->x + 452, main->y - 11);
  session.Keys("b", 700);
  session.Keys("Down Down Down Down Down Down Down Down Down", 250);
  session.Keys("Return", 1000);
  ASSERT_TRUE(session.WaitForWindowTitle("Production Breakdowns")) << session.ActiveWindowTitle();
  session.Keys("Return", 1000);
  // The script names no characters: go on without them.
  ASSERT_TRUE(session.WaitForWindowTitle("Breakdowns")) << session.ActiveWindowTitle();
  session.Keys("alt+y", 1500);
  ASSERT_TRUE(session.WaitForWindowTitle("Breakdowns")) << session.ActiveWindowTitle();
  session.Screenshot("keys_after_message_no_scenes");
  ASSERT_TRUE(session.AnswerBox("Breakdowns", "Return")) << session.ActiveWindowTitle();
  session.Settle(1500);
  session.Screenshot("keys_after_message_answered");

  // Words typed at once go into the script.
  session.Type(" and idles.");
  session.Settle(800);
  session.Screenshot("keys_after_message_typed");
  EXPECT_EQ(session.ScriptText(), "A truck waits and idles.\n");
  // And a menu key: Save All asks where the new script goes.
  session.Keys("End ctrl+F7", 600);
  EXPECT_TRUE(session.WaitForWindowTitle("Save As")) << "Ctrl+F7 did nothing: " << session.ActiveWindowTitle();
  session.Keys("Escape");
}

}  // namespace
}  // namespace qm::desktop
