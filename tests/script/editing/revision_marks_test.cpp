#include "script/editing/revision_marks.h"

#include <gtest/gtest.h>

#include "script/fixtures/pagination_fixture.h"
#include "script/model/edit_line_writer.h"

namespace qm::testing {
namespace {

class RevisionMarksTest : public PaginationFixture {
 protected:
  // A five-line Action on a locked page of revision 2, the caret at a
  // column of it.
  TScriptElement* FiveLines(int column) {
    for (TScreenLine& line : Window().ScreenLines) line.element = nullptr;
    Window().FreeElements();
    static_cast<TScriptSettings&>(Window()) = TScriptSettings{};
    Load({ActionLines(1), {ekLockedPageBreak, " "}, ActionLines(5)});
    Window().PagesLocked = 1;
    Window().HeaderTextLocked = 1;
    Window().CurrentRevision = 2;
    TScriptElement* action = ElementNo(2);
    Edit(action);
    EditFields(Window()).CaretColumn = static_cast<Word>(column);
    return action;
  }
  Word PageWord() const { return ElementNo(1)->format.NumberWord; }
};

TEST_F(RevisionMarksTest, TheCaretsLineIsMarkedOnceAndOnlyWhileMarking) {
  TScriptElement* action = FiveLines(130);  // on line 3: lines hold 60 characters
  MarkRevisedLine(Window(), false);
  EXPECT_FALSE(action->revisedLines) << "marks are off";
  Window().RevisionMarking = 1;
  MarkRevisedLine(Window(), false);
  MarkRevisedLine(Window(), false);
  ASSERT_TRUE(action->revisedLines);
  EXPECT_EQ(*action->revisedLines, RevisedLineSet({3}));
  EXPECT_EQ(PageWord() >> 8, 2) << "the locked page is revised now";

  Window().RevisionMarking = 0;
  EditFields(Window()).CaretColumn = 0;
  MarkRevisedLine(Window(), true);
  EXPECT_EQ(*action->revisedLines, RevisedLineSet({3, 1})) << "forced";
}

TEST_F(RevisionMarksTest, ALineMarkedAtAWrapBoundaryIsTheLineTheCaretShowsOn) {
  // Lines hold 60 characters: column 60 ends line 1, where the caret shows
  // after the last word typed on it.
  struct Case {
    int column;
    int line;
  };
  for (const Case& c : {Case{0, 1}, Case{59, 1}, Case{60, 1}, Case{61, 2}, Case{120, 2}, Case{299, 5}}) {
    SCOPED_TRACE(c.column);
    TScriptElement* action = FiveLines(c.column);
    ASSERT_EQ(Window().LineOffsets()[1], 60);
    EXPECT_EQ(CaretLineOfCurrent(Window()), c.line);
    MarkRevisedLine(Window(), true);
    EXPECT_EQ(*action->revisedLines, RevisedLineSet({c.line}));
  }
}

TEST_F(RevisionMarksTest, ListsLoseTheirRepeatsAtAHundred) {
  TScriptElement element;
  element.revisedLines = std::string(98, '\x02') + RevisedLineSet({4});
  CompactRevisedLines(element, false);
  EXPECT_EQ(element.revisedLines->size(), 99u) << "below a hundred the list stays";
  element.revisedLines = std::string(99, '\x05') + RevisedLineSet({1});
  CompactRevisedLines(element, false);
  EXPECT_EQ(*element.revisedLines, RevisedLineSet({5, 1})) << "at a hundred the repeats go";
  element.revisedLines = RevisedLineSet({2, 4, 2});
  CompactRevisedLines(element, true);
  EXPECT_EQ(*element.revisedLines, RevisedLineSet({2, 4})) << "forced";

  TScriptElement joined;
  AddRevisedLines(joined, RevisedLineSet({3, 0, 3, 7}));
  EXPECT_EQ(*joined.revisedLines, RevisedLineSet({3, 7}));
}

TEST_F(RevisionMarksTest, TheAsteriskTogglesAndTheLastMarkClearsThePageWhateverTheColours) {
  TScriptElement* action = FiveLines(70);  // line 2
  ASSERT_EQ(Window().ShowPageColours, 0);
  EXPECT_TRUE(ToggleRevisedLine(Window()));
  EXPECT_EQ(*action->revisedLines, RevisedLineSet({2}));
  EXPECT_EQ(PageWord(), 0x0200);
  EXPECT_FALSE(ToggleRevisedLine(Window()));
  EXPECT_FALSE(action->revisedLines) << "the empty list is freed";
  EXPECT_EQ(PageWord(), 0x0000) << "cleared though page colours are off";
}

TEST_F(RevisionMarksTest, TheAsteriskKeyMarksALineAndIsTypedOnlyWhenItUnmarksOne) {
  // The typed asterisk is no edit of the line: with marks on it must not
  // mark again the line it has just unmarked.
  for (const Byte marking : {Byte{0}, Byte{1}}) {
    SCOPED_TRACE(marking);
    TScriptElement* action = FiveLines(70);
    Window().RevisionMarking = marking;
    const std::string before = Window().EditBuffer();
    char key = '*';
    Window().FormKeyPress(&Window(), key);
    ASSERT_TRUE(action->revisedLines);
    EXPECT_EQ(*action->revisedLines, RevisedLineSet({2}));
    EXPECT_EQ(Window().EditBuffer(), before) << "marking types nothing";
    EXPECT_EQ(PageWord(), 0x0200);
    key = '*';
    Window().FormKeyPress(&Window(), key);
    EXPECT_FALSE(action->revisedLines) << "the only mark is gone";
    EXPECT_EQ(PageWord(), 0x0000) << "the page is no longer revised now";
    EXPECT_EQ(Window().EditBuffer().find('*'), 70u) << "unmarking types the asterisk";
  }
}

TEST_F(RevisionMarksTest, TheFirstPageFollowsItsMarks) {
  Window().FreeElements();
  static_cast<TScriptSettings&>(Window()) = TScriptSettings{};
  Load({ActionLines(2), {ekLockedPageBreak, " "}, ActionLines(1)});
  Edit(ElementNo(0));
  Window().PagesLocked = Window().HeaderTextLocked = 1;
  ToggleRevisedLine(Window());
  EXPECT_EQ(Window().FirstPageRevised, 1);
  ToggleRevisedLine(Window());
  EXPECT_EQ(Window().FirstPageRevised, 0);
}

}  // namespace
}  // namespace qm::testing
