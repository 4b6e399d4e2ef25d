#include "formats/revision_levels.h"

#include <gtest/gtest.h>

#include "base/program_options.h"
#include "formats/drafts_fixture.h"
#include "platform/input.h"
#include "script/editing/revision_marks.h"
#include "script/model/packed_text.h"
#include "support/message_box_answers.h"

#include <algorithm>

namespace qm::testing {
namespace {

class RevisionLevelsTest : public DraftsFixture {
 protected:
  // An Action of five lines (60 characters each) with lines 1, 3 and 4
  // marked, and a one-line Action with no marks.
  void MarkedScript() {
    Start({ActionLines(5), {ekAction, "plain"}});
    ElementNo(0)->revisedLines = RevisedLineSet({1, 3, 4});
    CaretAt(1, 2);
  }
  std::string TextOf(int index) {
    Window().Assemble();
    std::string text = UnpackText(*ElementNo(index)->text);
    Window().DisAssemble();
    return text;
  }
  void Lock(std::string* report = nullptr) {
    AnswerTypeYes("YES");
    Press(mrOk, report);
    LockRevisionMarks(Window());
  }
};

TEST_F(RevisionLevelsTest, EachMarkedLineGetsTheLevelsCodeShiftedByThoseBefore) {
  MarkedScript();
  const std::string before = TextOf(0);
  std::string report;
  Lock(&report);
  EXPECT_EQ(report, "You are now at Asterisk Locking Level 2");
  EXPECT_EQ(LockingLevel(Window()), 1);
  std::string expected = before;
  expected.insert(180, 1, '\x1B');  // line 4, after the two codes before it
  expected.insert(120, 1, '\x1B');
  expected.insert(0, 1, '\x1B');
  EXPECT_EQ(TextOf(0), expected);
  EXPECT_EQ(TextOf(1), "plain");
  EXPECT_FALSE(ElementNo(0)->revisedLines) << "the current marks went";
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(RevisionLevelsTest, ALineThatStartsWithALockCodeHasItReplaced) {
  MarkedScript();
  Lock();
  ElementNo(0)->revisedLines = RevisedLineSet({1});
  Lock();
  EXPECT_EQ(LockingLevel(Window()), 2);
  const std::string text = TextOf(0);
  EXPECT_EQ(text[0], '\x1C') << "level 2's code in place of level 1's";
  EXPECT_NE(text[1], '\x1B');
  EXPECT_EQ(std::count(text.begin(), text.end(), '\x1B'), 2);
}

TEST_F(RevisionLevelsTest, FiveLevelsAtMostAndEachUnlockTakesOneAway) {
  MarkedScript();
  for (int level = 1; level <= 4; ++level) {
    ElementNo(0)->revisedLines = RevisedLineSet({level + 1});
    Lock();
    EXPECT_EQ(LockingLevel(Window()), level);
  }
  std::string refusal;
  AnswerTypeYes("YES");
  Press(mrOk, &refusal);
  LockRevisionMarks(Window());
  EXPECT_EQ(refusal, "Sorry, but you can have a maximum of five locked Asterisk levels...");
  EXPECT_EQ(LockingLevel(Window()), 4);

  const auto codesLeft = [this] {
    const std::string text = TextOf(0);
    return std::count_if(text.begin(), text.end(), [](char c) { return c >= '\x1B' && c <= '\x1E'; });
  };
  ASSERT_EQ(codesLeft(), 4) << "one code a level, each on its own line";

  struct Step {
    int levelAfter;
    long codesLeft;
    const char* question;
    const char* report;
  };
  const Step steps[] = {
      {3, 3, "Should I REALLY remove all \rLOCKING LEVEL 4 Revision Marks?", "You are now at Asterisk Locking Level 4"},
      {2, 2, "Should I REALLY remove all \rLOCKING LEVEL 3 Revision Marks?", "You are now at Asterisk Locking Level 3"},
      {1, 1, "Should I REALLY remove all \rLOCKING LEVEL 2 Revision Marks?", "You are now at Asterisk Locking Level 2"},
      {0, 0, "Should I REALLY remove all \rLOCKING LEVEL 1 Revision Marks?", "You are now at Asterisk Locking Level 1"},
      {0, 0, "Should I REALLY remove all \rLOCKING LEVEL 0 Revision Marks?",
       "You are now at Asterisk Locking Level 1"}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.question);
    std::string question, report;
    Driver().Expect([&question](TForm& form) {
      question = MessageBoxText(form);
      TypeText("YES");
      if (form.ModalResult == mrNone) SendKey(VK_ESCAPE);
    });
    Press(mrOk, &report);
    UnlockRevisionMarkLevel(Window());
    EXPECT_TRUE(question.starts_with(step.question)) << question;
    EXPECT_EQ(LockingLevel(Window()), step.levelAfter);
    EXPECT_EQ(codesLeft(), step.codesLeft);
    EXPECT_EQ(report, step.report);
  }
  EXPECT_EQ(TextOf(0), UnpackText(PackText(ActionLines(5).text)));
}

// Unlocking a level takes its codes out of the text and changes no line a
// writer would read: no line is marked revised for it, wherever the caret.
TEST_F(RevisionLevelsTest, UnlockingALevelMarksNoLineRevised) {
  for (const int caret : {0, 1}) {
    SCOPED_TRACE(caret);
    MarkedScript();
    Lock();
    Window().RevisionMarking = 1;
    CaretAt(caret, 2);
    AnswerTypeYes("YES");
    Press(mrOk);
    UnlockRevisionMarkLevel(Window());
    EXPECT_EQ(LockingLevel(Window()), 0);
    EXPECT_EQ(TextOf(0).find('\x1B'), std::string::npos);
    for (int i = 0; i < 2; ++i) EXPECT_FALSE(HasRevisedLines(*ElementNo(i))) << i;
    EXPECT_TRUE(Window().DocumentModified);
  }
}

// The expert setting spares the warning before a lock, never the question
// before an unlock.
TEST_F(RevisionLevelsTest, ExpertPromptingSkipsTheLockQuestionButNotTheUnlockOne) {
  ProgramOptions().ExpertPrompting = true;
  MarkedScript();
  std::string report;
  Press(mrOk, &report);
  LockRevisionMarks(Window());
  EXPECT_EQ(report, "You are now at Asterisk Locking Level 2");
  EXPECT_EQ(LockingLevel(Window()), 1);
  EXPECT_EQ(Driver().Pending(), 0);

  AnswerTypeYes("no");
  UnlockRevisionMarkLevel(Window());
  EXPECT_EQ(Driver().Pending(), 0) << "the unlock asked";
  EXPECT_EQ(LockingLevel(Window()), 1) << "refused, nothing changes";
  AnswerTypeYes("YES");
  Press(mrOk, &report);
  UnlockRevisionMarkLevel(Window());
  EXPECT_EQ(LockingLevel(Window()), 0);
  EXPECT_EQ(report, "You are now at Asterisk Locking Level 1");
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(RevisionLevelsTest, RefusingChangesNothing) {
  MarkedScript();
  const std::string before = TextOf(0);
  AnswerTypeYes("no");
  LockRevisionMarks(Window());
  EXPECT_EQ(LockingLevel(Window()), 0);
  EXPECT_EQ(TextOf(0), before);
  ASSERT_TRUE(ElementNo(0)->revisedLines);
  EXPECT_EQ(*ElementNo(0)->revisedLines, RevisedLineSet({1, 3, 4}));
}

TEST_F(RevisionLevelsTest, AScriptReadBackFindsItsLevelInItsText) {
  Start({{ekAction, std::string("\x1Cone")}, {ekAction, std::string("\x1Btwo")}});
  EXPECT_EQ(LockingLevel(Window()), 2);
}

}  // namespace
}  // namespace qm::testing
