// The Ctrl keys that reach the main window's buttons and menus, the page
// keys that move by printed page, the mark a complete deletion leaves on
// what follows it, and the pointer hidden while the writer types.
#include <gtest/gtest.h>

#include "platform/input.h"
#include "platform/office_button.h"
#include "script/editing/keyboard_commands.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::ElementSpec;

class KeyBindingsTest : public testing::KeysFixture {
 protected:
  // The script is one Action with the characters from `from` to `to` marked.
  void LoadMarked(const std::string& text, int from, int to) {
    Load({{ekAction, text}}, 0, to);
    W().CurrentElement()->blockStart = from;
    W().CurrentElement()->blockEnd = to;
    EditFields(W()).BlockOn = 1;
  }
  TOfficeButton* Button(const char* name) { return dynamic_cast<TOfficeButton*>(MainForm->FindComponent(name)); }
};

TEST_F(KeyBindingsTest, StyleKeysPutTheirCodesAroundTheBlock) {
  const struct {
    Word key;
    const char* result;
  } cases[] = {
      {'B', "one \x02two\x03 three"},
      {'U', "one \x15two\x16 three"},
      {'Y', "one \x19two\x1A three"},
      {'I', "one \x19two\x1A three"},  // with a block Ctrl+I is italics too
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<char>(c.key));
    LoadMarked("one two three", 4, 7);
    Press(c.key, TShiftState(ssCtrl));
    EXPECT_EQ(W().EditBuffer(), c.result);
    EXPECT_EQ(W().CurrentElement()->Kind(), ekAction) << "no new element";
  }
}

TEST_F(KeyBindingsTest, CtrlNTakesTheStylesOff) {
  LoadMarked("one \x02two\x03 three", 0, 13);
  Press('N', TShiftState(ssCtrl));
  EXPECT_EQ(W().EditBuffer(), "one two three");
}

TEST_F(KeyBindingsTest, ShotAndTransitionKeysOfferTheirMenus) {
  const struct {
    Word key;
    const char* choice;
    ElementSpec made;
  } cases[] = {
      {'H', "&ANGLE ON", {ekShot, "ANGLE ON"}},
      {'O', "&BACK TO SCENE", {ekShot, "BACK TO SCENE"}},
      {'T', "&CUT TO:", {ekTransition, "CUT TO:"}},
  };
  MainForm->KeepRunningShots = false;
  MainForm->KeepRunningTransitions = false;
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<char>(c.key));
    Load({{ekAction, "He waits."}}, 0, -1);
    ExpectChoice(c.choice);
    Press(c.key, TShiftState(ssCtrl));
    EXPECT_EQ(Driver().Pending(), 0) << "the menu was shown";
    EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "He waits."}, c.made}));
  }
}

TEST_F(KeyBindingsTest, InteractiveKeysUseTheElementButtons) {
  // Ctrl+J is the Action button and Ctrl+T the Transition button only in a
  // branching script; elsewhere Ctrl+J does nothing.
  int actionClicks = 0;
  TOfficeButton* action = Button("ActionBtn");
  ASSERT_NE(action, nullptr);
  action->SetEnabled(true);
  action->OnClick = [&actionClicks](TObject*) { ++actionClicks; };
  for (const bool interactive : {false, true}) {
    SCOPED_TRACE(interactive ? "interactive" : "plain");
    Load({{ekAction, "He waits."}}, 0, -1);
    W().InteractiveScript = interactive;
    actionClicks = 0;
    Press('J', TShiftState(ssCtrl));
    EXPECT_EQ(actionClicks, interactive ? 1 : 0);
    EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "He waits."}}));
  }
}

TEST_F(KeyBindingsTest, CtrlPageKeysMoveByPrintedPage) {
  const ElementSpec first{ekAction, "Page one."};
  const ElementSpec second{ekAction, "Page two."};
  const ElementSpec pageBreak{ekForcedPageBreak, " "};
  Load({first, {ekAction, "More of it."}, pageBreak, second}, 0, 3);
  Press(VK_NEXT, TShiftState(ssCtrl));
  EXPECT_EQ(CurrentIndex(), 3) << "past the page break";
  EXPECT_EQ(W().CaretColumn(), 0);
  Press(VK_PRIOR, TShiftState(ssCtrl));
  EXPECT_EQ(CurrentIndex(), 0) << "back to the page before";
}

// What is typed after a forced break goes on the new page, wherever the
// caret stood: at the end of the script's last element nothing followed the
// break, and the text used to land before the old element's text.
TEST_F(KeyBindingsTest, TextTypedAfterAForcedBreakGoesOnTheNewPage) {
  const ElementSpec pageBreak{ekForcedPageBreak, " "};
  const struct {
    const char* what;
    std::vector<ElementSpec> script;
    int current;
    std::vector<ElementSpec> typed;
  } cases[] = {
      {"at the end of the last element", {{ekAction, "One."}}, 0, {{ekAction, "One."}, pageBreak, {ekAction, "Two."}}},
      {"at the end of an element with one after it",
       {{ekAction, "One."}, {ekAction, "Three."}},
       0,
       {{ekAction, "One."}, pageBreak, {ekAction, "Two.Three."}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.script, c.current, -1);
    Press(VK_RETURN, TShiftState(ssShift));
    TypeText("Two.");
    EXPECT_EQ(Elements(), c.typed);
  }
}

TEST_F(KeyBindingsTest, DeletingAWholeElementMarksWhatFollowsWhenCutsAreMarked) {
  const struct {
    const char* what;
    bool marking, markAllCuts;
    bool marked;
  } cases[] = {
      {"marks on, cuts marked", true, true, true},
      {"marks on, cuts not marked", true, false, false},
      {"marks off", false, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Options().MarkAllCuts = c.markAllCuts;
    Load({{ekAction, "First."}, {ekAction, ""}, {ekAction, "Second one."}}, 1, 0);
    W().RevisionMarking = c.marking;
    Press(VK_DELETE);
    ASSERT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "First."}, {ekAction, "Second one."}}));
    ASSERT_EQ(CurrentIndex(), 1);
    TScriptElement* next = W().CurrentElement();
    const bool lineOne = next->revisedLines && next->revisedLines->find('\x01') != std::string::npos;
    EXPECT_EQ(lineOne, c.marked);
  }
}

TEST_F(KeyBindingsTest, TypingHidesThePointerUntilTheMouseMoves) {
  const struct {
    const char* what;
    bool hideMouse;
    Word key;
    bool hidden;
  } cases[] = {
      {"a letter", true, 'A', true},
      {"an arrow", true, VK_LEFT, true},
      {"Shift alone", true, VK_SHIFT, false},
      {"option off", false, 'A', false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Options().HideMouse = c.hideMouse;
    Load({{ekAction, "He waits."}}, 0, -1);
    W().Cursor = crIBeam;
    Press(c.key);
    EXPECT_EQ(W().Cursor() == crNone, c.hidden);
    W().FormMouseMove(&W(), {}, 30, 30);
    EXPECT_EQ(W().Cursor(), crIBeam) << "the pointer is back once the mouse moves";
  }
}

}  // namespace
}  // namespace qm
