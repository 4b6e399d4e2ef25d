// Ctrl+Z typed after a replace across the script, once its last question
// is answered, takes the replacement back: the questions keep no key.
// Every replacement is confirmed in the "Should I replace it?" box, and
// the repeat (Search & Replace Again) asks the same questions.
#include <gtest/gtest.h>

#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// Search & Replace of "cat" by "dog" over the entire script with the box's
// own keys; the first found text is confirmed with Ok, the second too or,
// with `cancelSecond`, the run ends there with Cancel. Answers the count
// and the closing question with `answer`. Each key goes to the box it
// answers, once that box is up. Empty when done, else the window that did
// not come or kept its key.
std::string ReplaceAndAnswer(DesktopSession& session, bool cancelSecond, const std::string& answer) {
  session.Keys("alt+F2");  // Search & Replace
  if (!session.WaitForWindowTitle("Search")) return "Search & Replace";
  session.Settle(800);
  session.Type("cat");
  session.Keys("alt+r");
  session.Type("dog");
  session.Keys("alt+e");
  session.Screenshot("replace_dialog");
  if (!session.AnswerBox("Search", "Return")) return "Search & Replace, its OK";
  if (!session.AnswerBox("I Found", "alt+k")) return "the first I Found";
  if (!session.AnswerBox("I Found", cancelSecond ? "alt+c" : "alt+k")) return "the second I Found";
  if (!session.AnswerBox("Search/Replace is done", "Return")) return "Search/Replace is done";
  const std::string question = cancelSecond ? "Search Canceled" : "Search/Replace Completed";
  if (!session.WaitForWindowTitle(question)) return question;
  session.Screenshot("replace_return_question");
  return session.AnswerBox(question, answer) ? "" : question + ", its answer";
}

struct AnswerCase {
  const char* name;
  const char* answer;  // to "Return to Starting Position of Search?"
  bool again;          // the run confirmed last is Search & Replace Again
};

class UndoAfterQuestionDesktopTest : public ::testing::TestWithParam<AnswerCase> {};

// Ctrl+Z right after the last question gives back the text as it was
// before the last run.
TEST_P(UndoAfterQuestionDesktopTest, CtrlZAfterTheLastQuestionUndoesTheLastReplace) {
  const AnswerCase& c = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("A cat and a cat.");
  ASSERT_EQ(ReplaceAndAnswer(session, c.again, c.again ? "alt+n" : c.answer), "") << session.ActiveWindowTitle();
  std::string before = "A cat and a cat.\n";
  if (c.again) {
    // The caret stayed at the second found text; the repeat asks for it.
    before = "A dog and a cat.\n";
    ASSERT_TRUE(session.WaitForWindowTitle("Quillmaster")) << session.ActiveWindowTitle();
    session.Keys("shift+F2");
    ASSERT_TRUE(session.AnswerBox("I Found", "alt+k")) << session.ActiveWindowTitle();
    ASSERT_TRUE(session.AnswerBox("Search/Replace is done", "Return")) << session.ActiveWindowTitle();
    ASSERT_TRUE(session.AnswerBox("Search/Replace Completed", c.answer)) << session.ActiveWindowTitle();
  }
  // The script has the keyboard again before the key meant for it.
  ASSERT_TRUE(session.WaitForWindowTitle("Quillmaster")) << session.ActiveWindowTitle();
  // The frame's title comes back before the script window has the keyboard.
  session.Settle(600);
  session.Keys("ctrl+z");
  session.Settle(1000);
  session.Screenshot(std::string("replace_undone_") + c.name);
  EXPECT_EQ(session.ScriptText(), before);
}

INSTANTIATE_TEST_SUITE_P(Answers, UndoAfterQuestionDesktopTest,
                         ::testing::Values(AnswerCase{"AltN", "alt+n", false}, AnswerCase{"Return", "Return", false},
                                           AnswerCase{"AgainAltY", "alt+y", true},
                                           AnswerCase{"AgainEscape", "Escape", true}),
                         [](const ::testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm::desktop
