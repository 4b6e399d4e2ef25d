#include "script/editing/selection_commands.h"

#include <gtest/gtest.h>

#include "script/editing/block_selection.h"
#include "script/fixtures/block_fixture.h"
#include "script/script_window.h"

namespace qm::testing {
namespace {

class SelectionCommandsTest : public BlockFixture {};

constexpr int End = -1;

struct SelectCase {
  const char* what;
  void (*command)();
  std::vector<ElementSpec> elements;
  int current;
  int column;
  Marks marks;
  int currentAfter;
  int caretAfter;
  Byte level;
};

TEST_F(SelectionCommandsTest, EachCommandSelectsItsUnitAndSetsTheNextOne) {
  const std::vector<ElementSpec> speech{{ekAction, "He waits."},
                                        {ekCharacterName, "ANN"},
                                        {ekDialogue, "Hello there."},
                                        {ekParenthetical, "beat"},
                                        {ekDialogue, "Bye."}};
  const std::vector<ElementSpec> acts{
      {ekActInformation, "ACT ONE"}, {ekSceneHeading, "INT. A - DAY"}, {ekAction, "x"}, {ekAction, "y"},
      {ekActInformation, "ACT TWO"}, {ekSceneHeading, "INT. B - DAY"}, {ekAction, "z"}};
  const std::vector<ElementSpec> pages{{ekAction, "a"}, {ekForcedPageBreak, " "}, {ekAction, "b"},
                                       {ekAction, "c"}, {ekForcedPageBreak, " "}, {ekAction, "d"}};
  // clang-format off
  const std::vector<SelectCase> cases{
      {"a word before a comma takes the blank before it", SelectWord, {{ekAction, "he said, go"}}, 0, 4,
       {{2, 7}}, 0, 7, slSentence},
      {"the last word takes the blank before it", SelectWord, {{ekAction, "he said go"}}, 0, 9, {{7, 10}}, 0, 10,
       slSentence},
      {"a word before a blank takes the blank after it", SelectWord, {{ekAction, "he said go"}}, 0, 4, {{3, 8}}, 0,
       8, slSentence},
      {"a word in a scene heading grows to the element next", SelectWord, {{ekSceneHeading, "INT. HOUSE - DAY"}},
       0, 6, {{5, 11}}, 0, 11, slElement},
      {"a sentence with the blanks after it", SelectSentence, {{ekAction, "One two.  Three four.  Five."}}, 0, 12,
       {{10, 23}}, 0, 23, slElement},
      {"a sentence that is the whole lone element grows to the scene", SelectSentence,
       {{ekAction, "Just one."}}, 0, 3, {{0, 9}}, 0, 9, slScene},
      {"an element alone in its group", SelectElement, {{ekAction, "One."}, {ekAction, "Two."}}, 1, 1,
       {Unmarked, {0, 4}}, 1, 4, slScene},
      {"an element of a speech grows to the speech", SelectElement, speech, 2, 3,
       {Unmarked, Unmarked, {0, 12}, Unmarked, Unmarked}, 2, 12, slGroup},
      {"a group is the whole speech", SelectGroup, speech, 4, 1,
       {Unmarked, {0, 3}, {0, 12}, {0, 4}, {0, 4}}, 4, 4, slScene},
      {"a scene takes its act lead-in and stops before the next act", SelectScene, acts, 2, 0,
       {{0, 7}, {0, 12}, {0, 1}, {0, 1}, Unmarked, Unmarked, Unmarked}, 3, 1, slAll},
      {"a page runs to the break that ends it", SelectPage, pages, 3, 0,
       {Unmarked, Unmarked, {0, 1}, {0, 1}, {0, 1}, Unmarked}, 3, 1, slAll},
      {"the last page runs to the last element", SelectPage, pages, 5, 0,
       {Unmarked, Unmarked, Unmarked, Unmarked, Unmarked, {0, 1}}, 5, 1, slAll},
      {"all of the script", SelectAll, pages, 2, 0, {{0, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 1}}, 5, 1,
       slWord},
  };
  // clang-format on
  for (const SelectCase& c : cases) {
    SCOPED_TRACE(c.what);
    LoadGrouped(c.elements, c.current, c.column == End ? -1 : c.column);
    c.command();
    EXPECT_EQ(BlockMarks(), c.marks);
    EXPECT_EQ(CurrentIndex(), c.currentAfter);
    EXPECT_EQ(W().CaretColumn(), c.caretAfter);
    EXPECT_EQ(W().BlockOn(), 1);
    EXPECT_EQ(BlockSelection(W()).SelectionLevel, c.level);
    ClearBlockSelection(false);
  }
}

TEST_F(SelectionCommandsTest, TheGrowActionWalksWordSentenceElementGroupSceneAll) {
  LoadGrouped({{ekSceneHeading, "INT. ROOM - DAY"},
               {ekCharacterName, "ANN"},
               {ekDialogue, "Come here.  Now please."},
               {ekAction, "She goes."},
               {ekSceneHeading, "EXT. YARD"}},
              2, 13);
  struct Step {
    Byte levelBefore;
    int firstSelected;
    int lastSelected;
    Byte levelAfter;
  };
  const std::vector<Step> steps{{slWord, 2, 2, slSentence}, {slSentence, 2, 2, slElement}, {slElement, 2, 2, slGroup},
                                {slGroup, 1, 2, slScene},   {slScene, 0, 3, slAll},        {slAll, 0, 4, slAll}};
  for (const Step& s : steps) {
    SCOPED_TRACE(static_cast<int>(s.levelBefore));
    ASSERT_EQ(BlockSelection(W()).SelectionLevel, s.levelBefore);
    W().BlockClick(nullptr);
    const Marks marks = BlockMarks();
    for (int i = 0; i < static_cast<int>(marks.size()); ++i) {
      const bool selected = marks[static_cast<std::size_t>(i)] != Unmarked;
      EXPECT_EQ(selected, i >= s.firstSelected && i <= s.lastSelected) << "element " << i;
    }
    EXPECT_EQ(BlockSelection(W()).SelectionLevel, s.levelAfter);
  }
}

TEST_F(SelectionCommandsTest, ClearingTheBlockStartsTheGrowAgainAtTheWord) {
  LoadGrouped({{ekAction, "One two."}}, 0, 1);
  SelectElement();
  ASSERT_NE(BlockSelection(W()).SelectionLevel, slWord);
  ClearBlockSelection(true);
  EXPECT_EQ(BlockSelection(W()).SelectionLevel, slWord);
  EXPECT_EQ(W().BlockOn(), 0);
  EXPECT_EQ(BlockMarks(), (Marks{Unmarked}));
}

TEST_F(SelectionCommandsTest, TheMainWindowHearsWhenABlockComesAndGoes) {
  std::vector<bool> told;
  BlockSelectionHooks.BlockCommandsChanged = [&told](bool exists) { told.push_back(exists); };
  LoadGrouped({{ekAction, "One two."}}, 0, 1);
  SelectWord();
  ASSERT_FALSE(told.empty());
  EXPECT_TRUE(told.back());
  ClearBlockSelection(true);
  EXPECT_FALSE(told.back());
  BlockSelectionHooks.BlockCommandsChanged = nullptr;
}

TEST_F(SelectionCommandsTest, AReadOnlyScriptGetsNoBlock) {
  LoadGrouped({{ekAction, "One two."}}, 0, 1);
  W().Editable = 0;
  SelectWord();
  EXPECT_EQ(W().BlockOn(), 0);
  EXPECT_EQ(BlockMarks(), (Marks{Unmarked}));
}

}  // namespace
}  // namespace qm::testing
