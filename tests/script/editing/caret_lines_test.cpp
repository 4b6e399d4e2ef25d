// Where Up, Down, a click and Ctrl+Up or Ctrl+Down leave the caret, told
// by the letter typed next: on a line ended by a hard return the caret may
// reach the column before the mark, never the start of the next line; in
// a parenthetical after a continued name it stays behind the automatic
// mark; and a block reaches the element Ctrl+Down or Ctrl+Up comes to only
// as far as the new caret column.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/input.h"
#include "script/editing/continued_cues.h"
#include "script/editing/editor_calls.h"
#include "script/fixtures/block_fixture.h"
#include "script/layout/screen_lines.h"
#include "script/model/cue_codes.h"
#include "script/script_window.h"

namespace qm::testing {
namespace {

class CaretLinesTest : public BlockFixture {
 protected:
  void SetUp() override {
    BlockFixture::SetUp();
    Options().DisplayCharNameList = false;
  }

 public:
  using BlockFixture::PointOf;
  using BlockFixture::Press;
  using BlockFixture::W;
  // The middle of the screen row of an element's wrapped line, x pixels
  // from the window's left edge.
  TPoint RowPoint(int element, int lineInElement, int x) {
    const TScriptElement* target = ElementAt(element);
    int top = W().TextTopOffset;
    for (int line = 1; line <= ScreenLineCount; ++line) {
      const TScreenLine& row = W().ScreenLines[static_cast<std::size_t>(line)];
      if (row.element == target && row.lineInElement == lineInElement) return TPoint{x, top + row.height / 2};
      top += row.height;
    }
    ADD_FAILURE() << "line " << lineInElement << " of element " << element << " is not on the screen";
    return {};
  }
  void Click(TPoint at) {
    Press(at);
    Release(at);
  }
};

const char* const kTwoLines = "First line\xA7second line is long";
const char* const kThreeLines = "First line is the long one\xA7short\xA7third line";

TEST_F(CaretLinesTest, OnALineEndedByAHardReturnTheCaretStopsBeforeTheMark) {
  struct Case {
    const char* what;
    const char* text;
    int column;  // the caret before
    std::function<void(CaretLinesTest&)> move;
    const char* after;  // once "X" is typed
  };
  const std::vector<Case> cases = {
      {"Up from the end of a long second line", kTwoLines, -1, [](CaretLinesTest& t) { t.Press(VK_UP); },
       "First lineX\xA7second line is long"},
      {"Down from a long line over a short one", kThreeLines, 20, [](CaretLinesTest& t) { t.Press(VK_DOWN); },
       "First line is the long one\xA7shortX\xA7third line"},
      {"Down from the end of the long line onto the short one", kThreeLines, 26,
       [](CaretLinesTest& t) { t.Press(VK_DOWN); }, "First line is the long one\xA7shortX\xA7third line"},
      {"Up from the end of the third line onto the short one", kThreeLines, -1,
       [](CaretLinesTest& t) { t.Press(VK_UP); }, "First line is the long one\xA7shortX\xA7third line"},
      {"a click right of the first line's text", kTwoLines, 0,
       [](CaretLinesTest& t) { t.Click(t.RowPoint(1, 1, t.PointOf(1, 0).X + 400)); },
       "First lineX\xA7second line is long"},
      {"a click right of the short line", kThreeLines, 0,
       [](CaretLinesTest& t) { t.Click(t.RowPoint(1, 2, t.PointOf(1, 0).X + 400)); },
       "First line is the long one\xA7shortX\xA7third line"},
      {"a click on the short line's last letter, right half", kThreeLines, 0,
       [](CaretLinesTest& t) {
         const int width = t.W().ScreenWidths[wsPlain]['t'];
         t.Click(t.RowPoint(1, 2, t.PointOf(1, 0).X + 4 * width + width / 4));
       },
       "First line is the long one\xA7shortX\xA7third line"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekAction, "Before."}, {ekAction, c.text}, {ekAction, "After."}}, 1, c.column);
    c.move(*this);
    TypeText("X");
    EXPECT_EQ(Elements()[1], (ElementSpec{ekAction, c.after}));
  }
}

// JOHN speaks, an Action, then JOHNNY with "(beat)": JOHNNY corrected to
// JOHN becomes continued, the mark written into the parenthetical. The
// caret that comes into the parenthetical stands behind the mark, and a
// Left there goes on to the name.
TEST_F(CaretLinesTest, TheCaretStaysBehindTheAutomaticMarkInTheParenthetical) {
  const std::vector<ElementSpec> script = {
      {ekSceneHeading, "INT. ROOM - DAY"}, {ekCharacterName, "JOHN"},   {ekDialogue, "Hi."}, {ekAction, "He waits."},
      {ekCharacterName, "JOHNNY"},         {ekParenthetical, "(beat)"}, {ekDialogue, "Go."}};
  struct Case {
    const char* what;
    std::function<void(CaretLinesTest&)> then;
    ElementSpec parenthetical;
    int current;
  };
  const std::vector<Case> cases = {
      {"Down into the parenthetical, x typed",
       [](CaretLinesTest&) { TypeText("x"); },
       {ekParenthetical, "(CONT'D; xbeat)"},
       5},
      {"then Home, q typed",
       [](CaretLinesTest& t) {
         TypeText("x");
         t.Press(VK_HOME);
         TypeText("q");
       },
       {ekParenthetical, "(CONT'D; qxbeat)"},
       5},
      {"End, Left past the words: back to the name",
       [](CaretLinesTest& t) {
         t.Press(VK_END);
         for (int i = 0; i < 6; ++i) t.Press(VK_LEFT);
       },
       {ekParenthetical, "(CONT'D; beat)"},
       4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    W().ContinuedPosition = 1;
    Load(script, 4, -1);
    editor::SettleContinuedCues(W());
    Press(VK_BACK);
    Press(VK_BACK);
    Press(VK_DOWN);
    ASSERT_EQ(CueContinuedState(ElementAt(4)->split), 1) << "JOHN again is continued";
    c.then(*this);
    EXPECT_EQ(Elements()[5], c.parenthetical);
    EXPECT_EQ(CurrentIndex(), c.current);
  }
}

// A block from "one" down into "Bravo two.", then Ctrl+Down (Ctrl+Up from
// "four" the other way): the element reached gets the new caret column as
// its block end, so Delete leaves it whole.
TEST_F(CaretLinesTest, CtrlUpAndDownTakeTheBlockToTheNewCaretColumn) {
  const std::vector<ElementSpec> four = {
      {ekAction, "Alpha one."}, {ekAction, "Bravo two."}, {ekAction, "Charlie three."}, {ekAction, "Delta four."}};
  const struct {
    const char* what;
    int element, column;
    Word shiftKey;
    Word ctrlKey;
    unsigned modifier;
    const char* kept;  // reached by the caret, all there after Delete
    const char* gone;
  } cases[] = {
      {"Shift+Down, Ctrl+Down", 0, 6, VK_DOWN, VK_DOWN, ssCtrl, "Charlie three.", "Bravo two."},
      {"Shift+Down, Alt+Down", 0, 6, VK_DOWN, VK_DOWN, ssAlt, "Charlie three.", "Bravo two."},
      {"Shift+Up, Ctrl+Up", 3, 6, VK_UP, VK_UP, ssCtrl, "Bravo two.", "Charlie three."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LoadGrouped(four, c.element, c.column);
    Press(c.shiftKey, TShiftState(ssShift));
    Press(c.ctrlKey, TShiftState(static_cast<unsigned>(c.modifier)));
    Press(VK_DELETE);
    const std::vector<ElementSpec> left = Elements();
    int kept = 0, gone = 0;
    for (const ElementSpec& e : left) {
      kept += e.text.find(c.kept) != std::string::npos;
      gone += e.text.find(c.gone) != std::string::npos;
    }
    EXPECT_EQ(kept, 1) << ::testing::PrintToString(left);
    EXPECT_EQ(gone, 0) << ::testing::PrintToString(left);
  }
}

}  // namespace
}  // namespace qm::testing
