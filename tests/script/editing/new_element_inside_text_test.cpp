// A Shot, Transition or Scene Heading started with the caret inside an
// element's text: the element breaks at the caret, the words after it
// stay as the second piece, and the new element goes in between. However
// the writer starts it (a key, a right panel button) and however the menu
// that follows is left, no word is lost.
#include <gtest/gtest.h>

#include "platform/office_button.h"
#include "script/editing/popup_choice.h"
#include "script/fixtures/keys_fixture.h"

namespace qm::testing {
namespace {

class NewElementInsideTextTest : public KeysFixture {
 protected:
  void SetUp() override {
    KeysFixture::SetUp();
    // The quick-choice menus rather than the running pick lists.
    Options().KeepRunningShots = false;
    Options().KeepRunningTransitions = false;
  }
  void Start(const char* button, Word key) {
    if (!button) {
      Press(key, TShiftState(ssCtrl));
      return;
    }
    auto* b = dynamic_cast<TOfficeButton*>(MainForm->FindComponent(button));
    ASSERT_NE(b, nullptr) << button;
    b->Click();
  }
};

const ElementSpec Waits{ekAction, "He waits. "};
const ElementSpec Runs{ekAction, "Then runs."};

TEST_F(NewElementInsideTextTest, TheWordsAfterTheCaretStayAndTheNewElementGoesBetween) {
  const struct {
    const char* what;
    const char* button;  // null: the key with Ctrl
    Word key;
    const char* choice;  // the menu's item; "" closes it without a choice
    std::vector<ElementSpec> after;
    int current;
  } cases[] = {
      {"Ctrl+T, CUT TO:", nullptr, 'T', "&CUT TO:", {Waits, {ekTransition, "CUT TO:"}, Runs}, 1},
      {"Ctrl+H, ANGLE ON", nullptr, 'H', "&ANGLE ON", {Waits, {ekShot, "ANGLE ON"}, Runs}, 1},
      {"Ctrl+O, ANGLE ON", nullptr, 'O', "&ANGLE ON", {Waits, {ekShot, "ANGLE ON"}, Runs}, 1},
      {"the T button, DISSOLVE TO:",
       "TransitionBtn",
       0,
       "&DISSOLVE TO:",
       {Waits, {ekTransition, "DISSOLVE TO:"}, Runs},
       1},
      {"the Sh button, BACK TO SCENE", "ShotBtn", 0, "&BACK TO SCENE", {Waits, {ekShot, "BACK TO SCENE"}, Runs}, 1},
      {"Ctrl+H, the menu closed", nullptr, 'H', "", {Waits, Runs}, 0},
      {"Ctrl+O, Nevermind", nullptr, 'O', NevermindCaption, {Waits, Runs}, 0},
      {"the Sh button, the menu closed", "ShotBtn", 0, "", {Waits, Runs}, 0},
      {"Ctrl+T, the menu closed: a transition to type", nullptr, 'T', "", {Waits, {ekTransition, "\xA0"}, Runs}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekAction, "He waits. Then runs."}}, 0, 10);
    ExpectChoice(c.choice);
    Start(c.button, c.key);
    EXPECT_EQ(Elements(), c.after);
    EXPECT_EQ(CurrentIndex(), c.current);
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

// A running pick list left without an entry keeps the words too.
TEST_F(NewElementInsideTextTest, ARunningListClosedWithoutAnEntryLosesNothing) {
  Options().KeepRunningShots = true;
  Load({{ekAction, "He waits. Then runs."}}, 0, 10);
  ExpectPick("no such shot");
  Press('H', TShiftState(ssCtrl));
  // The shot left empty is stored as a blank.
  W().Assemble();
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{Waits, {ekShot, " "}, Runs}));
  EXPECT_EQ(Driver().Pending(), 0);
}

// Inside a speech the rest of the speech goes on under its name again.
TEST_F(NewElementInsideTextTest, InsideADialogueTheRestOfTheSpeechKeepsItsName) {
  const ElementSpec mary{ekCharacterName, "MARY"};
  Load({mary, {ekDialogue, "Hello there. How are you?"}}, 1, 13);
  ExpectChoice("&CUT TO:");
  Press('T', TShiftState(ssCtrl));
  EXPECT_EQ(Elements(),
            (std::vector<ElementSpec>{
                mary, {ekDialogue, "Hello there. "}, {ekTransition, "CUT TO:"}, mary, {ekDialogue, "How are you?"}}));
  EXPECT_EQ(CurrentIndex(), 2);
}

TEST_F(NewElementInsideTextTest, CtrlSInsideAnActionStartsAHeadingBetweenItsPieces) {
  Load({{ekAction, "He waits. Then runs."}}, 0, 10);
  ExpectChoice(NoInitialTextCaption);
  Press('S', TShiftState(ssCtrl));
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{Waits, {ekSceneHeading, ""}, Runs}));
  EXPECT_EQ(CurrentIndex(), 1);
  EXPECT_EQ(Driver().Pending(), 0);
}

// A name picked with Ctrl+C on the line a menu left for the writer's own
// text takes the line's place.
TEST_F(NewElementInsideTextTest, ANamePickedOnALineLeftToTypeReplacesItsPlaceholder) {
  const struct {
    const char* what;
    Word key;
    const char* choice;
    Byte kind;
  } cases[] = {
      {"a shot with no initial text", 'H', NoInitialTextCaption, ekShot},
      {"a new transition", 'T', NewTransitionCaption, ekTransition},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekCharacterName, "MARY"}, {ekDialogue, "Hi."}, {ekAction, "He waits."}}, 2, -1);
    ExpectChoice(c.choice);
    Press(c.key, TShiftState(ssCtrl));
    ExpectPick("MARY");
    Press('C', TShiftState(ssCtrl));
    EXPECT_EQ(Elements().back(), (ElementSpec{c.kind, "Mary"}));
    EXPECT_EQ(W().CaretColumn(), 4);
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

// The same kind started inside its own kind's text, at the start of the
// text, or on the blank before a word: the words stay.
TEST_F(NewElementInsideTextTest, TheWordsStayWhereverInTheTextTheCaretStands) {
  const ElementSpec angle{ekShot, "ANGLE ON "};
  const struct {
    const char* what;
    ElementSpec start;
    int column;
    Word key;
    const char* choice;
    std::vector<ElementSpec> after;
  } cases[] = {
      {"on the blank before a word",
       {ekAction, "He waits. Then runs."},
       9,
       'T',
       "&CUT TO:",
       {Waits, {ekTransition, "CUT TO:"}, Runs}},
      {"at the start of the text",
       {ekAction, "He waits. Then runs."},
       0,
       'T',
       "&CUT TO:",
       {{ekTransition, "CUT TO:"}, {ekAction, "He waits. Then runs."}}},
      {"a shot inside a shot",
       {ekShot, "ANGLE ON MARY"},
       9,
       'H',
       "&BACK TO SCENE",
       {angle, {ekShot, "BACK TO SCENE"}, {ekShot, "MARY"}}},
      {"a shot inside a shot, the menu closed", {ekShot, "ANGLE ON MARY"}, 9, 'H', "", {angle, {ekShot, "MARY"}}},
      {"a transition inside a transition",
       {ekTransition, "CUT TO: LATER"},
       8,
       'T',
       "&DISSOLVE TO:",
       {{ekTransition, "CUT TO: "}, {ekTransition, "DISSOLVE TO:"}, {ekTransition, "LATER"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({c.start}, 0, c.column);
    ExpectChoice(c.choice);
    Press(c.key, TShiftState(ssCtrl));
    W().Assemble();
    EXPECT_EQ(Elements(), c.after);
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

}  // namespace
}  // namespace qm::testing
