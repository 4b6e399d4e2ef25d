#include "script/editing/mouse_editing.h"

#include <gtest/gtest.h>

#include "platform/clipboard.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "script/editing/block_selection.h"
#include "script/editing/editor_calls.h"
#include "script/fixtures/block_fixture.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"
#include "shell/script_popups.h"
#include "shell/power_panel.h"
#include "shell/main_form.h"
#include "platform/menus.h"
#include "base/program_options.h"

namespace qm::testing {
namespace {

class MouseEditingTest : public BlockFixture {
 protected:
  const std::vector<ElementSpec> three{
      {ekAction, "Alpha beta gamma."}, {ekAction, "Delta epsilon."}, {ekAction, "Zeta eta."}};
};

TEST_F(MouseEditingTest, ADragMarksTheTextBetweenPressAndRelease) {
  struct Case {
    const char* what;
    int fromElement, fromColumn, toElement, toColumn;
    Marks marks;
  };
  const std::vector<Case> cases{
      {"within one element", 0, 6, 0, 10, {{6, 10}, Unmarked, Unmarked}},
      {"down into the next element", 0, 6, 1, 5, {{6, 17}, {0, 5}, Unmarked}},
      {"over a whole element", 0, 6, 2, 4, {{6, 17}, {0, 14}, {0, 4}}},
      {"upwards, the marks running back from where the drag began", 1, 5, 0, 6, {{17, 6}, {5, 0}, Unmarked}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load(three);
    const TPoint from = PointOf(c.fromElement, c.fromColumn);
    const TPoint to = PointOf(c.toElement, c.toColumn);
    Drag(from, to);
    EXPECT_EQ(BlockMarks(), c.marks);
    EXPECT_EQ(W().BlockOn(), 1);
    EXPECT_EQ(CurrentIndex(), c.toElement);
    EXPECT_EQ(W().CaretColumn(), c.toColumn);
    ClearBlockSelection(false);
  }
}

TEST_F(MouseEditingTest, AClickWithoutADragLeavesNoBlock) {
  Load(three);
  ClickAt(W(), PointOf(0, 3).X, PointOf(0, 3).Y);
  EXPECT_EQ(W().BlockOn(), 0);
  EXPECT_EQ(W().CaretColumn(), 3);
}

TEST_F(MouseEditingTest, ShiftClickExtendsFromTheCaret) {
  Load(three, 0, 6);
  const TPoint to = PointOf(1, 5);
  Press(to, MouseLeft | MouseShift);
  Release(to, MouseShift);
  EXPECT_EQ(BlockMarks(), (Marks{{6, 17}, {0, 5}, Unmarked}));
}

TEST_F(MouseEditingTest, DoubleClicksGrowTheSelectionAndATripleClickGrowsItOnce) {
  LoadGrouped({{ekAction, "One two.  Three four."}, {ekAction, "Next."}});
  const TPoint word = PointOf(0, 11);
  DoubleClick(word);
  EXPECT_EQ(BlockMarks(), (Marks{{10, 16}, Unmarked})) << "the word and its blank";
  // The third click comes within the double-click time.
  Press(word);
  Release(word);
  EXPECT_EQ(BlockMarks(), (Marks{{10, 21}, Unmarked})) << "the sentence";
  AdvanceClock(static_cast<std::uint64_t>(W().ClickTimer->Interval()) + 1);
  DoubleClick(word);
  EXPECT_EQ(BlockMarks(), (Marks{{0, 21}, Unmarked})) << "the element";
}

TEST_F(MouseEditingTest, AClickOnTheBlockClearsItOnlyAfterTheDoubleClickTime) {
  Load(three);
  const int doubleClickTime = Platform::Current().backend().DoubleClickTime();
  ASSERT_GT(doubleClickTime, 1);
  EXPECT_EQ(W().ClickTimer->Interval(), doubleClickTime);
  Drag(PointOf(0, 6), PointOf(0, 10));
  ASSERT_EQ(W().BlockOn(), 1);
  AdvanceClock(static_cast<std::uint64_t>(doubleClickTime) * 3);
  ClickAt(W(), PointOf(0, 8).X, PointOf(0, 8).Y);
  AdvanceClock(static_cast<std::uint64_t>(doubleClickTime) / 2);
  EXPECT_EQ(W().BlockOn(), 1) << "a double click may still follow";
  AdvanceClock(static_cast<std::uint64_t>(doubleClickTime));
  EXPECT_EQ(W().BlockOn(), 0);
}

TEST_F(MouseEditingTest, AShiftClickOnTheBlockKeepsIt) {
  Load(three);
  Drag(PointOf(0, 6), PointOf(0, 10));
  const TPoint inside = PointOf(0, 8);
  Press(inside, MouseLeft | MouseShift);
  Release(inside, MouseShift);
  AdvanceClock(5000);
  EXPECT_EQ(W().BlockOn(), 1);
}

TEST_F(MouseEditingTest, ShiftWithTheMovementKeysMarksAndUnmarks) {
  struct Case {
    const char* what;
    int column;
    std::vector<std::pair<Word, unsigned>> keys;
    Marks marks;
    Byte blockOn;
  };
  // clang-format off
  const std::vector<Case> cases{
      {"shift right twice", 2, {{VK_RIGHT, ssShift}, {VK_RIGHT, ssShift}}, {{2, 4}, Unmarked, Unmarked}, 1},
      {"shift left", 4, {{VK_LEFT, ssShift}}, {{4, 3}, Unmarked, Unmarked}, 1},
      {"shift end", 6, {{VK_END, ssShift}}, {{6, 17}, Unmarked, Unmarked}, 1},
      {"shift home", 6, {{VK_HOME, ssShift}}, {{6, 0}, Unmarked, Unmarked}, 1},
      {"shift right over the end into the next element", 16,
       {{VK_RIGHT, ssShift}, {VK_RIGHT, ssShift}, {VK_RIGHT, ssShift}}, {{16, 17}, {0, 1}, Unmarked}, 1},
      {"shift left back to where the block began", 16,
       {{VK_RIGHT, ssShift}, {VK_RIGHT, ssShift}, {VK_LEFT, ssShift}, {VK_LEFT, ssShift}},
       {{16, 16}, Unmarked, Unmarked}, 1},
      {"a key without shift ends the block", 2, {{VK_RIGHT, ssShift}, {VK_RIGHT, 0}}, {Unmarked, Unmarked, Unmarked},
       0},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load(three, 0, c.column);
    for (const auto& [key, shift] : c.keys) Press(key, TShiftState(shift));
    EXPECT_EQ(BlockMarks(), c.marks);
    EXPECT_EQ(W().BlockOn(), c.blockOn);
    ClearBlockSelection(false);
  }
}

TEST_F(MouseEditingTest, DragAndDropMovesTheBlockAndLeavesTheClipboardAlone) {
  struct Case {
    const char* what;
    bool breaks;
    int dropElement, dropColumn;
    std::vector<ElementSpec> after;
  };
  // clang-format off
  const std::vector<Case> cases{
      {"a word into the middle of another element", true, 1, 6,
       {{ekAction, "Alpha gamma."}, {ekAction, "Delta beta epsilon."}, {ekAction, "Zeta eta."}}},
      {"without breaking, a drop early in an element goes in before it, as a paste at its start does", false, 1, 3,
       {{ekAction, "Alpha gamma."}, {ekAction, "beta "}, {ekAction, "Delta epsilon."}, {ekAction, "Zeta eta."}}},
      {"without breaking, a drop late in an element goes to its end", false, 1, 10,
       {{ekAction, "Alpha gamma."}, {ekAction, "Delta epsilon.  beta "}, {ekAction, "Zeta eta."}}},
      {"a drop inside the block changes nothing", true, 0, 8,
       {{ekAction, "Alpha beta gamma."}, {ekAction, "Delta epsilon."}, {ekAction, "Zeta eta."}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Options().DragAndDropBreak = c.breaks;
    Load(three);
    qm::Clipboard()->SetAsText("the writer's own text");
    Drag(PointOf(0, 6), PointOf(0, 11));
    ASSERT_EQ(BlockMarks()[0], std::make_pair(6, 11));
    const TPoint inside = PointOf(0, 8);
    const TPoint drop = PointOf(c.dropElement, c.dropColumn);
    Press(inside);
    ASSERT_EQ(DraggingBlock, 1);
    MoveTo(drop);
    EXPECT_EQ(CurrentIndex(), c.dropElement);
    Release(drop);
    EXPECT_EQ(DraggingBlock, 0);
    EXPECT_EQ(Elements(), c.after);
    EXPECT_EQ(qm::Clipboard()->AsText(), "the writer's own text");
    ClearBlockSelection(false);
  }
}

// A drop is a paste at the drop point: a whole speech let go at the start
// of a dialogue (or, without breaking, early in it) goes in after the
// element before it.
TEST_F(MouseEditingTest, AWholeSpeechDroppedAtTheStartOfADialogueGoesInBeforeIt) {
  const std::vector<ElementSpec> script{{ekAction, "They sit."},
                                        {ekCharacterName, "JOHN"},
                                        {ekDialogue, "I am not hungry tonight."},
                                        {ekCharacterName, "MARY"},
                                        {ekDialogue, "Eat something."}};
  const std::vector<ElementSpec> after{{ekAction, "They sit."},
                                       {ekCharacterName, "JOHN"},
                                       {ekCharacterName, "MARY"},
                                       {ekDialogue, "Eat something."},
                                       {ekDialogue, "I am not hungry tonight."}};
  for (const bool breaks : {true, false}) {
    SCOPED_TRACE(breaks);
    Options().DragAndDropBreak = breaks;
    LoadGrouped(script);
    editor::MarkBlock(W(), *ElementAt(3), 0, *ElementAt(4), 14);
    RebuildScreen(&W());
    Press(PointOf(3, 2));
    ASSERT_EQ(DraggingBlock, 1);
    const TPoint drop = PointOf(2, breaks ? 0 : 3);
    MoveTo(drop);
    Release(drop);
    EXPECT_EQ(Elements(), after);
  }
}

TEST_F(MouseEditingTest, AForcedPageBreakInADraggedBlockTravelsWithIt) {
  LoadGrouped({{ekAction, "One."}, {ekForcedPageBreak, " "}, {ekAction, "Two."}, {ekAction, "Three."}});
  editor::MarkBlock(W(), *ElementAt(0), 2, *ElementAt(2), 2);
  RebuildScreen(&W());
  const TPoint inside = PointOf(0, 3);
  const TPoint drop = PointOf(3, 6);
  Press(inside);
  ASSERT_EQ(DraggingBlock, 1);
  MoveTo(drop);
  Release(drop);
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{
                            {ekAction, "Ono."}, {ekAction, "Three.  e."}, {ekForcedPageBreak, " "}, {ekAction, "Tw"}}));
}

TEST_F(MouseEditingTest, ALockedSceneHeadingMovesWholeWithoutAnOmittedMark) {
  LoadGrouped({{ekSceneHeading, "INT. A"}, {ekAction, "x."}, {ekSceneHeading, "INT. B"}, {ekAction, "y."}});
  W().ScenesLocked = 1;
  editor::MarkBlock(W(), *ElementAt(0), 0, *ElementAt(0), 6);
  RebuildScreen(&W());
  const TPoint inside = PointOf(0, 2);
  const TPoint drop = PointOf(3, 2);
  Press(inside);
  ASSERT_EQ(DraggingBlock, 1);
  MoveTo(drop);
  Release(drop);
  EXPECT_EQ(Elements(),
            (std::vector<ElementSpec>{
                {ekAction, "x."}, {ekSceneHeading, "INT. B"}, {ekAction, "y."}, {ekSceneHeading, "INT. A"}}));
  EXPECT_EQ(W().ScenesLocked, 1) << "the lock is back after the move";
}

TEST_F(MouseEditingTest, ADragWhoseStartWasDeletedByAKeyGoesOnFromTheCaret) {
  Load({{ekAction, "One."}, {ekAction, "Two"}, {ekAction, "Three."}});
  const TPoint start = PointOf(1, 0);
  const TPoint later = PointOf(2, 3);
  Press(start);
  ASSERT_EQ(CurrentIndex(), 1);
  Press(VK_BACK);  // joins the element the drag began in to the one before
  const std::vector<ElementSpec> joined{{ekAction, "One.  Two"}, {ekAction, "Three."}};
  ASSERT_EQ(Elements(), joined);
  MoveTo(later);
  Release(later);
  EXPECT_EQ(Elements(), joined);
  EXPECT_EQ(BlockMarks(), (Marks{{4, 9}, {0, 3}})) << "from where the key left the caret";
}

TEST_F(MouseEditingTest, APressFarRightOfTheTextClearsTheBlockInsteadOfDragging) {
  Load(three);
  Drag(PointOf(0, 0), PointOf(1, 5));
  ASSERT_EQ(W().BlockOn(), 1);
  const TPoint far{W().ClientWidth() - 2, PointOf(0, 3).Y};
  Press(far);
  EXPECT_EQ(DraggingBlock, 0);
  Release(far);
  EXPECT_EQ(W().BlockOn(), 0);
}

TEST_F(MouseEditingTest, DraggingPastTheWindowScrollsALineAPassWhileTheButtonIsHeld) {
  std::vector<ElementSpec> many;
  for (int i = 0; i < 80; ++i) many.push_back({ekAction, "Line " + std::to_string(i) + "."});
  for (const bool down : {true, false}) {
    SCOPED_TRACE(down ? "below the window" : "above the window");
    Load(many, down ? 0 : 40, 0);
    if (!down) {
      W().CurrentElement()->screenLine = 1;
      RebuildScreen(&W());
    }
    // Press on the line nearest the edge the drag leaves by.
    int from = CurrentIndex();
    while (down && PointOf(from + 1, 1).Y + 2 * W().ScreenLineHeight < W().ClientHeight()) ++from;
    const TPoint start = PointOf(from, 1);
    const TElementGroup* topBefore = W().ScreenLines[1].element->group;
    Press(start);
    const TPoint outside{start.X, down ? W().ClientHeight() + 30 : W().TextTopOffset - 30};
    MoveTo(outside);
    AdvanceClock(AutoScrollInterval * 5);
    const int moved = down ? 6 : -6;  // the first pass runs as the pointer leaves
    EXPECT_EQ(CurrentIndex(), from + moved) << "one line a pass";
    Release(outside);
    AdvanceClock(AutoScrollInterval * 5);
    EXPECT_EQ(CurrentIndex(), from + moved) << "the release ends the scroll";
    EXPECT_EQ(W().BlockOn(), 1);
    const int low = std::min(from, from + moved);
    const int high = std::max(from, from + moved);
    const Marks marks = BlockMarks();
    for (int i = 0; i < static_cast<int>(marks.size()); ++i)
      EXPECT_EQ(marks[static_cast<std::size_t>(i)] != Unmarked, i >= low && i <= high) << "element " << i;
    EXPECT_NE(W().ScreenLines[1].element->group, topBefore) << "the view followed the caret";
    ClearBlockSelection(false);
  }
}

TEST_F(MouseEditingTest, ADoubleClickOnAHiddenTextMarkerShowsOrHidesTheText) {
  Load({{ekAction, "Before."}, {ekAction, "Hidden."}, {ekAction, "After."}});
  W().FirstElement->next->state = esHidden;
  RebuildScreen(&W());
  W().RedisplayScreen(true);
  // The "S" box stands at the window's left edge on the line after the
  // hidden text; hovering over it tells what a double click does.
  TScriptElement* after = W().FirstElement->next->next;
  const TPoint marker{3, ScreenLineTop(W(), after->screenLine) + 3};
  MoveTo(marker, 0);
  EXPECT_EQ(std::string(W().Hint), "Double Click to Show Text");
  DoubleClick(marker);
  EXPECT_EQ(W().FirstElement->next->state, esShownHidden);
  EXPECT_EQ(W().BlockOn(), 0) << "the double click selects nothing";
  // Shown hidden text keeps a marker of its own, which hides it again.
  RebuildScreen(&W());
  W().RedisplayScreen(true);
  TScriptElement* shown = W().FirstElement->next;
  DoubleClick(TPoint{3, ScreenLineTop(W(), shown->screenLine) + 3});
  EXPECT_EQ(shown->state, esHidden);
}

// The right button offers commands only in a script that can be changed,
// and only while the "Mouse Menu" option is on; "Use PowerPanel" chooses
// between the panel and the block menu.
TEST_F(MouseEditingTest, TheRightButtonOpensTheMenuOrPanelOnlyWhereTheyMayBeUsed) {
  constexpr unsigned MouseRight = 0x02;
  struct Case {
    const char* what;
    Byte editable;
    bool mouseMenu;
    bool powerPanel;
    bool blockMenu;
    bool panel;
  };
  const std::vector<Case> cases{
      {"read-only, panel chosen", 0, true, true, false, false},
      {"read-only, block menu chosen", 0, true, false, false, false},
      {"Mouse Menu off, panel chosen", 1, false, true, false, false},
      {"Mouse Menu off, block menu chosen", 1, false, false, false, false},
      {"the block menu", 1, true, false, true, false},
      {"the panel", 1, true, true, false, true},
  };
  TPowerPanel& panel = MainForm->ScriptPopups().PowerPanel();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load(three, 0, 0);
    W().Editable = c.editable;
    MouseMenu = c.mouseMenu;
    Options().UsePowerPanel = c.powerPanel;
    std::string menuShown;
    if (c.blockMenu)
      Driver().ExpectPopup([&menuShown](TPopupMenu& menu) -> TMenuItem* {
        menuShown = menu.Name;
        return nullptr;
      });
    Mouse(WM_RBUTTONDOWN, MouseRight, PointOf(1, 3));
    EXPECT_EQ(menuShown, c.blockMenu ? "SelectPopUp" : "");
    EXPECT_EQ(panel.Visible(), c.panel);
    EXPECT_EQ(Driver().Pending(), 0);
    if (panel.Visible()) panel.ClosePanel();
  }
}

// A click while the power panel shows only puts the panel away: the block
// the writer right-clicked stays marked and the caret stays where it was,
// whichever button clicked. The next click works as ever.
TEST_F(MouseEditingTest, AClickWhileThePowerPanelShowsOnlyHidesThePanel) {
  constexpr unsigned MouseRight = 0x02;
  const struct {
    const char* what;
    unsigned down, up;
    unsigned buttons;
  } cases[] = {
      {"left button", WM_LBUTTONDOWN, WM_LBUTTONUP, MouseLeft},
      {"right button", WM_RBUTTONDOWN, WM_RBUTTONUP, MouseRight},
  };
  TPowerPanel& panel = MainForm->ScriptPopups().PowerPanel();
  Options().UsePowerPanel = true;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(three, 0, 5);
    W().CurrentElement()->blockStart = 0;
    W().CurrentElement()->blockEnd = 5;
    EditFields(W()).BlockOn = 1;
    Mouse(WM_RBUTTONDOWN, MouseRight, PointOf(0, 2));
    ASSERT_TRUE(panel.Visible());
    Mouse(c.down, c.buttons, PointOf(2, 4));
    MoveTo(PointOf(2, 6), c.buttons);
    Mouse(c.up, 0, PointOf(2, 6));
    AdvanceClock(static_cast<std::uint64_t>(W().ClickTimer->Interval()) + 1);
    EXPECT_FALSE(panel.Visible());
    EXPECT_EQ(CurrentIndex(), 0) << "the caret stays";
    EXPECT_EQ(W().CaretColumn(), 5);
    EXPECT_EQ(W().BlockOn(), 1) << "the block stays";
    EXPECT_EQ(BlockMarks(), (Marks{{0, 5}, Unmarked, Unmarked}));
    EXPECT_EQ(Driver().Pending(), 0) << "no menu opened";
  }
  // With the panel gone a click places the caret again.
  ClickAt(W(), PointOf(2, 4).X, PointOf(2, 4).Y);
  EXPECT_EQ(CurrentIndex(), 2);
  EXPECT_EQ(W().CaretColumn(), 4);
  EXPECT_EQ(W().BlockOn(), 0);
}

// The element box's list opened with F4 belongs to the caret's element: a
// click in the script puts it away as it moves the caret.
TEST_F(MouseEditingTest, AClickInTheScriptPutsTheElementListAway) {
  Load(three, 0, 0);
  SendKey(VK_F4);
  ASSERT_TRUE(MainForm->ElementPopDownList->Visible());
  ClickAt(W(), PointOf(1, 3).X, PointOf(1, 3).Y);
  EXPECT_FALSE(MainForm->ElementPopDownList->Visible());
  EXPECT_EQ(CurrentIndex(), 1);
  EXPECT_EQ(W().CaretColumn(), 3);
}

// With "Move to Right Click" the panel's commands work where the writer
// clicked: the caret goes there first, unless a block is marked.
TEST_F(MouseEditingTest, MoveToRightClickTakesTheCaretToTheClickBeforeThePanelShows) {
  constexpr unsigned MouseRight = 0x02;
  struct Case {
    const char* what;
    bool moveToClick;
    bool block;
    int element;
    int column;
  };
  const std::vector<Case> cases{
      {"the option on", true, false, 1, 3},
      {"the option off", false, false, 0, 0},
      {"a block marked", true, true, 0, 0},
  };
  TPowerPanel& panel = MainForm->ScriptPopups().PowerPanel();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load(three, 0, 0);
    if (c.block) {
      W().CurrentElement()->blockStart = 0;
      W().CurrentElement()->blockEnd = 5;
      EditFields(W()).BlockOn = 1;
    }
    Options().MoveToRightClick = c.moveToClick;
    Mouse(WM_RBUTTONDOWN, MouseRight, PointOf(1, 3));
    EXPECT_TRUE(panel.Visible());
    EXPECT_EQ(CurrentIndex(), c.element);
    EXPECT_EQ(W().CaretColumn(), c.column);
    panel.ClosePanel();
  }
}

}  // namespace
}  // namespace qm::testing
