// The automatic CONT'D of a character who speaks again within a scene.
#include "script/editing/continued_cues.h"

#include <gtest/gtest.h>

#include "script/fixtures/keys_fixture.h"
#include "script/model/cue_codes.h"
#include "script/script_window.h"

namespace qm {
namespace {

using testing::ElementSpec;

class ContinuedCuesTest : public testing::KeysFixture {};

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

}  // namespace
}  // namespace qm
