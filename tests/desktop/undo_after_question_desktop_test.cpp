// Ctrl+Z typed after a replace across the script, once its last question
// is answered, takes the replacement back: the question keeps no key.
#include <gtest/gtest.h>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

TEST(UndoAfterQuestionDesktopTest, CtrlZAfterReturnToStartingPositionUndoesTheReplace) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("A cat sat.");
  session.Keys("alt+F2");  // Search & Replace
  session.Settle(1500);
  session.Type("cat");
  session.Keys("alt+r");
  session.Type("dog");
  session.Screenshot("replace_dialog");
  session.Keys("Return");
  ASSERT_TRUE(session.WaitForWindowTitle("Search/Replace is done")) << session.ActiveWindowTitle();
  session.Keys("Return");
  ASSERT_TRUE(session.WaitForWindowTitle("Search/Replace Completed")) << session.ActiveWindowTitle();
  session.Screenshot("replace_return_question");
  session.Keys("alt+n");
  ASSERT_TRUE(session.WaitForTitleGone("Search/Replace Completed"));
  session.Keys("ctrl+z");
  session.Settle(1000);
  session.Screenshot("replace_undone");
  EXPECT_EQ(session.ScriptText(), "A cat sat.\n");
}

}  // namespace
}  // namespace qm::desktop
