#include "script/editing/block_deletion.h"

#include <gtest/gtest.h>

#include <functional>

#include "formats/page_headers.h"
#include "platform/clipboard.h"
#include "platform/menus.h"
#include "script/editing/block_selection.h"
#include "script/editing/editor_calls.h"
#include "script/editing/keyboard_commands.h"
#include "script/editing/revision_marks.h"
#include "script/editing/typing_aids.h"
#include "script/fixtures/locked_revision_fixture.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/program_settings.h"

namespace qm::testing {
namespace {

class BlockDeletionTest : public BlockFixture {};

struct DeleteCase {
  const char* what;
  std::vector<ElementSpec> before;
  int from;
  int fromColumn;
  int to;
  int toColumn;
  std::vector<ElementSpec> after;
  int current;
  int caret;
};

TEST_F(BlockDeletionTest, TheDeleteKeyRemovesTheBlockAndJoinsWhatIsLeft) {
  // clang-format off
  const std::vector<DeleteCase> cases{
      {"part of one element", {{ekAction, "one two three"}}, 0, 4, 0, 8, {{ekAction, "one three"}}, 0, 4},
      {"trailing blanks go with a block that ends before them", {{ekAction, "keep this  "}}, 0, 4, 0, 9,
       {{ekAction, "keep"}}, 0, 4},
      {"the pieces of one type are joined", {{ekAction, "He went to"}, {ekAction, "Middle."}, {ekAction, "the end."}},
       0, 3, 2, 4, {{ekAction, "He end."}}, 0, 3},
      {"pieces of two types stay apart", {{ekAction, "Some action"}, {ekSceneHeading, "INT. ROOM"}}, 0, 5, 1, 5,
       {{ekAction, "Some "}, {ekSceneHeading, "ROOM"}}, 0, 5},
      {"whole elements go", {{ekAction, "A."}, {ekAction, "B."}, {ekAction, "C."}}, 1, 0, 1, 2,
       {{ekAction, "A."}, {ekAction, "C."}}, 1, 0},
      {"everything leaves one empty element", {{ekAction, "A."}, {ekAction, "B."}}, 0, 0, 1, 2, {{ekAction, ""}}, 0,
       0},
      {"a forced page break inside the block goes with it",
       {{ekAction, "One."}, {ekForcedPageBreak, " "}, {ekAction, "Two."}}, 0, 2, 2, 2, {{ekAction, "Ono."}}, 0, 2},
      {"a locked page break stays while pages are locked",
       {{ekAction, "One."}, {ekLockedPageBreak, " "}, {ekAction, "Two."}}, 0, 2, 2, 2,
       {{ekAction, "On"}, {ekLockedPageBreak, " "}, {ekAction, "o."}}, 0, 2},
      {"a cue whose speech stays is kept empty", {{ekCharacterName, "ANN"}, {ekDialogue, "Hi."}}, 0, 0, 0, 3,
       {{ekCharacterName, ""}, {ekDialogue, "Hi."}}, 0, 0},
  };
  // clang-format on
  for (const DeleteCase& c : cases) {
    SCOPED_TRACE(c.what);
    LoadGrouped(c.before);
    W().PagesLocked = 1;
    editor::MarkBlock(W(), *ElementAt(c.from), c.fromColumn, *ElementAt(c.to), c.toColumn);
    ASSERT_EQ(W().BlockOn(), 1);
    Press(VK_DELETE);
    EXPECT_EQ(Elements(), c.after);
    EXPECT_EQ(CurrentIndex(), c.current);
    EXPECT_EQ(W().CaretColumn(), c.caret);
    EXPECT_EQ(W().BlockOn(), 0);
  }
}

TEST_F(BlockDeletionTest, EnterTabAndCtrlF1DeleteTheBlockBeforeTheirNewElement) {
  struct Case {
    const char* what;
    Word key;
    TShiftState shift;
    std::vector<ElementSpec> after;
  };
  const std::vector<Case> cases{
      {"enter", VK_RETURN, {}, {{ekAction, "one"}, {ekAction, ""}}},
      {"tab", VK_TAB, {}, {{ekAction, "one"}, {ekCharacterName, ""}}},
      {"a script note", VK_F1, ssCtrl, {{ekAction, "one"}, {ekScriptNote, ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadGrouped({{ekAction, "one two"}}, 0, -1);
    editor::MarkBlock(W(), *ElementAt(0), 4, *ElementAt(0), 7);
    Press(c.key, c.shift);
    EXPECT_EQ(Elements(), c.after);
    EXPECT_EQ(W().BlockOn(), 0);
  }
}

// What is typed over a marked block takes its place, the block deleted by
// the block rules first (the pieces of one type joined); an empty mark is
// only cleared, the typing going in at the caret.
TEST_F(BlockDeletionTest, TypingReplacesTheBlock) {
  // clang-format off
  const std::vector<DeleteCase> cases{
      {"part of one element", {{ekAction, "one two"}}, 0, 0, 0, 3, {{ekAction, "x two"}}, 0, 1},
      {"marked backwards, as End then Shift+Home mark", {{ekAction, "BEN"}}, 0, 3, 0, 0, {{ekAction, "x"}}, 0, 1},
      {"across two elements of one type", {{ekAction, "He went to"}, {ekAction, "the end."}}, 0, 3, 1, 4,
       {{ekAction, "He xend."}}, 0, 4},
      {"an empty mark", {{ekAction, "one two"}}, 0, 3, 0, 3, {{ekAction, "onex two"}}, 0, 4},
  };
  // clang-format on
  for (const DeleteCase& c : cases) {
    SCOPED_TRACE(c.what);
    LoadGrouped(c.before, 0, -1);
    editor::MarkBlock(W(), *ElementAt(c.from), c.fromColumn, *ElementAt(c.to), c.toColumn);
    TypeText("x");
    EXPECT_EQ(W().BlockOn(), 0);
    EXPECT_EQ(Elements(), c.after);
    EXPECT_EQ(W().CurrentElement(), ElementAt(c.current));
    EXPECT_EQ(W().CaretColumn(), c.caret);
    EXPECT_TRUE(W().DocumentModified);
  }
}

// With the name list up beside a cue being typed, a block marked by End
// and Shift+Home is typed over the same way: "ANNA", not "ANNABEN".
TEST_F(BlockDeletionTest, TypingOverABlockWhileTheNameListShowsReplacesIt) {
  Load({{ekCharacterName, "BENJAMIN"}, {ekDialogue, "Hi."}, {ekCharacterName, ""}}, 2);
  TypeText("BEN");
  ASSERT_TRUE(aids::ListShowing());
  KeysFixture::Press(VK_END);
  KeysFixture::Press(VK_HOME, ssShift);
  ASSERT_TRUE(W().BlockOn());
  TypeText("ANNA");
  EXPECT_EQ(W().EditBuffer(), "ANNA");
  EXPECT_EQ(W().CaretColumn(), 4);
  EXPECT_EQ(W().CurrentElement(), ElementAt(2));
  EXPECT_EQ(W().CurrentElement()->Kind(), ekCharacterName);
}

TEST_F(BlockDeletionTest, BackspaceDeletesTheBlockToo) {
  LoadGrouped({{ekAction, "one two three"}});
  editor::MarkBlock(W(), *ElementAt(0), 3, *ElementAt(0), 7);
  Press(VK_BACK);
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "one three"}}));
}

TEST_F(BlockDeletionTest, DeletingABlockLeavesTheClipboardAsItWas) {
  LoadGrouped({{ekAction, "one two three"}});
  qm::Clipboard()->SetAsText("kept");
  editor::MarkBlock(W(), *ElementAt(0), 0, *ElementAt(0), 4);
  Press(VK_DELETE);
  EXPECT_EQ(qm::Clipboard()->AsText(), "kept");
}

TEST_F(BlockDeletionTest, JoiningFollowsTheSentenceAndLengthRules) {
  struct Case {
    const char* what;
    std::vector<ElementSpec> before;
    bool joined;
    std::string text;
  };
  const std::string longA(1300, 'a');
  const std::string longB(1250, 'b');
  const std::vector<Case> cases{
      {"INT. takes no sentence spacing", {{ekSceneHeading, "INT."}, {ekSceneHeading, "HOUSE"}}, true, "INT. HOUSE"},
      {"a sentence end takes the sentence spacing",
       {{ekAction, "He left."}, {ekAction, "Door."}},
       true,
       "He left.  Door."},
      {"a word takes one blank", {{ekAction, "He"}, {ekAction, "left."}}, true, "He left."},
      {"two types never join", {{ekAction, "He"}, {ekDialogue, "left."}}, false, "He"},
      {"over 2,500 characters is refused", {{ekAction, longA}, {ekAction, longB}}, false, longA},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadGrouped(c.before, 0, -1);
    if (!c.joined && c.text == longA) ExpectBox(JoinTooLongText, mrOk);
    EXPECT_EQ(JoinWithNextElement(true, true, W()), c.joined);
    EXPECT_EQ(W().EditBuffer(), c.text);
    EXPECT_EQ(static_cast<int>(Elements().size()), c.joined ? 1 : 2);
  }
}

TEST_F(BlockDeletionTest, AJoinKeepsTheRevisedLinesOfTheJoinedText) {
  const std::string first = "A first element long enough to wrap onto a second line of the page when the margins are "
                            "the usual ones for action.";
  LoadGrouped({{ekAction, first}, {ekAction, "Revised."}}, 0, -1);
  ElementAt(1)->revisedLines = std::string(1, '\x01');
  ASSERT_TRUE(JoinWithNextElement(false, true, W()));
  TScriptElement* joined = W().CurrentElement();
  ASSERT_GT(joined->lineCount, 1);
  ASSERT_TRUE(joined->revisedLines);
  EXPECT_EQ(std::string(*joined->revisedLines), std::string(1, static_cast<char>(joined->lineCount)))
      << "the mark moved down to the line that now holds the joined text";
}

TEST_F(BlockDeletionTest, MarkingFromAnElementReachesTheTarget) {
  struct Case {
    const char* what;
    int current;
    bool blockFirst;
    int target;
    bool below;
    Marks marks;
  };
  const std::vector<ElementSpec> elements{
      {ekAction, "One."}, {ekAction, "Two."}, {ekAction, "Three."}, {ekAction, "Four."}};
  const std::vector<Case> cases{
      {"no block: only the caret moves", 0, false, 2, true, {Unmarked, Unmarked, Unmarked, Unmarked}},
      {"a block grows down to the target", 0, true, 3, true, {{0, 4}, {0, 4}, {0, 6}, {0, 0}}},
      {"a block grows up to the target", 3, true, 1, false, {Unmarked, {4, 0}, {6, 0}, {0, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadGrouped(elements, c.current, 0);
    if (c.blockFirst) ExtendBlockTo(W(), *W().CurrentElement(), 0);
    MarkBlockFromElement(ElementAt(c.target), c.below);
    EXPECT_EQ(CurrentIndex(), c.target);
    EXPECT_EQ(BlockMarks(), c.marks);
    ClearBlockSelection(false);
  }
}

// ---- A block deleted from a locked page in a new revision ----

// Page two opens with a locked break whose header was fixed in the white
// draft; the writer now works in the blue revision, marking revisions.
class LockedPageDeletionTest : public LockedRevisionFixture {
 protected:
  static constexpr int kAction = 2;  // the Action on page two the block lies in

  // "old " marked in the Action on page two.
  void LoadNewRevision() {
    LockedRevisionFixture::LoadNewRevision();
    TMDIChild& w = W();
    editor::MarkBlock(w, *ElementAt(kAction), 4, *ElementAt(kAction), 8);
    RebuildScreen(&w);
    MainForm->UpdateMenusAndButtons();
  }
  void CtrlKeysCut(bool on) {
    Options().CtrlKeyCutPaste = on;
    ApplyKeyboardLayout(Options());
  }
};

// Every way a block goes: the page it was on takes the revision's header
// and colour, the line it leaves is marked revised, the page prints among
// the revised ones; page three and page one are untouched; one Undo gives
// all of it back.
TEST_F(LockedPageDeletionTest, EveryRoadThatDeletesABlockMarksThePageChanged) {
  struct Road {
    const char* what;
    std::function<void()> run;
  };
  const std::vector<Road> roads{
      {"the Delete key", [&] { Press(VK_DELETE); }},
      {"Backspace", [&] { Press(VK_BACK); }},
      {"a letter typed over it", [&] { TypeText("x"); }},
      {"Enter, which starts an element in its place", [&] { Press(VK_RETURN); }},
      {"Shift+Delete", [&] { Press(VK_DELETE, ssShift); }},
      {"Ctrl+X",
       [&] {
         CtrlKeysCut(true);
         Press('X', ssCtrl);
         CtrlKeysCut(false);
       }},
      {"Edit > Cut", [&] { MainForm->MenuItem("CutItem")->Click(); }},
      {"Edit > Delete", [&] { MainForm->MenuItem("DeleteItem")->Click(); }},
      {"dragged and dropped on the same page",
       [&] {
         const TPoint inside = PointOf(kAction, 5);
         const TPoint drop = PointOf(kAction + 1, 0);
         Press(inside);
         MoveTo(drop);
         Release(drop);
       }},
      {"pasted over",
       [&] {
         qm::Clipboard()->SetAsText("young ");
         MainForm->UpdateMenusAndButtons();
         MainForm->MenuItem("PasteItem")->Click();
       }},
  };
  for (const Road& road : roads) {
    SCOPED_TRACE(road.what);
    LoadNewRevision();
    const std::vector<ElementSpec> before = Elements();
    road.run();
    ASSERT_EQ(LiveElementText(W(), *ElementAt(kAction)).find("old"), std::string::npos) << "the block went";
    std::vector<TScriptElement*> breaks = LockedBreaks();
    ASSERT_EQ(breaks.size(), 2U);
    EXPECT_EQ(PageHeaderText(W(), breaks[0]), "BLUE REVISION\x8D");
    EXPECT_EQ(RevisionOf(breaks[0]), kRevision);
    EXPECT_EQ(PageHeaderText(W(), breaks[1]), "WHITE DRAFT\x8D") << "page three is not changed";
    EXPECT_EQ(RevisionOf(breaks[1]), 0);
    EXPECT_EQ(W().FirstPageRevision, 0) << "page one is not changed";
    const TScriptElement* action = ElementAt(kAction);
    EXPECT_TRUE(action->revisedLines && action->revisedLines->find('\x01') != std::string::npos)
        << "the line the block was on is marked revised";
    EXPECT_EQ(PrintedRevisedPages(), (std::vector<const TScriptElement*>{breaks[0]}));

    MainForm->MenuItem("UndoItem")->Click();
    EXPECT_EQ(Elements(), before);
    breaks = LockedBreaks();
    ASSERT_EQ(breaks.size(), 2U);
    EXPECT_EQ(PageHeaderText(W(), breaks[0]), "WHITE DRAFT\x8D");
    EXPECT_EQ(RevisionOf(breaks[0]), 0);
    EXPECT_FALSE(HasRevisedLines(*ElementAt(kAction)));
    EXPECT_TRUE(PrintedRevisedPages().empty());
  }
}

}  // namespace
}  // namespace qm::testing
