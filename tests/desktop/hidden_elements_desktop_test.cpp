// Typing into a script while element kinds are hidden, on the real display:
// each letter first asks to show them; No keeps the letter out, Yes types it.
#include <gtest/gtest.h>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// The question's caption (the program's jokey prompts are on by default).
constexpr const char* QuestionCaption = "Regrets";

TEST(HiddenElementsDesktopTest, ALetterTypedWhileKindsAreHiddenAsksToShowThemFirst) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("Rain.");
  session.Keys("alt+f i c");  // File > Hide Elements on Screen > Character/Dialogue
  session.Settle();
  session.Keys("End");  // hiding put the caret at the line's start; moving asks nothing

  session.Type("x");
  ASSERT_TRUE(session.WaitForWindowTitle(QuestionCaption)) << session.ActiveWindowTitle();
  session.Screenshot("hidden_elements_question");
  session.Keys("alt+n");
  ASSERT_TRUE(session.WaitForTitleGone(QuestionCaption));

  session.Type("y");
  ASSERT_TRUE(session.WaitForWindowTitle(QuestionCaption)) << "asked again: No kept the kinds hidden";
  session.Keys("alt+y");
  ASSERT_TRUE(session.WaitForTitleGone(QuestionCaption));
  session.Settle();
  session.Screenshot("hidden_elements_answered");
  EXPECT_EQ(session.ScriptText(), "Rain.y\n") << "No kept the x out; Yes typed the y";
}

}  // namespace
}  // namespace qm::desktop
