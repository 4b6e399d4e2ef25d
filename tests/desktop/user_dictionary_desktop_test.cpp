// The user dictionary editor, reached from the Spell menu on a real display.
#include <gtest/gtest.h>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

TEST(UserDictionaryDesktopTest, AWordAddedInTheEditorIsNoLongerFlagged) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("zorblax");
  session.Keys("ctrl+l");
  ASSERT_TRUE(session.WaitForWindowTitle("Found Unknown Word", 10)) << "the word is unknown at first";
  session.Keys("Escape");
  ASSERT_TRUE(session.WaitForTitleGone("Found Unknown Word", 10));
  // The pass says it was stopped.
  if (session.WaitForWindowTitle("Regrets", 5)) session.Keys("Return");
  session.Settle();

  session.Keys("alt+p u");
  ASSERT_TRUE(session.WaitForWindowTitle("User Dictionary Editor", 10)) << session.ActiveWindowTitle();
  session.Type("zorblax");
  session.Keys("Return");
  session.Screenshot("user_dictionary_added");
  session.Keys("alt+o");
  ASSERT_TRUE(session.WaitForTitleGone("User Dictionary Editor", 10));
  session.Settle();

  session.ClickInScript();
  session.Keys("End ctrl+l");
  // Known now: the check only says it checked the word.
  EXPECT_TRUE(session.WaitForWindowTitle("Regrets", 10)) << session.ActiveWindowTitle();
  session.Screenshot("user_dictionary_checked");
  session.Keys("Return");
}

}  // namespace
}  // namespace qm::desktop
