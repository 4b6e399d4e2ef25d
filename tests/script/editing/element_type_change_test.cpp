// Changing an element's type from the element box.
#include "script/editing/element_type_change.h"

#include <gtest/gtest.h>

#include "script/editing/continued_cues.h"
#include "script/fixtures/keys_fixture.h"
#include "script/model/cue_codes.h"
#include "shell/main_form.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::ElementSpec;

class ElementTypeChangeTest : public testing::KeysFixture {
 protected:
  // The pop-up answers `item` and keeps the captions it showed.
  TTypePopup Answer(int item) {
    return [this, item](const std::vector<std::string>& captions) {
      shown_ = captions;
      return item;
    };
  }
  std::vector<std::string> shown_;
};

const ElementSpec Mary{ekCharacterName, "MARY"};
const ElementSpec Hi{ekDialogue, "Hi."};

TEST_F(ElementTypeChangeTest, SpeechesStaySoundAroundTheChangedElement) {
  // clang-format off
  const struct {
    const char* what;
    std::vector<ElementSpec> before;
    int current;
    int entry;
    std::vector<ElementSpec> after;
  } cases[] = {
      {"a dialogue before more speech gets its speaker back", {Mary, Hi, {ekParenthetical, "beat"}, {ekDialogue, "Go."}},
       1, ebAction, {Mary, {ekAction, "Hi."}, Mary, {ekParenthetical, "beat"}, {ekDialogue, "Go."}}},
      {"a name turned to action takes its dialogue along", {Mary, Hi}, 0, ebAction,
       {{ekAction, "MARY"}, {ekAction, "Hi."}}},
      {"an action after a name becomes dialogue", {Mary, {ekAction, "Hello."}}, 1, ebDialogue,
       {Mary, {ekDialogue, "Hello."}}},
      {"a new name turns the action after it into dialogue", {{ekAction, "mary"}, {ekAction, "Hello."}}, 0,
       ebCharacterName, {Mary, {ekDialogue, "Hello."}}},
      {"a parenthetical loses the parentheses its format gives", {Mary, {ekDialogue, "(softly) "}}, 1,
       ebParenthetical, {Mary, {ekParenthetical, "softly"}}},
      {"a dialogue without a speaker has a made-up one", {{ekAction, "Rain."}, {ekAction, "Hi."}, Hi}, 1,
       ebShot, {{ekAction, "Rain."}, {ekShot, "Hi."}, {ekCharacterName, "???"}, Hi}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.before, c.current, 0);
    EXPECT_TRUE(ChangeElementType(W(), c.entry, {}));
    EXPECT_EQ(Elements(), c.after);
  }
}

// A type changed with F4 and the box's letter is a retyped element: a
// heading made between two speeches of one speaker ends the second one's
// CONT'D, and a heading made into an action gives it, on screen as in the
// script the printed pages are made from.
TEST_F(ElementTypeChangeTest, ARetypedElementBetweenTwoSpeechesOfOneSpeakerSetsTheContinuedMark) {
  const ElementSpec john{ekCharacterName, "JOHN"};
  const ElementSpec yes{ekDialogue, "Yes."};
  const ElementSpec no{ekDialogue, "No."};
  const struct {
    const char* what;
    ElementSpec between;
    char letter;
    int state;
  } cases[] = {
      {"an action made a heading", {ekAction, "He waits."}, 's', 0},
      {"a heading made an action", {ekSceneHeading, "LATER"}, 'a', 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekSceneHeading, "INT. ROOM - DAY"}, john, yes, c.between, john, no}, 3, 0);
    W().ContinuedPosition = 0;
    UpdateContinuedCues(W());
    ASSERT_EQ(CueContinuedState(ElementAt(4)->split), 1 - c.state) << "as the script stood";
    Press(VK_F4);
    ASSERT_TRUE(MainForm->ElementPopDownList->Visible());
    TypeText(std::string(1, c.letter));
    ASSERT_EQ(ElementAt(3)->Kind(), c.letter == 's' ? ekSceneHeading : ekAction);
    EXPECT_EQ(CueContinuedState(ElementAt(4)->split), c.state);
    std::vector<std::string> shownCues;
    for (int i = 1; i <= ScreenLineCount; ++i)
      if (W().ScreenLines[static_cast<std::size_t>(i)].element == ElementAt(4))
        shownCues.push_back(W().ScreenLines[static_cast<std::size_t>(i)].text);
    EXPECT_EQ(shownCues, std::vector<std::string>{c.state == 1 ? "JOHN (CONT'D)" : "JOHN"});
  }
}

TEST_F(ElementTypeChangeTest, DialogueNeedsASpeechBeforeIt) {
  Load({{ekSceneHeading, "INT. ROOM - DAY"}, {ekAction, "Hello."}}, 1, 0);
  ExpectBox("You can ONLY convert an element to dialogue if it is following an existing Character Name or speech.",
            mrOk);
  EXPECT_FALSE(ChangeElementType(W(), ebDialogue, {}));
  EXPECT_EQ(Elements()[1], (ElementSpec{ekAction, "Hello."}));
}

TEST_F(ElementTypeChangeTest, AMarkedMiddlePartBecomesAnElementOfItsOwn) {
  Load({{ekAction, "Before. ANGLE ON DOOR After."}}, 0, 0);
  EditFields(W()).BlockOn = 1;
  W().CurrentElement()->blockStart = 8;
  W().CurrentElement()->blockEnd = 21;
  EXPECT_TRUE(ChangeElementType(W(), ebShot, {}));
  EXPECT_EQ(Elements(),
            (std::vector<ElementSpec>{{ekAction, "Before."}, {ekShot, "ANGLE ON DOOR"}, {ekAction, "After."}}));

  Load({{ekAction, "One."}, {ekAction, "Two."}}, 0, 0);
  EditFields(W()).BlockOn = 1;
  W().CurrentElement()->blockStart = 2;
  W().CurrentElement()->blockEnd = 4;
  W().CurrentElement()->next->blockStart = 0;
  W().CurrentElement()->next->blockEnd = 2;
  ExpectBox("Sorry but you cannot convert the type of more than one element at a time!", mrOk);
  EXPECT_FALSE(ChangeElementType(W(), ebShot, {}));
}

TEST_F(ElementTypeChangeTest, ActAndLockedHeadingsAskWhichKind) {
  Load({{ekAction, "ACT ONE"}}, 0, 0);
  EXPECT_FALSE(ChangeElementType(W(), ebActInformation, Answer(0)));
  EXPECT_EQ(W().CurrentElement()->Kind(), ekAction) << "dismissed";
  EXPECT_TRUE(ChangeElementType(W(), ebActInformation, Answer(1)));
  EXPECT_EQ(shown_, (std::vector<std::string>{"&New Act Information", "&Same Act Information"}));
  EXPECT_EQ(W().CurrentElement()->Kind(), ekActStart);

  Load({{ekAction, "INT. HALL - DAY"}}, 0, 0);
  W().ScenesLocked = 1;
  EXPECT_TRUE(ChangeElementType(W(), ebSceneHeading, Answer(2)));
  EXPECT_EQ(W().CurrentElement()->Kind(), ekASceneHeading);
}

}  // namespace
}  // namespace qm
