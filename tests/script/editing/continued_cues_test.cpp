// The automatic CONT'D of a character who speaks again within a scene.
#include "script/editing/continued_cues.h"

#include <gtest/gtest.h>

#include "files/undo_ring.h"
#include "platform/user_action.h"
#include "script/editing/editor_calls.h"
#include "script/editing/element_transitions.h"
#include "script/fixtures/keys_fixture.h"
#include "script/model/cue_codes.h"
#include "script/script_window.h"

namespace qm {
namespace {

using testing::ElementSpec;

class ContinuedCuesTest : public testing::KeysFixture {
 protected:
};

const ElementSpec John{ekCharacterName, "JOHN"};
const ElementSpec Mary{ekCharacterName, "MARY"};
const ElementSpec Hi{ekDialogue, "Hi."};
const ElementSpec Pause{ekAction, "He waits."};
const ElementSpec Heading{ekSceneHeading, "INT. ROOM - DAY"};

TEST_F(ContinuedCuesTest, ASpeakerAgainInTheSceneIsMarkedContinued) {
  // clang-format off
  const struct {
    const char* what;
    std::vector<ElementSpec> script;
    int cue;  // the name checked, current
    Byte sameExtension;
    Byte position;
    int state;
    std::vector<ElementSpec> after;  // empty: the script unchanged
  } cases[] = {
      {"after an action", {John, Hi, Pause, John, Hi}, 3, 0, 0, 1, {}},
      {"after another speaker", {John, Hi, Mary, Hi, John, Hi}, 4, 0, 0, 0, {}},
      {"across a scene heading", {John, Hi, Heading, John, Hi}, 3, 0, 0, 0, {}},
      {"the first name of the script", {John, Hi}, 0, 0, 0, 0, {}},
      {"an extension typed after the name", {John, Hi, Pause, {ekCharacterName, "JOHN (V.O.)"}, Hi}, 3, 0, 0, 1, {}},
      {"... not when extensions must match", {John, Hi, Pause, {ekCharacterName, "JOHN (V.O.)"}, Hi}, 3, 1, 0, 0,
       {}},
      {"in the parenthetical", {John, Hi, Pause, John, {ekParenthetical, "softly"}, Hi}, 3, 0, 1, 1,
       {John, Hi, Pause, John, {ekParenthetical, "CONT'D; softly"}, Hi}},
      {"in a typed parenthesis", {John, Hi, Pause, John, {ekParenthetical, "(softly)"}, Hi}, 3, 0, 1, 1,
       {John, Hi, Pause, John, {ekParenthetical, "(CONT'D; softly)"}, Hi}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.script, c.cue, -1);
    W().ContinuedSameExtension = c.sameExtension;
    W().ContinuedPosition = c.position;
    UpdateContinuedCues(W());
    EXPECT_EQ(CueContinuedState(ElementAt(c.cue)->split), c.state);
    EXPECT_EQ(Elements(), c.after.empty() ? c.script : c.after);
  }
}

// Enter on an empty line between two speeches of one speaker starts a
// scene heading: the second name is no longer continued, and is again when
// the heading's menu is left without a choice and the heading goes.
TEST_F(ContinuedCuesTest, AHeadingStartedBetweenTwoSpeechesEndsTheMark) {
  const struct {
    const char* what;
    const char* choice;
    std::vector<ElementSpec> after;
    int cue;
    int state;
  } cases[] = {
      {"a heading chosen", "&INT.", {John, Hi, {ekSceneHeading, "INT. "}, John, Hi}, 3, 0},
      {"no choice", "", {John, Hi, John, Hi}, 2, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({John, Hi, {ekAction, ""}, John, Hi}, 2, 0);
    UpdateContinuedCues(W());
    ASSERT_EQ(CueContinuedState(ElementAt(3)->split), 1);
    ExpectChoice(c.choice);
    Press(VK_RETURN);
    EXPECT_EQ(Elements(), c.after);
    EXPECT_EQ(CueContinuedState(ElementAt(c.cue)->split), c.state);
  }
}

// Only the next name of the typed one's scene waits for it: a name past a
// heading is compared with nothing typed, so a mark it should not carry
// (pasted with it) goes while the writer is still typing.
TEST_F(ContinuedCuesTest, ANamePastAHeadingDoesNotWaitForTheNameBeingTyped) {
  Load({John, Hi, Pause, Mary, Hi, Heading, Pause, John, Hi}, 3, 4);
  UpdateContinuedCues(W());
  ElementAt(7)->split = NoExtensionCode + 1;
  TypeText("X");
  ASSERT_TRUE(NameBeingTyped(W()));
  UpdateContinuedCues(W());
  EXPECT_EQ(CueContinuedState(ElementAt(7)->split), 0) << "first of its scene";
}

TEST_F(ContinuedCuesTest, AMarkNoLongerDueIsTakenOutAgain) {
  Load({John, Hi, Mary, Hi, John, {ekParenthetical, "CONT'D; softly"}, Hi}, 4, -1);
  W().ContinuedPosition = 1;
  ElementAt(4)->split = NoExtensionCode + 1;
  EXPECT_TRUE(UpdateContinuedCues(W()));
  EXPECT_EQ(CueContinuedState(ElementAt(4)->split), 0);
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{John, Hi, Mary, Hi, John, {ekParenthetical, "softly"}, Hi}));

  // A parenthetical that held nothing but the mark goes with it.
  Load({John, Hi, Mary, Hi, John, {ekParenthetical, "CONT'D; "}, Hi}, 4, -1);
  ElementAt(4)->split = NoExtensionCode + 1;
  UpdateContinuedCues(W());
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{John, Hi, Mary, Hi, John, Hi}));
}

TEST_F(ContinuedCuesTest, NamesThatRefuseTheMarkAndRepeatedNamesKeepTheirState) {
  Load({John, Hi, Pause, John, Hi}, 3, -1);
  ElementAt(3)->format.NumberWord = 0x8000;
  UpdateContinuedCues(W());
  EXPECT_EQ(CueContinuedState(ElementAt(3)->split), 0);

  Load({John, {ekDialogue, "First half."}, {ekAutoPageBreak, " "}, John, {ekDialogue, "Second half."}}, 3, -1);
  ElementAt(3)->split = RepeatedCueCode(NoExtensionCode);
  UpdateContinuedCues(W());
  EXPECT_EQ(CueContinuedState(ElementAt(3)->split), 2) << "the name repeated after a page break";
}

// Enter at the end of a name refreshes the marks as the writer goes.
TEST_F(ContinuedCuesTest, EnterAfterARepeatedSpeakerMarksTheName) {
  Load({John, Hi, Pause, {ekCharacterName, "JOHN"}}, 3, -1);
  Press(VK_RETURN);
  EXPECT_EQ(CueContinuedState(ElementAt(3)->split), 1);
  EXPECT_EQ(W().CurrentElement()->Kind(), ekDialogue);
}

// A heading typed between two speeches of one speaker ends the mark.
TEST_F(ContinuedCuesTest, AHeadingTypedBetweenTheSpeechesClearsTheMark) {
  Load({John, Hi, {ekAction, ""}, John, Hi}, 2, 0);
  ElementAt(3)->split = NoExtensionCode + 1;
  TypeText("int. ");
  ASSERT_TRUE(IsSceneHeading(ElementAt(2)->Kind()));
  EXPECT_EQ(CueContinuedState(ElementAt(3)->split), 0);
}

// An Action started inside a speech repeats the speaker's name below it:
// that name speaks again after an interruption, so with continueds in the
// parenthetical the mark opens the parenthetical that follows it.
TEST_F(ContinuedCuesTest, ANameRepeatedBelowANewActionIsMarkedContinued) {
  const ElementSpec bye{ekDialogue, "Bye."};
  const ElementSpec empty{ekAction, " "};  // stored so when left empty
  const struct {
    const char* what;
    ElementSpec parenthetical;
    ElementSpec marked;
  } cases[] = {
      {"the format's parentheses", {ekParenthetical, "smiling"}, {ekParenthetical, "CONT'D; smiling"}},
      {"typed parentheses", {ekParenthetical, "(smiling)"}, {ekParenthetical, "(CONT'D; smiling)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({Heading, John, Hi, c.parenthetical, bye}, 2, -1);
    W().ContinuedPosition = 1;
    {
      const TUserAction action;  // the Action button
      StartElementOfSlot(W(), fsAction);
    }
    EXPECT_EQ(W().CurrentElement(), ElementAt(3)) << "the caret on the new Action";
    W().Assemble();
    EXPECT_EQ(Elements(), (std::vector<ElementSpec>{Heading, John, Hi, empty, John, c.marked, bye}));
    EXPECT_EQ(CueContinuedState(ElementAt(4)->split), 1);
  }
}

// Undo and Redo give back the continued marks the restored script calls
// for, also on names outside the elements the step brought back.
TEST_F(ContinuedCuesTest, UndoAndRedoGiveTheMarksBack) {
  const ElementSpec anna{ekCharacterName, "ANNA"};
  const ElementSpec ben{ekCharacterName, "BEN"};
  const std::vector<ElementSpec> script = {Heading,
                                           anna,
                                           {ekDialogue, "Coffee?"},
                                           ben,
                                           {ekDialogue, "Please."},
                                           {ekAction, "She pours."},
                                           anna,
                                           {ekDialogue, "Black?"}};
  const struct {
    const char* what;
    void (*change)();
  } cases[] = {
      {"Ben's cue made an Action",
       [] {
         SendKey(VK_F4);
         TypeText("a");
       }},
      {"Ben's cue retyped",
       [] {
         for (int i = 0; i < 3; ++i) SendKey(VK_BACK);
         TypeText("ANNA");
         SendKey(VK_RETURN);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(script, 3, -1);
    W().ContinuedPosition = 0;
    UpdateContinuedCues(W());
    TScriptElement* last = W().LastElement->prev;
    ASSERT_EQ(CueContinuedState(last->split), 0);
    c.change();
    ASSERT_EQ(CueContinuedState(last->split), 1) << "Anna speaks again after the action";
    for (int undo = 0; undo < 8 && Elements() != script; ++undo) UndoObject->Undo();
    W().Assemble();
    ASSERT_EQ(Elements(), script);
    last = W().LastElement->prev;
    EXPECT_EQ(CueContinuedState(last->split), 0) << "Ben speaks between Anna's speeches again";
    EXPECT_EQ(ShownLines(last), std::vector<std::string>{"ANNA"});
    W().DisAssemble();
    UndoObject->Redo();
    // Whatever step came back, its last name is marked as the rules mark it.
    editor::TakeElement(W(), *W().LastElement->prev);
    EXPECT_FALSE(UpdateContinuedCues(W())) << "redone";
  }
}

}  // namespace
}  // namespace qm
