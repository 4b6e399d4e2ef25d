#include "base/program_options.h"
#include "shell/program_settings.h"
#include "script/layout/screen_rebuild.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "script/layout/char_widths.h"
#include "script/layout/editor_state.h"
#include "script/model/packed_text.h"
#include "script/layout/screen_lines.h"
#include "base/document_table.h"
#include "support/message_box_answers.h"
#include "support/layout_fixture.h"
#include "support/script_generator.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::LayoutFixture;

std::string A(int n) { return std::string(static_cast<std::size_t>(n), 'a'); }

class ScreenRebuildTest : public LayoutFixture {
 protected:
  void ShowAndFocus() {
    Window().Show();
    Window().SetFocus();
  }
  const CaretState& Caret() { return Platform::Current().Caret(); }
  // The stored text of an element, unpacked.
  static std::string StoredText(const TScriptElement* e) { return e->text ? UnpackText(*e->text) : "<edited>"; }
};

TEST_F(ScreenRebuildTest, TheScreenFontFollowsTheZoom) {
  const struct {
    Word zoom;
    int height;
    Word lineHeight;
  } cases[] = {{100, -16, 18}, {75, -12, 14}, {50, -8, 10}, {150, -24, 26}};
  for (const auto& c : cases) {
    ProgramOptions().ZoomSize = c.zoom;
    SetupScreenFont(Window());
    EXPECT_EQ(Window().Canvas.Font.Height(), c.height) << c.zoom;
    EXPECT_EQ(Window().ScreenLineHeight, c.lineHeight) << c.zoom;
    EXPECT_EQ(Window().Canvas.Font.Name(), "Courier New");
  }
  ProgramOptions().DisplayFont = "Courier";
  SetupScreenFont(Window());
  EXPECT_EQ(Window().Canvas.Font.Name(), "Courier") << "the display font stands in for Courier New";
}

TEST_F(ScreenRebuildTest, OnlyTheActiveWindowIsRebuilt) {
  Build({{ekAction, "text"}});
  TMDIChild other(nullptr);
  testing::AddElements(other, {{ekAction, "other"}});
  other.ScreenLines[1].text = "untouched";
  RebuildScreen(&other);
  EXPECT_EQ(other.ScreenLines[1].text, "untouched");
  RebuildScreen(nullptr);
  Window().Closing = 1;
  RebuildScreen(&Window());
  EXPECT_EQ(Window().ScreenLines[1].text, "");
  Window().Closing = 0;
  RebuildScreen(&Window());
  EXPECT_EQ(Window().ScreenLines[1].text, "text");
}

TEST_F(ScreenRebuildTest, TheRebuildLaysElementsBelowEachOtherUntilTheWindowIsFull) {
  Build(testing::GenerateScreenplay(7, 3));
  LayOutAll();
  TScriptElement* current = ElementAt(20);
  Edit(current);
  current->screenLine = 12;
  RebuildScreen(&Window());
  // The elements above the current one fill the lines above it.
  int line = current->screenLine;
  for (TScriptElement* e = current; e->prev && line > 1; e = e->prev) {
    EXPECT_EQ(e->prev->screenLine, e->screenLine - e->prev->lineCount);
    line = e->prev->screenLine;
  }
  EXPECT_EQ(current->screenLine, 12);
  int used = 0;
  int last = 0;
  for (int l = 1; l <= ScreenLineCount; ++l) {
    const TScreenLine& row = Window().ScreenLines[static_cast<std::size_t>(l)];
    if (!row.element) break;
    EXPECT_EQ(row.lineInElement, l - row.element->screenLine + 1) << "line " << l;
    used += row.height;
    last = l;
  }
  EXPECT_GT(used, Window().ClientHeight() + 25) << "the walk fills the window";
  EXPECT_EQ(Window().ScreenLines[static_cast<std::size_t>(last + 1)].text, "") << "below the walk the lines are empty";
  EXPECT_EQ(Window().CurrentElement(), current) << "the current element stays current";
  EXPECT_FALSE(current->text.has_value());
}

// A short script asked to stand lower down the window (laid out from the
// bottom, or kept where a longer one stood) is shown from the window's first
// line: no blank lines above it, the elements below each other from there.
TEST_F(ScreenRebuildTest, AShortScriptIsShownFromTheWindowsFirstLine) {
  const struct {
    const char* name;
    int current;  // the element asked to stand on the line
    int line;
  } cases[] = {
      {"the last element laid out at the bottom", 2, 30},
      {"the first element lower down", 0, 9},
      {"a middle element lower down", 1, 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Build({{ekAction, "He waits."}, {ekAction, "She runs."}, {ekAction, "It rains."}});
    LayOutAll();
    TScriptElement* current = ElementAt(c.current);
    Edit(current);
    current->screenLine = static_cast<std::int16_t>(c.line);
    RebuildScreen(&Window());
    EXPECT_EQ(Window().FirstElement->screenLine, 1);
    const TScreenLine& first = Window().ScreenLines[1];
    EXPECT_EQ(first.element, Window().FirstElement) << "the window's first line shows the script's";
    for (TScriptElement* e = Window().FirstElement; e->next; e = e->next)
      EXPECT_EQ(e->next->screenLine, e->screenLine + e->lineCount) << "one below the other";
    EXPECT_EQ(Window().CurrentElement(), current);
  }
}

TEST_F(ScreenRebuildTest, TheCaretIsPlacedFromTheScreenWidths) {
  Build({{ekAction, "Hello \x02world\x03 and more"}, {ekAction, "next"}});
  LayOutAll();
  ShowAndFocus();
  // A wider bold "o" shows that the style around the caret is measured.
  Window().ScreenWidths[wsBold]['o'] = 14;
  const struct {
    Word column;
    int x;
  } cases[] = {
      {0, 150}, {5, 200}, {6, 210}, {7, 210}, {9, 234}, {10, 244}, {13, 264}, {22, 354},
  };
  for (const auto& c : cases) {
    EditFields(Window()).CaretColumn = c.column;
    UpdateCaret();
    EXPECT_EQ(Window().CaretX, c.x) << "column " << c.column;
    EXPECT_EQ(Caret().pos.X, c.x) << "column " << c.column;
    EXPECT_EQ(Caret().pos.Y, 32 - 14 - 2) << "above the ascent of the line";
  }
  EXPECT_EQ(Caret().width, 2);
  EXPECT_EQ(Caret().height, 19);
  EXPECT_TRUE(Caret().Visible());
  Window().LeftTextOffset = -40;
  EditFields(Window()).CaretColumn = 5;
  UpdateCaret();
  EXPECT_EQ(Caret().pos.X, 160) << "the horizontal scroll moves the caret";
}

TEST_F(ScreenRebuildTest, TheCaretFindsItsLine) {
  Build({{ekAction, A(55) + " " + A(20)}});
  LayOutAll();
  ShowAndFocus();
  const struct {
    Word column;
    Word line;
    int x;
  } cases[] = {{10, 1, 250}, {56, 1, 710}, {57, 2, 160}, {76, 2, 350}, {3000, 1, 150}, {90, 2, 350}};
  for (const auto& c : cases) {
    EditFields(Window()).CaretColumn = c.column;
    UpdateCaret();
    EXPECT_EQ(Window().CaretLine(), c.line) << "column " << c.column;
    EXPECT_EQ(Window().CaretX, c.x) << "column " << c.column;
  }
  EXPECT_EQ(Window().CaretColumn(), 76) << "a column past the text goes to its end";
}

TEST_F(ScreenRebuildTest, NoCaretWithoutFocusOrOnAPageBreak) {
  Build({{ekAction, "text"}, {ekForcedPageBreak, ""}});
  LayOutAll();
  Window().Show();
  Window().Deactivate();
  EditFields(Window()).CaretColumn = 2;
  UpdateCaret();
  EXPECT_EQ(Window().CaretX, 170);
  EXPECT_FALSE(Caret().Visible()) << "the window does not have the keyboard";
  Edit(ElementAt(1));
  Window().CaretX = -1;
  UpdateCaret();
  EXPECT_EQ(Window().CaretX, -1) << "a page break takes no caret";
}

TEST_F(ScreenRebuildTest, MovingBetweenElementsStoresAndLoadsTheirTexts) {
  Build({{ekAction, "first " + A(60)}, {ekCharacterName, "JOE"}, {ekDialogue, "Hi."}});
  LayOutAll();
  EditFields(Window()).EditBuffer = "first edited " + A(60);
  WrapCurrent();
  TScriptElement* first = ElementAt(0);
  ASSERT_TRUE(MoveToNextElement());
  EXPECT_EQ(StoredText(first), "first edited " + A(60));
  EXPECT_TRUE(first->LineOffsetsValid());
  EXPECT_EQ(Window().CurrentElement(), ElementAt(1));
  EXPECT_EQ(Window().EditBuffer(), "JOE");
  EXPECT_EQ(ElementAt(1)->screenLine, first->screenLine + first->lineCount);
  ASSERT_TRUE(MoveToNextElement());
  EXPECT_EQ(ElementAt(1)->text, "JOE") << "a Character Name is stored plain";
  EXPECT_FALSE(MoveToNextElement()) << "at the last element";
  EXPECT_EQ(Window().CurrentElement(), ElementAt(2));
  EXPECT_EQ(Window().EditBuffer(), "Hi.");
  ASSERT_TRUE(MoveToPreviousElement());
  ASSERT_TRUE(MoveToPreviousElement());
  EXPECT_EQ(Window().EditBuffer(), "first edited " + A(60));
  EXPECT_EQ(Window().LineOffsets()[1], 13) << "the saved line offsets come back";
  // The run of 60 letters ends the text on the margin: the line ends with it.
  EXPECT_EQ(Window().LineOffsets()[2], 74);
  EXPECT_EQ(Window().LineOffsets()[3], 0);
  EXPECT_FALSE(MoveToPreviousElement());
}

TEST_F(ScreenRebuildTest, MovingOutOfABlockSettlesItsMarks) {
  Build({{ekAction, "one two"}, {ekAction, "three"}});
  EditFields(Window()).BlockOn = 1;
  Window().CurrentElement()->blockStart = 5;
  Window().CurrentElement()->blockEnd = 5;
  ProgramOptions().MouseBlockStartWord = true;
  ASSERT_TRUE(MoveToNextElement());
  EXPECT_EQ(ElementAt(0)->blockStart, 4) << "back to the start of its word";
  EXPECT_EQ(ElementAt(0)->blockEnd, 7) << "to the end of the text";
  EXPECT_EQ(ElementAt(1)->blockStart, 0);
  EXPECT_EQ(ElementAt(1)->blockEnd, 5);
}

TEST_F(ScreenRebuildTest, AClickPlacesTheCaretOnTheCharacterUnderIt) {
  Build({{ekAction, "Hello there"}, {ekForcedPageBreak, ""}, {ekAction, A(55) + " second line"}});
  LayOutAll();
  ShowAndFocus();
  // Line 1 (36 pixels with its line before) shows the first Action, line 2
  // the break, lines 3 and 4 the last Action.
  const struct {
    int x, y;
    int element;
    Word column, line;
    bool sameElement;
  } cases[] = {
      {150, 20, 0, 0, 1, true},    {184, 20, 0, 3, 1, true},    {186, 20, 0, 4, 1, true},
      {700, 20, 0, 11, 1, true},   {100, 20, 0, 0, 1, true},    {186, 80, 2, 4, 1, false},
      {186, 100, 2, 60, 2, false}, {700, 100, 2, 67, 2, false}, {186, 40, 2, 4, 1, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlaceCaretAtPoint(c.x, c.y, false, Window()), c.sameElement) << c.x << "," << c.y;
    EXPECT_EQ(Window().CurrentElement(), ElementAt(c.element)) << c.x << "," << c.y;
    EXPECT_EQ(Window().CaretColumn(), c.column) << c.x << "," << c.y;
    EXPECT_EQ(Window().CaretLine(), c.line) << c.x << "," << c.y;
    if (c.element == 2) Edit(ElementAt(0));
  }
}

TEST_F(ScreenRebuildTest, AClickBelowTheScriptIsRefusedWithABeep) {
  Build({{ekAction, "only"}, {ekForcedPageBreak, ""}});
  LayOutAll();
  Backend().ClearSounds();
  EXPECT_TRUE(PlaceCaretAtPoint(200, 500, false, Window()));
  EXPECT_EQ(Window().CurrentElement(), ElementAt(0));
  EXPECT_EQ(Backend().Sounds().size(), 1u);
}

TEST_F(ScreenRebuildTest, LastPositionReturnsToTheRememberedElement) {
  Build({{ekAction, "one"}, {ekAction, "two three"}});
  LayOutAll();
  ShowAndFocus();
  MoveToNextElement();
  EditFields(Window()).CaretColumn = 4;
  SaveLastPosition(Window(), false);
  MoveToPreviousElement();
  EditFields(Window()).CaretColumn = 2;
  SaveLastPosition(Window(), false);
  EXPECT_EQ(Window().LastPositionElement, ElementAt(1)) << "a remembered position is kept unless forced";
  GotoLastPosition(nullptr);
  EXPECT_EQ(Window().CurrentElement(), ElementAt(1));
  EXPECT_EQ(Window().CaretColumn(), 4);
  EXPECT_EQ(Window().EditBuffer(), "two three");
  EXPECT_EQ(Window().LastPositionElement, ElementAt(0)) << "the position left is remembered in its place";
  EXPECT_EQ(Window().LastPositionColumn, 2);
}

TEST_F(ScreenRebuildTest, ALostLastPositionIsReportedOnlyFromTheMenu) {
  Build({{ekAction, "one"}});
  TScriptElement gone;
  Window().LastPositionElement = &gone;
  GotoLastPosition(nullptr);
  EXPECT_EQ(Window().LastPositionElement, nullptr);
  Window().LastPositionElement = &gone;
  std::string shown;
  Driver().Expect(
      [&](TForm& box) {
        shown = testing::MessageBoxText(box);
        box.ModalResult = mrOk;
      },
      "the lost bookmark");
  TMenuItem item(nullptr);
  GotoLastPosition(&item);
  EXPECT_EQ(shown, "The Bookmark was not found.");
}

TEST_F(ScreenRebuildTest, FocusGoesBackToTheScript) {
  Build({{ekAction, "text"}});
  LayOutAll();
  Window().Show();
  Window().Enabled = false;
  PumpBusy = 1;
  Window().WindowState = TWindowState::wsMinimized;
  FocusActiveScript();
  EXPECT_TRUE(Window().Enabled);
  EXPECT_EQ(PumpBusy, 0);
  EXPECT_EQ(Window().WindowState, TWindowState::wsMaximized);
  EXPECT_TRUE(WindowHasFocus(Window()));
  EXPECT_TRUE(Caret().Visible());
}

TEST(FormatButtons, AreDownInsideTheirCodePair) {
  TSpeedButton button(nullptr);
  // clang-format off
  const struct {
    std::string text;
    int column;
    bool startState;
    bool down;
  } cases[] = {
      {"ab\x02" "cd\x03" "ef", 3, false, true}, {"ab\x02" "cd\x03" "ef", 2, false, false},
      {"ab\x02" "cd\x03" "ef", 7, false, false}, {"abc", 1, true, true}, {"ab\x03" "c", 3, true, false},
  };
  // clang-format on
  for (const auto& c : cases) {
    UpdateFormatButton(&button, c.text, c.column, 2, 3, c.startState);
    EXPECT_EQ(button.Down(), c.down) << c.column;
  }
  SetButtonDown(nullptr, true);
}

}  // namespace
}  // namespace qm
