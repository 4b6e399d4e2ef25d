// What Enter, Tab and Shift+Tab make of each element type.
#include "script/editing/element_transitions.h"

#include <gtest/gtest.h>

#include "script/editing/script_list_data.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"

namespace qm {
namespace {

using testing::ElementSpec;
using testing::KeyCase;

class ElementTransitionsTest : public testing::KeysFixture {};

constexpr int End = -1;
const ElementSpec Before{ekAction, "Before."};
const ElementSpec Mary{ekCharacterName, "MARY"};
const ElementSpec PageBreak{ekForcedPageBreak, " "};

TEST_F(ElementTransitionsTest, EnterAndTabChooseTheNextElementByTypeAndCaret) {
  const ElementSpec heading{ekSceneHeading, "INT. HOUSE - DAY"};
  const ElementSpec shot{ekShot, "ANGLE ON BOB"};
  const ElementSpec transition{ekTransition, "CUT TO:"};
  const ElementSpec act{ekActStart, "ACT ONE"};
  const ElementSpec endOfAct{ekEndOfActText, "END OF ACT ONE"};
  const ElementSpec note{ekScriptNote, "Check this."};
  const ElementSpec action{ekAction, "He waits."};
  const ElementSpec speech{ekDialogue, "Hello."};
  const ElementSpec aside{ekParenthetical, "(softly)"};
  // clang-format off
  const std::vector<KeyCase> cases = {
      // Enter.
      {"action, at the end", {Before, action}, 1, End, VK_RETURN, 0, {Before, action, {ekAction, ""}}, 2},
      {"action, at column 0", {Before, action}, 1, 0, VK_RETURN, 0, {Before, {ekAction, ""}, action}, 1},
      {"empty action", {Before, {ekAction, ""}}, 1, 0, VK_RETURN, 0, {Before, {ekSceneHeading, "INT. "}}, 1, 5, false,
       "&INT."},
      {"heading, at the end", {Before, heading}, 1, End, VK_RETURN, 0, {Before, heading, {ekAction, ""}}, 2},
      {"heading, at column 0", {Before, heading}, 1, 0, VK_RETURN, 0, {Before, {ekAction, ""}, heading}, 1},
      {"empty heading", {Before, {ekSceneHeading, ""}}, 1, 0, VK_RETURN, 0, {Before, {ekSceneHeading, "EXT. "}}, 1, 5,
       false, "&EXT."},
      {"shot, at the end", {Before, shot}, 1, End, VK_RETURN, 0, {Before, shot, {ekAction, ""}}, 2},
      {"shot, at column 0", {Before, shot}, 1, 0, VK_RETURN, 0, {Before, {ekAction, ""}, shot}, 1},
      {"empty shot", {Before, {ekShot, ""}}, 1, 0, VK_RETURN, 0, {Before, {ekAction, ""}}, 1},
      {"cue, at the end", {Before, Mary}, 1, End, VK_RETURN, 0, {Before, Mary, {ekDialogue, ""}}, 2},
      {"cue, at column 0", {Before, Mary}, 1, 0, VK_RETURN, 0, {Before, Mary, {ekDialogue, ""}}, 2},
      {"cue with an open extension", {Before, {ekCharacterName, "MARY (V.O."}}, 1, End, VK_RETURN, 0,
       {Before, {ekCharacterName, "MARY (V.O.)"}, {ekDialogue, ""}}, 2},
      {"cue over its dialogue", {Before, Mary, speech}, 1, End, VK_RETURN, 0, {Before, Mary, speech}, 2},
      {"empty cue, no names to pick", {Before, {ekCharacterName, ""}}, 1, 0, VK_RETURN, 0,
       {Before, {ekDialogue, ""}}, 1},
      {"parenthetical, at the end", {Mary, aside}, 1, End, VK_RETURN, 0, {Mary, aside, {ekDialogue, ""}}, 2},
      {"parenthetical, at column 0", {Mary, aside}, 1, 0, VK_RETURN, 0, {Mary, {ekDialogue, ""}, aside}, 1},
      {"empty parenthetical under a cue", {Mary, {ekParenthetical, ""}}, 1, 0, VK_RETURN, 0,
       {Mary, {ekDialogue, ""}}, 1},
      {"empty parenthetical after dialogue", {Mary, speech, {ekParenthetical, ""}}, 2, 0, VK_RETURN, 0,
       {Mary, speech, {ekAction, ""}}, 2},
      {"dialogue, at the end", {Mary, speech}, 1, End, VK_RETURN, 0, {Mary, speech, {ekAction, ""}}, 2},
      {"empty dialogue", {Mary, {ekDialogue, ""}}, 1, 0, VK_RETURN, 0, {Mary, {ekAction, ""}}, 1},
      {"transition, at the end", {Before, transition}, 1, End, VK_RETURN, 0,
       {Before, transition, {ekSceneHeading, "INT. "}}, 2, 5, false, "&INT."},
      {"transition, at column 0", {Before, transition}, 1, 0, VK_RETURN, 0, {Before, {ekAction, ""}, transition}, 1},
      {"empty transition", {Before, {ekTransition, ""}}, 1, 0, VK_RETURN, 0, {Before, {ekSceneHeading, "EXT. "}}, 1, 5,
       false, "&EXT."},
      {"scene information, at the end", {Before, {ekSceneInformation, "SCENE 2"}}, 1, End, VK_RETURN, 0,
       {Before, {ekSceneInformation, "SCENE 2"}, {ekSceneHeading, "INT. "}}, 2, 5, false, "&INT."},
      {"act, at the end", {Before, act}, 1, End, VK_RETURN, 0, {Before, act, {ekSceneInformation, "~"}}, 2, 1},
      {"act, at column 0", {Before, act}, 1, 0, VK_RETURN, 0, {Before, {ekAction, ""}, act}, 1},
      {"end of act, at the end", {Before, endOfAct}, 1, End, VK_RETURN, 0,
       {Before, endOfAct, PageBreak, {ekActStart, "ACT"}, {ekSceneInformation, "~"}, {ekSceneHeading, "INT. "}}, 5, 5,
       false, "&INT."},
      {"end of act, at column 0", {Before, endOfAct}, 1, 0, VK_RETURN, 0, {Before, {ekAction, ""}, endOfAct}, 1},
      {"note, at the end", {Before, note}, 1, End, VK_RETURN, 0, {Before, note, {ekAction, ""}}, 2},
      {"empty note", {Before, {ekScriptNote, ""}}, 1, 0, VK_RETURN, 0, {Before, {ekAction, ""}}, 1},
      {"centered title", {Before, {ekCenteredTitle, "THE END"}}, 1, End, VK_RETURN, 0,
       {Before, {ekCenteredTitle, "THE END"}, {ekAction, ""}}, 2},
      {"Ctrl+Enter in a heading", {Before, heading}, 1, End, VK_RETURN, ssCtrl, {Before, heading, {ekAction, ""}}, 2},
      {"Ctrl+Enter in an empty action", {Before, {ekAction, ""}}, 1, 0, VK_RETURN, ssCtrl,
       {Before, {ekAction, " "}, {ekAction, ""}}, 2},
      // Tab.
      {"Tab, action at the end", {Before, action}, 1, End, VK_TAB, 0, {Before, action, {ekCharacterName, ""}}, 2},
      {"Tab, action at column 0", {Before, action}, 1, 0, VK_TAB, 0, {Before, {ekCharacterName, ""}, action}, 1},
      {"Tab, empty action", {Before, {ekAction, ""}}, 1, 0, VK_TAB, 0, {Before, {ekCharacterName, ""}}, 1},
      {"Tab, heading at the end", {Before, heading}, 1, End, VK_TAB, 0, {Before, heading, {ekCharacterName, ""}}, 2},
      {"Tab, dialogue at the end", {Mary, speech}, 1, End, VK_TAB, 0, {Mary, speech, {ekCharacterName, ""}}, 2},
      {"Tab, empty dialogue", {Mary, {ekDialogue, ""}}, 1, 0, VK_TAB, 0, {Mary, {ekCharacterName, ""}}, 1},
      {"Tab to a parenthetical after a cue", {Before, Mary}, 1, End, VK_TAB, 0,
       {Before, Mary, {ekParenthetical, ""}}, 2, 0, true},
      {"Tab to a parenthetical in empty dialogue", {Mary, {ekDialogue, ""}}, 1, 0, VK_TAB, 0,
       {Mary, {ekParenthetical, ""}}, 1, 0, true},
      {"Tab into the parenthetical below", {Mary, speech, aside}, 1, End, VK_TAB, 0, {Mary, speech, aside}, 2, 0, true},
      // Shift+Tab.
      {"Shift+Tab, the other speaker",
       {{ekCharacterName, "ANN"}, {ekDialogue, "Hi."}, {ekCharacterName, "BOB (V.O.)"}, {ekDialogue, "Hello."}}, 3, End,
       VK_TAB, ssShift,
       {{ekCharacterName, "ANN"}, {ekDialogue, "Hi."}, {ekCharacterName, "BOB (V.O.)"}, {ekDialogue, "Hello."},
        {ekCharacterName, "ANN"}, {ekDialogue, ""}},
       5},
      {"Shift+Tab, one speaker only", {Mary, speech}, 1, End, VK_TAB, ssShift,
       {Mary, speech, {ekCharacterName, ""}}, 2},
  };
  // clang-format on
  RunKeyCases(cases);
}

// Without QuickType the end of an act only puts in the break that starts
// the next act's page; at column 0 it makes room for an Action above.
TEST_F(ElementTransitionsTest, EnterOnTheEndOfAnActWithoutQuickTypePutsInAForcedBreak) {
  const ElementSpec endOfAct{ekEndOfActText, "END OF ACT ONE"};
  const ElementSpec act{ekActStart, "ACT TWO"};
  // clang-format off
  const std::vector<KeyCase> cases = {
      // Nothing follows the break: an empty Action takes the caret, so what
      // is typed next goes on the new page and not into the act's end.
      {"at the end, last element", {Before, endOfAct}, 1, End, VK_RETURN, 0,
       {Before, endOfAct, PageBreak, {ekAction, ""}}, 3, 0},
      {"at the end, an act follows", {Before, endOfAct, act}, 1, End, VK_RETURN, 0,
       {Before, endOfAct, PageBreak, act}, 3, 0},
      {"an empty line", {Before, {ekEndOfActText, ""}, act}, 1, 0, VK_RETURN, 0,
       {Before, PageBreak, {ekEndOfActText, ""}, act}, 2, 0},
      {"column 0", {Before, endOfAct}, 1, 0, VK_RETURN, 0, {Before, {ekAction, ""}, endOfAct}, 1},
  };
  // clang-format on
  Options().UseQuickType = false;
  RunKeyCases(cases);
}

// In word-processor mode every Enter starts a paragraph: an Action with no
// lines before and no capitals, whatever the line was; an empty line keeps
// a hard space. No menu ever opens.
TEST_F(ElementTransitionsTest, InWordProcessorModeEnterStartsAParagraph) {
  const std::string hardSpace(1, '\x04');
  const ElementSpec heading{ekSceneHeading, "INT. HOUSE - DAY"};
  const ElementSpec speech{ekDialogue, "Hello."};
  // clang-format off
  const std::vector<KeyCase> cases = {
      {"after a paragraph", {Before, {ekAction, "He waits."}}, 1, End, VK_RETURN, 0,
       {Before, {ekAction, "He waits."}, {ekAction, ""}}, 2},
      {"on an empty line", {Before, {ekAction, ""}}, 1, 0, VK_RETURN, 0,
       {Before, {ekAction, hardSpace}, {ekAction, ""}}, 2},
      {"after a heading", {Before, heading}, 1, End, VK_RETURN, 0, {Before, heading, {ekAction, ""}}, 2},
      {"on an empty heading", {Before, {ekSceneHeading, ""}}, 1, 0, VK_RETURN, 0,
       {Before, {ekSceneHeading, hardSpace}, {ekAction, ""}}, 2},
      {"after a cue", {Before, Mary}, 1, End, VK_RETURN, 0, {Before, Mary, {ekAction, ""}}, 2},
      {"after a speech", {Mary, speech}, 1, End, VK_RETURN, 0, {Mary, speech, {ekAction, ""}}, 2},
  };
  // clang-format on
  Press('W', TShiftState(ssCtrl));
  ASSERT_TRUE(Options().WordProcessorMode) << "Ctrl+W: Normal WP Mode";
  RunKeyCases(cases);
  EXPECT_EQ(W().CurrentElement()->format.LinesBefore, 0);
  EXPECT_EQ(W().CurrentElement()->format.AllCaps, 0);
  EXPECT_EQ(Driver().Pending(), 0);

  // Out of the mode an empty line asks for the scene's heading again.
  Press('W', TShiftState(ssCtrl));
  ASSERT_FALSE(Options().WordProcessorMode);
  Load({Before, {ekAction, "He waits."}}, 1, End);
  Press(VK_RETURN);
  EXPECT_EQ(W().CurrentElement()->format.LinesBefore, W().FormatSet[fsAction].LinesBefore);
  EXPECT_NE(W().FormatSet[fsAction].LinesBefore, 0);
}

// With "Enter in Note is HR" Enter in a note ends the note's line with a
// hard return, and what is typed next is on the line below, in the note.
TEST_F(ElementTransitionsTest, EnterInANoteAddsAHardReturnWhenTheOptionSaysSo) {
  const std::string mark(1, '\xA7');
  for (const bool hardReturn : {true, false}) {
    SCOPED_TRACE(hardReturn ? "option on" : "option off");
    Options().EnterInNoteIsHR = hardReturn;
    Load({Before, {ekScriptNote, "Check this."}}, 1, End);
    Press(VK_RETURN);
    TypeText("Second line.");
    if (hardReturn) {
      EXPECT_EQ(Elements(), (std::vector<ElementSpec>{Before, {ekScriptNote, "Check this." + mark + "Second line."}}));
      EXPECT_EQ(W().CurrentElement()->lineCount, 2) << "the mark ends the note's first line";
    } else {
      EXPECT_EQ(Elements(),
                (std::vector<ElementSpec>{Before, {ekScriptNote, "Check this."}, {ekAction, "Second line."}}));
    }
  }
}

// On the pages before page 1 (a script whose pages start at 0) Enter in
// an empty Action makes another Action rather than a scene heading, and
// each new Action there stands on the line after the last; past the first
// break the script's own rules hold again.
TEST_F(ElementTransitionsTest, OnPageZeroEnterMakesActionsWithNoLinesBefore) {
  const struct {
    const char* what;
    std::vector<ElementSpec> before;
    int current;
    int column;
    std::vector<ElementSpec> after;
    Byte linesBefore;
    const char* menuChoice;
  } cases[] = {
      {"an empty action", {Before, {ekAction, ""}}, 1, 0, {Before, {ekAction, " "}, {ekAction, ""}}, 0, nullptr},
      {"after an action", {Before}, 0, End, {Before, {ekAction, ""}}, 0, nullptr},
      {"after a cue", {Before, Mary}, 1, End, {Before, Mary, {ekDialogue, ""}}, 255, nullptr},
      {"past the first break",
       {Before, PageBreak, {ekAction, ""}},
       2,
       0,
       {Before, PageBreak, {ekSceneHeading, "INT. "}},
       255,
       "&INT."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.before, c.current, c.column);
    W().PageStart = 0;
    if (c.menuChoice) ExpectChoice(c.menuChoice);
    Press(VK_RETURN);
    EXPECT_EQ(Elements(), c.after);
    const TScriptElement* made = W().CurrentElement();
    const Byte slotLines = W().FormatSet[static_cast<std::size_t>(FormatSlotOfKind(made->Kind()))].LinesBefore;
    EXPECT_EQ(made->format.LinesBefore, c.linesBefore == 255 ? slotLines : c.linesBefore);
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

TEST_F(ElementTransitionsTest, EnterInTheEmptyFirstActionOffersTheScriptOpening) {
  for (const TModalResult answer : {mrYes, mrNo}) {
    SCOPED_TRACE(answer == mrYes ? "Yes" : "No");
    Load({{ekAction, ""}});
    ExpectBox("Put In \"FADE IN:\"?", answer);
    ExpectChoice("<No Initial Te&xt>");
    Press(VK_RETURN);
    if (answer == mrYes) {
      EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "FADE IN:"}, {ekSceneHeading, ""}}));
      EXPECT_EQ(W().FirstElement->format.AllCaps, 1);
      EXPECT_EQ(W().FirstElement->state, esKeepFollowing);
    } else {
      EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekSceneHeading, ""}}));
    }
  }
}

// Enter in an empty Action offers a heading's opening; the menu closed
// with nothing chosen takes the heading away again. Where a page break
// stood before it the caret goes back to the text before the break, never
// onto the break, so that what is typed next lands in the script's text.
TEST_F(ElementTransitionsTest, AHeadingTakenAwayAfterAPageBreakLeavesTheCaretOffTheBreak) {
  Options().UseQuickType = true;
  Load({Before, PageBreak, {ekAction, ""}, {ekAction, "After."}}, 2);
  // Numbered pages: on page "0" Enter offers no heading.
  W().RefreshLayout();
  ExpectChoice("nothing chosen");
  Press(VK_RETURN);
  EXPECT_EQ(Driver().Pending(), 0);
  ASSERT_FALSE(IsPageBreakKind(W().CurrentElement()->Kind()));
  TypeText("x");
  for (const ElementSpec& e : Elements()) {
    if (IsPageBreakKind(e.kind)) {
      EXPECT_EQ(e.text, " ") << "nothing typed into the break";
    }
  }
  EXPECT_EQ(LiveElementText(W(), *W().FirstElement), "Before.x");
}

TEST_F(ElementTransitionsTest, EnterOnANameWithTheListUpTakesTheListsChoice) {
  Load({Mary, {ekDialogue, "Hi."}, {ekCharacterName, "MIKE"}, {ekDialogue, "Yo."}, {ekAction, ""}}, 4);
  Press(VK_TAB);
  TypeText("m");
  ASSERT_TRUE(PickListShowing()) << "typing a cue offers the script's names";
  Press(VK_DOWN);
  Press(VK_RETURN);
  EXPECT_FALSE(PickListShowing());
  EXPECT_EQ(ElementAt(4)->text.value_or(""), "MIKE");
  EXPECT_EQ(W().CurrentElement()->Kind(), ekDialogue);
}

TEST_F(ElementTransitionsTest, EscapeClosesTheListAndFinishesTheCueAsTyped) {
  Load({Mary, {ekDialogue, "Hi."}, {ekAction, ""}}, 2);
  Press(VK_TAB);
  TypeText("ma");
  ASSERT_TRUE(PickListShowing());
  Press(VK_ESCAPE);
  EXPECT_FALSE(PickListShowing());
  EXPECT_EQ(ElementAt(2)->text.value_or(""), "MA");
  EXPECT_EQ(W().CurrentElement()->Kind(), ekDialogue);
}

TEST_F(ElementTransitionsTest, EnterOnAnEmptyCuePicksANameAndGoesOnIntoItsDialogue) {
  Load({Mary, {ekDialogue, "Hi."}, {ekCharacterName, "BOB"}, {ekDialogue, "Yo."}, {ekCharacterName, ""}}, 4);
  std::vector<std::string> offered;
  ExpectPick("BOB", &offered);
  Press(VK_RETURN);
  EXPECT_EQ(offered, (std::vector<std::string>{"BOB", "MARY"}));
  EXPECT_EQ(ElementAt(4)->text.value_or(""), "BOB");
  EXPECT_EQ(CurrentIndex(), 5);
  EXPECT_EQ(W().CurrentElement()->Kind(), ekDialogue);
}

TEST_F(ElementTransitionsTest, AFinishedCueIsRememberedUnderItsInitial) {
  const struct {
    std::string cue;
    Byte initial;
    std::string remembered;
  } cases[] = {
      {"MARY (V.O.)", 'M', "MARY"},
      {"2ND COP", '2', ""},
      {"\"BUD\"", '"', ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cue);
    Load({Before, {ekCharacterName, c.cue}}, 1, End);
    Press(VK_RETURN);
    EXPECT_EQ(W().CurrentElement()->Kind(), ekDialogue);
    EXPECT_EQ(ListData(W()).RememberedNames[c.initial], c.remembered);
  }
}

TEST_F(ElementTransitionsTest, ScenesLockedGiveNewHeadingsTheirAddedKind) {
  const struct {
    const char* what;
    std::vector<ElementSpec> after;  // what follows the caret's Action
    bool multiLocked;
    Byte kind;
  } cases[] = {
      {"before a plain heading", {{ekSceneHeading, "EXT. YARD"}}, true, ekASceneHeading},
      {"before an added heading, multi-locked", {{ekASceneHeading, "EXT. YARD"}}, true, ekDashASceneHeading},
      {"before an added heading", {{ekASceneHeading, "EXT. YARD"}}, false, ekASceneHeading},
      {"after every heading, multi-locked", {}, true, ekSceneHeading},
      {"after every heading", {}, false, ekSceneHeading},
  };
  Options().AutoAddSceneBody = false;  // no location list after the heading
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<ElementSpec> script{{ekSceneHeading, "INT. HALL"}, {ekAction, "He waits."}};
    script.insert(script.end(), c.after.begin(), c.after.end());
    Load(script, 1, End);
    W().ScenesLocked = 1;
    W().ScenesMultiLocked = c.multiLocked;
    Press('E', TShiftState(ssCtrl));
    EXPECT_EQ(W().CurrentElement()->Kind(), c.kind);
    EXPECT_EQ(W().EditBuffer(), "EXT. ");
    W().ScenesLocked = 0;
  }
}

}  // namespace
}  // namespace qm
