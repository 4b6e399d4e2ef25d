// Branching scripts: branch targets renumbered with their references, and
// jumps followed from a branch point.
#include "story/interactive_script.h"

#include <gtest/gtest.h>

#include "platform/input.h"
#include "script/editing/editor_calls.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "story/branching_script.h"

namespace qm {
namespace {

using story::TNumberObject;

TEST(TargetReferences, AreRenumberedByTheMap) {
  const std::vector<TNumberObject> map = {{5, 1}, {2, 2}, {9, 3}, {1, 10}};
  const struct {
    const char* text;
    const char* renumbered;
    bool missing;
  } cases[] = {
      {"GO TO CELLAR (9)", "GO TO CELLAR (3)", false},
      {"GO TO A (5)\xA7GO TO B (2)\xA7GO TO C (9)", "GO TO A (1)\xA7GO TO B (2)\xA7GO TO C (3)", false},
      {"GO TO HALL (1) AT ONCE", "GO TO HALL (10) AT ONCE", false},  // grows: the rest moves right
      {"GO TO GONE (4)", "GO TO GONE (\?\?)", true},
      // The return from a branch is no target: renumbering keeps it.
      {"RETURN (0)", "RETURN (0)", false},
      {"GO TO A (5)\xA7GO TO RETURN (0)", "GO TO A (1)\xA7GO TO RETURN (0)", false},
      {"GO TO FAR (99999999999999999999)", "GO TO FAR (\?\?)", true},
      // A parenthesis holding words is the writer's own text, never a reference.
      {"SET <DOOR> TO TRUE. (see note)", "SET <DOOR> TO TRUE. (see note)", false},
      {"(12 unfinished", "(12 unfinished", false},
      {"()", "()", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    bool missing = false;
    EXPECT_EQ(story::RenumberReferences(c.text, map, &missing), c.renumbered);
    EXPECT_EQ(missing, c.missing);
  }
}

TEST(TargetReferences, TheFirstJumpNeedsADigitAfterTheParenthesis) {
  const struct {
    const char* text;
    std::optional<unsigned long> number;
  } cases[] = {{"GO TO B (2)", 2UL},  {"RETURN (0)", 0UL},   {"GO TO (12)\xA7GO TO (3)", 12UL},
               {"GO TO NOWHERE", {}}, {"GO TO (X) (4)", {}}, {"(7", 7UL}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(story::FirstJumpNumber(c.text), c.number);
  }
}

TEST(TargetReferences, ALabelIsThePlainHeadingInCapitalsWithItsNumber) {
  EXPECT_EQ(story::BranchTargetLabel("The \x02"
                                     "dark\x03 cellar  ",
                                     12),
            "THE DARK CELLAR (12)");
}

const std::string kAreYouSure =
    "All Branch Targets will be renumbered sequentially, with all links updated appropriately.  This won't affect "
    "the \"functionality\" of the script, but any other references to specific numbers will become useless.\r\r"
    "Should I continue anyway?";

class InteractiveScriptTest : public testing::ProgramFixture {
 protected:
  void BuildBranchingScript() {
    testing::BuildBranchingScript(Script());
    MainForm->UpdateMenusAndButtons();
  }
  std::vector<Word> TargetNumbers() { return testing::TargetNumbers(Script()); }
  TScriptElement* Nth(int n) { return testing::NthElement(Script(), n); }
};

TEST_F(InteractiveScriptTest, RenumberingNumbersTargetsInOrderAndUpdatesReferences) {
  BuildBranchingScript();
  ASSERT_TRUE(MainForm->MenuItem("RenumberBTargetsItem")->Enabled());
  testing::AnswerMessageBox(Driver(), kAreYouSure, mrYes, "Are you sure about this?");
  testing::AnswerMessageBox(Driver(),
                            "All 3 Branch Targets have been renumbered and all reference numbers have been updated "
                            "accordingly!",
                            mrOk, "All Done");
  testing::AnswerMessageBox(Driver(),
                            "There was a least one reference to a Branch Target that no longer exists in the script "
                            "-- I have changed the reference to (\?\?) and you can do a search for this text to find "
                            "all of these removed references.",
                            mrOk);
  MainForm->MenuItem("RenumberBTargetsItem")->Click();
  EXPECT_EQ(TargetNumbers(), (std::vector<Word>{1, 2, 3}));
  const auto elements = testing::ElementsOf(Script());
  EXPECT_EQ(elements[2].text, "GO TO CELLAR (3)\xA7GO TO ATTIC (2)");
  EXPECT_EQ(elements[4].text, "Dust (9) everywhere.") << "action text holds no references";
  EXPECT_EQ(elements[5].text, "GO TO GONE (\?\?)");
  EXPECT_EQ(elements[7].text, "RETURN (0)") << "the return from a branch survives";
  EXPECT_TRUE(Script().DocumentModified);
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(InteractiveScriptTest, RenumberingAnsweredNoChangesNothing) {
  BuildBranchingScript();
  testing::AnswerMessageBox(Driver(), kAreYouSure, mrNo, "Are you sure about this?");
  MainForm->MenuItem("RenumberBTargetsItem")->Click();
  EXPECT_EQ(TargetNumbers(), (std::vector<Word>{5, 2, 9}));
  EXPECT_EQ(testing::ElementsOf(Script())[2].text, "GO TO CELLAR (9)\xA7GO TO ATTIC (2)");

  // No is the question's default: Return answers it.
  Driver().Expect([](TForm& box) {
    EXPECT_EQ(testing::MessageBoxText(box), kAreYouSure);
    SendKey(VK_RETURN);
  });
  MainForm->MenuItem("RenumberBTargetsItem")->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(TargetNumbers(), (std::vector<Word>{5, 2, 9}));
}

// A target typed after a locked one takes the number after it, unlocked:
// the lock belongs to the target the writer locked.
TEST_F(InteractiveScriptTest, ATargetTypedAfterALockedOneTakesTheNextNumberUnlocked) {
  BuildBranchingScript();
  Nth(6)->format.NumberWord = number_word::LockedBit | 9;  // CELLAR
  Script().SetFocus();
  editor::MoveCaretTo(Script(), *Nth(7));
  SendKey(VK_END);
  SendKey('S', TShiftState{ssCtrl});
  TypeText("Garden");
  SendKey(VK_RETURN);
  bool done = false;
  MainForm->AppIdle(nullptr, done);
  ASSERT_EQ(testing::ElementsOf(Script())[8], (testing::ElementSpec{ekSceneHeading, "Garden"}));
  EXPECT_EQ(Nth(8)->format.NumberWord, 10);
  EXPECT_EQ(story::BranchTargetLabel(Script(), *Nth(8)), "GARDEN (10)");
  EXPECT_EQ(Nth(6)->format.NumberWord, number_word::LockedBit | 9) << "the locked one stays locked";
}

TEST_F(InteractiveScriptTest, AScriptWithoutTargetsLosesEveryReference) {
  TMDIChild& w = Script();
  w.FreeElements();
  w.InteractiveScript = 1;
  testing::AddElements(w, {{ekAction, "Nothing here."}, {ekTransition, "GO TO CELLAR (1)"}});
  w.DisAssemble();
  bool missing = false;
  EXPECT_EQ(story::RenumberTargets(w, &missing), 0);
  EXPECT_TRUE(missing);
  EXPECT_EQ(testing::ElementsOf(w)[1].text, "GO TO CELLAR (\?\?)");
}

// A locked number carries the lock bit above its nine number bits; the
// target is still the one its number names.
TEST_F(InteractiveScriptTest, ALockedTargetIsFoundAndRenumberedByItsNumber) {
  BuildBranchingScript();
  Nth(6)->format.NumberWord = 0x209;  // CELLAR: 9, locked
  editor::MoveCaretTo(Script(), *Nth(2));
  story::FollowJump();
  EXPECT_EQ(Script().CurrentElement(), Nth(6));
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(story::BranchTargetLabel(Script(), *Nth(6)), "CELLAR (9)");

  bool missing = false;
  EXPECT_EQ(story::RenumberTargets(Script(), &missing), 3);
  EXPECT_EQ(number_word::Number(Nth(6)->format.NumberWord), 3);
  EXPECT_EQ(testing::ElementsOf(Script())[2].text, "GO TO CELLAR (3)\xA7GO TO ATTIC (2)");
}

TEST_F(InteractiveScriptTest, FollowingAJumpGoesToItsTargetOrSaysWhyNot) {
  BuildBranchingScript();
  const struct {
    int from;
    std::string text;
    const char* message;
    int lands;
  } cases[] = {
      {2, "", nullptr, 6},  // the branch point's first target: CELLAR (9)
      {7, "", "Sorry, but RETURN (0) is only accessible within the Run-Time Player", 7},
      {5, "", "Cannot find Target Index!", 5},
      {1, "", "Cannot find Target Index!", 1},  // no reference at all
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.from);
    editor::MoveCaretTo(Script(), *Nth(c.from));
    if (c.message) testing::AnswerMessageBox(Driver(), c.message, mrOk);
    story::FollowJump();
    EXPECT_EQ(Script().CurrentElement(), Nth(c.lands));
    EXPECT_EQ(Driver().Pending(), 0);
  }
  // The jump is remembered as the last position.
  editor::MoveCaretTo(Script(), *Nth(2));
  story::FollowJump();
  EXPECT_EQ(Script().LastPositionElement, Nth(2));
}

}  // namespace
}  // namespace qm
