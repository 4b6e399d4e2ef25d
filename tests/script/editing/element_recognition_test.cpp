// Typed texts that the script's user lists know turn the element into
// their type, with the lists a new script has.
#include "script/editing/element_recognition.h"

#include <gtest/gtest.h>

#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"

namespace qm {
namespace {

using testing::ElementSpec;

class ElementRecognitionTest : public testing::KeysFixture {};

const ElementSpec Before{ekAction, "Before."};

struct RecognitionCase {
  const char* what;
  std::vector<ElementSpec> before;  // the last element takes the typing
  std::string typed;
  std::vector<ElementSpec> after;
  int currentAfter;
  bool quickType = true;
  bool withinActs = false;
  // The opening chosen for the heading that follows (its menu shows).
  const char* opening = nullptr;
};

TEST_F(ElementRecognitionTest, EachKindOfTheDefaultListsIsRecognised) {
  // clang-format off
  const std::vector<RecognitionCase> cases = {
      {"a scene opening", {Before, {ekAction, ""}}, "INT. KITCHEN", {Before, {ekSceneHeading, "INT. KITCHEN"}}, 1},
      {"an opening in lower case", {Before, {ekAction, ""}}, "ext. yard", {Before, {ekSceneHeading, "EXT. yard"}}, 1},
      {"a shot", {Before, {ekAction, ""}}, "angle on Bob", {Before, {ekShot, "ANGLE ON Bob"}}, 1},
      {"the end of an act", {Before, {ekAction, ""}}, "END OF", {Before, {ekEndOfActText, "END OF"}}, 1},
      {"a prologue starts the first scene", {Before, {ekAction, ""}}, "teaser",
       {Before, {ekPrologueText, "TEASER"}, {ekSceneHeading, "INT. "}}, 2, true, false, "&INT."},
      {"the tag text", {Before, {ekAction, ""}}, "TAG", {Before, {ekPrologueText, "TAG"}, {ekSceneHeading, "EXT. "}}, 2,
       true, false, "&EXT."},
      {"a new act by its alias", {Before, {ekAction, ""}}, "NEWACT", {Before, {ekActStart, "ACT"}}, 1},
      {"the same act", {{ekActStart, "ACT ONE"}, {ekAction, ""}}, "SAMEACT",
       {{ekActStart, "ACT ONE"}, {ekActInformation, "ACT"}}, 1},
      {"a new scene within acts", {Before, {ekAction, ""}}, "NEWSCENE",
       {Before, {ekSceneInformation, "SCENE"}, {ekSceneHeading, "INT. "}}, 2, true, true, "&INT."},
      {"a transition starts the next scene", {Before, {ekAction, ""}}, "fade out:",
       {Before, {ekTransition, "FADE OUT:"}, {ekSceneHeading, "INT. "}}, 2, true, false, "&INT."},
      {"a typed transition keeps its letters", {Before, {ekAction, ""}}, "cut to:",
       {Before, {ekTransition, "cut to:"}, {ekSceneHeading, "INT. "}}, 2, true, false, "&INT."},
      {"any line ending in TO: is a transition", {Before, {ekAction, ""}}, "SMASH CUT TO:",
       {Before, {ekTransition, "SMASH CUT TO:"}, {ekSceneHeading, "INT. "}}, 2, true, false, "&INT."},
      {"a TO: past column 21 is text", {Before, {ekAction, ""}}, "And then she slowly walks TO:",
       {Before, {ekAction, "And then she slowly walks TO:"}}, 1},
      {"without QuickType nothing more starts", {Before, {ekAction, ""}}, "CUT TO:",
       {Before, {ekTransition, "CUT TO:"}}, 1, false},
      {"without QuickType a prologue only changes", {Before, {ekAction, ""}}, "TEASER",
       {Before, {ekPrologueText, "TEASER"}}, 1, false},
      {"a heading is no shot", {{ekSceneHeading, ""}}, "ANGLE ON BOB", {{ekSceneHeading, "ANGLE ON BOB"}}, 0},
      {"a transition is not recognised again", {{ekTransition, ""}}, "CUT TO:", {{ekTransition, "CUT TO:"}}, 0},
      {"dialogue takes no transition", {{ekCharacterName, "MARY"}, {ekDialogue, ""}}, "cut to:",
       {{ekCharacterName, "MARY"}, {ekDialogue, "cut to:"}}, 1},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Options().UseQuickType = c.quickType;
    Load(c.before, static_cast<int>(c.before.size()) - 1);
    W().ScenesWithinActs = c.withinActs;
    if (c.opening) ExpectChoice(c.opening);
    TypeText(c.typed);
    EXPECT_EQ(Elements(), c.after);
    EXPECT_EQ(CurrentIndex(), c.currentAfter);
  }
}

TEST_F(ElementRecognitionTest, TheScriptOpeningMakesAKeptCapitalActionAndAHeading) {
  Load({{ekAction, ""}});
  ExpectChoice("&INT.");
  TypeText("fade in:");
  ASSERT_EQ(W().ElementCount(), 2);
  const TScriptElement* opening = W().FirstElement;
  EXPECT_EQ(opening->Kind(), ekAction);
  EXPECT_EQ(opening->format.AllCaps, 1);
  EXPECT_EQ(opening->state, esKeepFollowing);
  EXPECT_EQ(W().CurrentElement()->Kind(), ekSceneHeading);
}

TEST_F(ElementRecognitionTest, TheEndOfAnActTakesTheActFormatWithOneLineBefore) {
  Load({Before, {ekAction, ""}}, 1);
  TypeText("end of");
  EXPECT_EQ(W().CurrentElement()->format.LinesBefore, 10);
  EXPECT_EQ(W().CurrentElement()->format.LeftMargin, W().FormatSet[fsActInformation].LeftMargin);
}

TEST_F(ElementRecognitionTest, ARecognisedOpeningEndsTheKeystrokeAndOffersTheLocations) {
  Load({{ekSceneHeading, "INT. KITCHEN - NIGHT"}, {ekAction, "She waits."}, {ekAction, ""}}, 2);
  std::vector<std::string> offered;
  ExpectPick("KITCHEN", &offered);
  ExpectChoice("&DAY");
  TypeText("INT.");
  EXPECT_EQ(offered, (std::vector<std::string>{" ", "KITCHEN"}));
  // The location was picked, so the heading takes its time of day and an
  // Action follows.
  EXPECT_EQ(Elements()[2], (ElementSpec{ekSceneHeading, "INT. KITCHEN - DAY"}));
  EXPECT_EQ(W().CurrentElement()->Kind(), ekAction);
  EXPECT_EQ(CurrentIndex(), 3);
}

TEST_F(ElementRecognitionTest, LockedScenesGiveARecognisedHeadingItsKind) {
  const struct {
    const char* what;
    std::vector<ElementSpec> after;
    bool multiLocked;
    Byte kind;
  } cases[] = {
      // The rule is tested with Ctrl+E; these show a recognised heading asks it too.
      {"above an added heading, multi-locked", {{ekASceneHeading, "EXT. YARD"}}, true, ekDashASceneHeading},
      {"above an added heading", {{ekDashASceneHeading, "EXT. YARD"}}, false, ekASceneHeading},
      {"at the end", {}, true, ekSceneHeading},
  };
  Options().AutoAddSceneBody = false;  // no location list after the heading
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<ElementSpec> script{{ekAction, ""}};
    script.insert(script.end(), c.after.begin(), c.after.end());
    Load(script);
    W().ScenesLocked = 1;
    W().ScenesMultiLocked = c.multiLocked;
    TypeText("INT. HALL");
    EXPECT_EQ(W().FirstElement->Kind(), c.kind);
    W().ScenesLocked = 0;
  }
}

}  // namespace
}  // namespace qm
