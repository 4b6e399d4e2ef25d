// A whole-script spell check answered by the mouse and with Alt+I, as a
// writer answers it: afterwards the script takes typing again.
#include <gtest/gtest.h>

#include "desktop/desktop_session.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

TEST(SpellCheckDesktopTest, TypingReachesTheScriptAfterAWholeScriptCheck) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  // Ten known words first, so that the pass shows its count before asking.
  session.Type("go to an ox at my bay so we sit zorblax quindle froop");
  session.Keys("alt+p s");
  ASSERT_TRUE(session.WaitForWindowTitle("Found Unknown Word", 10)) << session.ActiveWindowTitle();
  session.Screenshot("spell_check_question");
  // The first question answered on its Ignore button, the rest with Alt+I.
  const std::optional<WindowGeometry> dialog = session.ActiveWindowGeometry();
  ASSERT_TRUE(dialog.has_value());
  session.Click(dialog->x + 290, dialog->y + 104);
  session.Settle();
  for (int i = 0; i < 3 && session.ActiveWindowTitle().find("Found Unknown Word") != std::string::npos; ++i) {
    session.Keys("alt+i");
    session.Settle(600);
  }
  ASSERT_TRUE(session.WaitForTitleGone("Found Unknown Word", 5)) << "Alt+I answers a question shown again";
  session.Screenshot("spell_check_checked");
  session.Keys("Return");
  session.Settle();

  session.Keys("End");
  session.Type(" ok");
  session.Keys("BackSpace");
  EXPECT_EQ(session.ScriptText(), "Go to an ox at my bay so we sit zorblax quindle froop o\n");
}

// Typing on past an unknown word while its question comes up: the words
// typed go into the word that takes its place, never into the dictionary
// box (where the writer went at the question before), and Return puts
// them into the script.
TEST(SpellCheckDesktopTest, WordsTypedOnAtTheQuestionReachTheScript) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type(" Teh ");
  ASSERT_TRUE(session.WaitForWindowTitle("Found Unknown Word", 10)) << session.ActiveWindowTitle();
  session.Keys("alt+a");  // to the Add Words to: box
  session.Screenshot("spell_dictionary_box");
  session.Keys("alt+k");  // Skip Once
  ASSERT_TRUE(session.WaitForTitleGone("Found Unknown Word", 5));
  session.Type("Teh stairs are wierd.");
  ASSERT_TRUE(session.WaitForWindowTitle("Found Unknown Word", 10)) << session.ActiveWindowTitle();
  session.Screenshot("spell_typed_on");
  session.Keys("Return");
  ASSERT_TRUE(session.WaitForTitleGone("Found Unknown Word", 5)) << "Return answers Replace";
  session.Settle();
  session.Screenshot("spell_typed_on_replaced");
  const std::string text = session.ScriptText();
  EXPECT_NE(text.find("tairs are wierd."), std::string::npos) << text;
  const std::string stray = testing::CommandOutput("find '" + session.Home() + "' -iname '*STAIRS*'");
  EXPECT_EQ(stray, "") << "no dictionary is named after the words typed";
}

}  // namespace
}  // namespace qm::desktop
