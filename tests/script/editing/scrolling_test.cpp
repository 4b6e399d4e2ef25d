// The view follows the caret both ways: typing past the bottom, Up and
// Page Up above the top, the wheel, Goto Top and Goto Bottom, and a script
// opened from its file shows its start.
#include <gtest/gtest.h>

#include <functional>

#include "files/native_file.h"
#include "platform/messages.h"
#include "script/fixtures/keys_fixture.h"
#include "script/editing/mouse_editing.h"
#include "script/editing/scrolling.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/edit_line_writer.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

constexpr int kActions = 40;

class ScrollingTest : public testing::KeysFixture {
 protected:
  // A heading and forty one-line actions, the caret in the element.
  void LoadScene(int current, int column = 0) {
    std::vector<testing::ElementSpec> elements{{ekSceneHeading, "INT. HALL - DAY"}};
    for (int i = 0; i < kActions; ++i) elements.push_back({ekAction, "Action " + std::to_string(i) + "."});
    Load(elements, current, column);
  }
  int CaretRow() { return W().CurrentElement()->screenLine + W().CaretLine() - 1; }
  // The caret's line lies wholly inside the window, and the row the caret
  // is drawn on shows the caret's element.
  bool CaretInView() {
    const int row = CaretRow();
    if (row < 1 || row > ScreenLineCount) return false;
    const TScreenLine& line = W().ScreenLines[static_cast<size_t>(row)];
    return line.element == W().CurrentElement() && line.y + W().ScreenDescent <= W().ClientHeight();
  }
  // A key, and whether the caret was still in view after it.
  void Key(Word key, int times = 1) {
    for (int i = 0; i < times; ++i) {
      Press(key);
      if (!CaretInView()) ++keysOutOfView;
    }
  }
  int keysOutOfView = 0;
  // The rows of the table that lie in the window, read from the top, show
  // each element's wrapped lines in order, and each element's first line
  // is where the element says.
  std::string TableFault() {
    const TScreenLine& first = W().ScreenLines[1];
    if (!first.element) return "the first row is empty";
    const TScriptElement* e = first.element;
    int line = first.lineInElement;
    for (int row = 1; row <= ScreenLineCount && e; ++row) {
      const TScreenLine& r = W().ScreenLines[static_cast<size_t>(row)];
      if (r.y > W().ClientHeight()) break;
      const std::string where = "row " + std::to_string(row);
      if (r.element != e || r.lineInElement != line) return where + " shows another line";
      if (e->screenLine + line - 1 != row) return where + ": the element's screen line disagrees";
      if (line < e->lineCount) {
        ++line;
      } else {
        do e = e->next;
        while (e && W().IsHiddenElement(e));
        line = 1;
      }
    }
    return {};
  }
  std::string TopText() { return W().ScreenLines[1].text; }
  std::string CurrentText() { return W().EditBuffer(); }
  void Wheel(int delta) {
    const WPARAM keys = static_cast<WPARAM>(static_cast<std::uint16_t>(static_cast<std::int16_t>(delta))) << 16;
    SendMessage(W().Handle(), WM_MOUSEWHEEL, keys, 0);
  }
};

TEST_F(ScrollingTest, TheCaretStaysInViewWhereverItGoes) {
  struct Case {
    const char* what;
    int current;
    std::function<void()> act;
    std::string caretIn;  // the element the caret ends in
    std::string top;      // the first line on screen, when it matters
  };
  const Case cases[] = {
      {"Down past the bottom, then a new paragraph typed there", 0,
       [this] {
         Key(VK_DOWN, kActions);
         Key(VK_RETURN);
         TypeText("A new paragraph.");
       },
       "A new paragraph.", ""},
      {"Down to the end and Up past the top", 0,
       [this] {
         Key(VK_DOWN, kActions);
         Key(VK_UP, kActions);
       },
       "INT. HALL - DAY", "INT. HALL - DAY"},
      {"Page Down to the end and Page Up to the start, page by page", 0,
       [this] {
         Key(VK_NEXT, 4);
         Key(VK_PRIOR, 4);
       },
       "INT. HALL - DAY", "INT. HALL - DAY"},
      {"Page Down from the start", 0, [this] { Key(VK_NEXT, 4); }, "Action 39.", ""},
      {"Goto Top", kActions, [] { MainForm->MenuItem("GotoTopItem")->Click(); }, "INT. HALL - DAY", "INT. HALL - DAY"},
      {"Goto Bottom", 0, [] { MainForm->MenuItem("GotoBottomItem")->Click(); }, "Action 39.", ""},
      {"Ctrl+Up over an Action taller than the window, to the heading", 0,
       [this] {
         std::string tall;
         while (tall.size() < 2200) tall += "The hall is long and dark. ";
         Load({{ekSceneHeading, "INT. HALL - DAY"}, {ekAction, tall}, {ekAction, "Action 0."}}, 2);
         for (int i = 0; i < 2; ++i) {
           Press(VK_UP, TShiftState(ssCtrl));
           if (!CaretInView()) ++keysOutOfView;
         }
       },
       "INT. HALL - DAY", "INT. HALL - DAY"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadScene(c.current);
    keysOutOfView = 0;
    c.act();
    EXPECT_EQ(CurrentText(), c.caretIn);
    EXPECT_TRUE(CaretInView());
    EXPECT_EQ(keysOutOfView, 0);
    if (!c.top.empty()) {
      EXPECT_EQ(TopText(), c.top);
    }
  }
}

TEST_F(ScrollingTest, PageUpShowsTheLinesAboveAndKeepsOneLineForContext) {
  LoadScene(0);
  MainForm->MenuItem("GotoBottomItem")->Click();
  const std::string bottomTop = TopText();
  ASSERT_NE(bottomTop, "INT. HALL - DAY") << "forty actions do not fit one window";
  Press(VK_PRIOR);
  EXPECT_EQ(CaretRow(), 2) << "the first line of the window became its last, and a line stays above the caret";
  Press(VK_NEXT);
  EXPECT_TRUE(CaretInView());
  EXPECT_EQ(W().ScreenLines[1].element->next, W().CurrentElement());
}

// A block marked with Shift+Down: plain Page Down clears it, Shift+Page
// Down carries it on over every element passed, and Alt+Page Down leaves
// it where it was.
TEST_F(ScrollingTest, PageDownClearsABlockUnlessShiftOrAltIsHeld) {
  const struct {
    const char* what;
    TShiftState shift;
    bool blockAfter;
    bool caretMoves;
  } cases[] = {{"plain", {}, false, true},
               {"Shift", TShiftState(ssShift), true, true},
               {"Alt", TShiftState(ssAlt), true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LoadScene(1);
    EditFields(W()).BlockOn = 0;  // the previous case's block goes with its script
    Press(VK_DOWN, TShiftState(ssShift));
    ASSERT_TRUE(W().BlockOn());
    const TScriptElement* before = W().CurrentElement();
    ASSERT_TRUE(ElementAt(1)->InBlock());
    Press(VK_NEXT, c.shift);
    EXPECT_EQ(static_cast<bool>(W().BlockOn()), c.blockAfter);
    EXPECT_EQ(W().CurrentElement() != before, c.caretMoves);
    EXPECT_EQ(ElementAt(1)->InBlock(), c.blockAfter) << "the block's first element";
    if (c.shift.Contains(ssShift)) {
      for (const TScriptElement* e = ElementAt(1); e != W().CurrentElement(); e = e->next)
        EXPECT_TRUE(e->InBlock()) << "every element passed is in the block";
    }
  }
}

TEST_F(ScrollingTest, AScriptOpenedFromItsFileShowsItsStart) {
  LoadScene(kActions, -1);
  testing::TempFolder folder;
  const std::string name = folder.Path() + "/HALL.QMW";
  ASSERT_TRUE(SaveScriptFile(name, false, true));
  CloseActiveScript(false);
  ASSERT_TRUE(OpenScriptByName(name));
  EXPECT_EQ(W().CurrentElement(), W().FirstElement);
  EXPECT_EQ(W().CaretColumn(), 0);
  EXPECT_EQ(TopText(), "INT. HALL - DAY");
  EXPECT_TRUE(CaretInView());
}

// Page Up and Page Down at the top, in the middle and at the end, line
// moves, and an element growing and shrinking as it is typed: the table
// of screen lines always agrees with the elements.
TEST_F(ScrollingTest, TheScreenLineTableFollowsEveryMove) {
  struct Case {
    const char* what;
    int from;
    std::function<void()> act;
    int caretIn;  // the element the caret ends in, -1: not checked
  };
  const Case cases[] = {
      {"Page Up at the top does nothing", 0, [this] { Key(VK_PRIOR); }, 0},
      {"Page Down from the top", 0, [this] { Key(VK_NEXT); }, -1},
      {"Page Down from the middle", 20, [this] { Key(VK_NEXT); }, -1},
      {"Page Up from the end", kActions, [this] { Key(VK_PRIOR); }, -1},
      {"Page Down at the end does nothing", kActions, [this] { Key(VK_NEXT); }, kActions},
      {"Down keeps the caret's place across", 3, [this] { Key(VK_DOWN); }, 4},
      {"an element grows past its line and shrinks again", 5,
       [this] {
         Key(VK_END);
         const std::string more = " And then a great deal more happens in the hall, which goes on and on.";
         TypeText(more);
         EXPECT_GT(W().CurrentElement()->lineCount, 1);
         EXPECT_EQ(TableFault(), "") << "after growing";
         for (std::size_t i = 0; i < more.size(); ++i) Key(VK_BACK);
         EXPECT_EQ(W().CurrentElement()->lineCount, 1);
       },
       5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadScene(c.from, 2);
    keysOutOfView = 0;
    c.act();
    EXPECT_EQ(TableFault(), "");
    EXPECT_TRUE(CaretInView());
    if (c.caretIn >= 0) {
      EXPECT_EQ(CurrentIndex(), c.caretIn);
    }
    if (c.caretIn >= 0 && c.from != 5) {
      EXPECT_EQ(W().CaretColumn(), 2);
    }
  }
}

// The wheel moves the view through the right panel's bar, three lines a
// notch (or a window a notch), the caret going along at the window's edge.
TEST_F(ScrollingTest, TheWheelScrollsTheViewByLinesOrPages) {
  const auto topIndex = [this] {
    int index = 0;
    for (const TScriptElement* e = W().FirstElement; e && e != W().ScreenLines[1].element; e = e->next) ++index;
    return index;
  };
  struct Case {
    const char* what;
    int linesPerNotch;
    std::vector<int> rolls;
    int top;  // the element on the first screen line afterwards
  };
  const Case cases[] = {
      {"one notch down: three lines", 0, {-120}, 3},
      {"and back up", 0, {-120, 120}, 0},
      {"a fine wheel adds its small rolls up to a line", 0, {-10, -10, -10, -10}, 1},
      {"small rolls that make no line yet move nothing", 0, {-10, -10}, 0},
      {"five lines a notch", 5, {-120}, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadScene(0);
    WheelScrollLines = c.linesPerNotch;
    for (int roll : c.rolls) Wheel(roll);
    EXPECT_EQ(topIndex(), c.top);
    EXPECT_TRUE(CaretInView());
  }
  // A notch a page: the first line shown before is above the window now.
  LoadScene(0);
  WheelScrollLines = -1;
  Wheel(-120);
  EXPECT_GT(topIndex(), 10);
  EXPECT_TRUE(CaretInView());
}

// Up and Down, Page Up and Page Down, and the drag's auto-scroll step all
// pass over hidden elements and page breaks: the caret never lands where
// nothing is shown.
TEST_F(ScrollingTest, LineAndPageMovesPassOverHiddenElementsAndBreaks) {
  struct Case {
    const char* what;
    int from;
    std::function<void()> act;
    int lands;
  };
  const Case cases[] = {
      {"Down", 1, [this] { Key(VK_DOWN); }, 4},
      {"Up", 4, [this] { Key(VK_UP); }, 1},
      {"the drag's step down", 1, [this] { EXPECT_TRUE(StepCaretLine(W(), true)); }, 4},
      {"the drag's step up", 4, [this] { EXPECT_TRUE(StepCaretLine(W(), false)); }, 1},
      {"the drag's step past the end", 5, [this] { EXPECT_FALSE(StepCaretLine(W(), true)); }, 5},
      {"Down at the end", 5, [this] { Key(VK_DOWN); }, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekSceneHeading, "INT. HALL - DAY"},
          {ekAction, "Above."},
          {ekAction, "Hidden."},
          {ekForcedPageBreak, " "},
          {ekAction, "Below."},
          {ekAction, "Last."}},
         c.from, 2);
    ElementAt(2)->state = esHidden;
    RebuildScreen(&W());
    c.act();
    EXPECT_EQ(CurrentIndex(), c.lands);
    EXPECT_EQ(W().CaretColumn(), 2) << "the caret keeps its place across";
  }
}

}  // namespace
}  // namespace qm
