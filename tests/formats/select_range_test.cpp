// The block made from a range of scenes, and extended from the caret.
#include <gtest/gtest.h>

#include "formats/drafts_fixture.h"
#include "formats/select_range.h"
#include "formats/select_range_dialog.h"
#include "script/editing/block_selection.h"
#include "script/editing/editor_calls.h"

namespace qm::testing {
namespace {

class SelectRangeTest : public DraftsFixture {
 protected:
  // Four scenes; the third runs over a page break.
  void FourScenes() {
    // clang-format off
    Start({{ekSceneHeading, "INT. ONE - DAY"}, ActionLines(2), {ekSceneHeading, "INT. TWO - DAY"}, ActionLines(3),
           {ekSceneHeading, "INT. THREE - DAY"}, ActionLines(40), ActionLines(20),
           {ekSceneHeading, "INT. FOUR - DAY"}, ActionLines(2)});
    // clang-format on
  }
  void Answer(std::function<void(TSelectRangeDlg&)> choose, TModalResult result = mrOk) {
    Driver().Expect([choose, result](TForm& form) {
      choose(dynamic_cast<TSelectRangeDlg&>(form));
      form.ModalResult = result;
    });
  }
  // The block as element indexes (page breaks counted) and end columns.
  struct Range {
    int first, firstColumn, last, lastColumn;
    friend bool operator==(const Range&, const Range&) = default;
  };
  Range Block() {
    const std::vector<editor::TBlockSpan> spans = editor::BlockSpans(Window());
    if (spans.empty()) return {-1, -1, -1, -1};
    return {IndexOf(spans.front().element), spans.front().start, IndexOf(spans.back().element), spans.back().end};
  }
  int IndexOf(const TScriptElement* element) const {
    int i = 0;
    for (const TScriptElement* e = Window().FirstElement; e; e = e->next, ++i)
      if (e == element) return i;
    return -1;
  }
  int Length(int index) const { return BlockTextLength(Window(), *ElementNo(index)); }
  int FirstBreak() const {
    int i = 0;
    for (const TScriptElement* e = Window().FirstElement; e; e = e->next, ++i)
      if (IsPageBreakKind(e->Kind())) return i;
    return -1;
  }
};

TEST_F(SelectRangeTest, ChosenScenesBecomeTheBlockWhole) {
  FourScenes();
  Answer([](TSelectRangeDlg& d) {
    EXPECT_EQ(d.Caption(), "Select Range of Scenes for Blocking");
    ASSERT_EQ(d.FromBox->Items.Count(), 4);
    EXPECT_NE(d.FromBox->Items[1].find("INT. TWO - DAY"), std::string::npos);
    d.FromBox->SetItemIndex(1);
    d.ToBox->SetItemIndex(2);
  });
  ASSERT_TRUE(SelectSceneRange(Window()));
  int headingFour = -1;
  for (int i = 0; ElementNo(i); ++i)
    if (ElementNo(i)->Kind() == ekSceneHeading && ElementText(*ElementNo(i)) == "INT. FOUR - DAY") headingFour = i;
  ASSERT_GT(headingFour, 0);
  EXPECT_EQ(Block(), (Range{2, 0, headingFour - 1, Length(headingFour - 1)}));
}

TEST_F(SelectRangeTest, BlockExtendsFromTheCaretToTheChosenEnd) {
  FourScenes();
  const int pageBreak = FirstBreak();
  ASSERT_GT(pageBreak, 5);
  struct Case {
    int choice;
    std::string page;
    int last;  // -1: the script's last element
  } const cases[] = {
      {ecEndOfPage, "", pageBreak - 1},
      {ecEndOfScene, "", 1},
      {ecEndOfScript, "", -1},
      {ecToPage, "1", pageBreak - 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choice);
    FourScenes();
    CaretAt(1, 5);
    Answer([&c](TSelectRangeDlg& d) {
      EXPECT_EQ(d.Caption(), "Select how to extend Block");
      d.ExtendGroup->SetItemIndex(c.choice);
      d.PageEdit->Text = c.page;
    });
    ASSERT_TRUE(ExtendBlockSelection(Window(), false, false));
    int last = c.last;
    if (last < 0)
      for (int i = 0; ElementNo(i); ++i) last = i;
    EXPECT_EQ(Block(), (Range{1, 5, last, Length(last)}));
  }
}

TEST_F(SelectRangeTest, AMissingPageIsRefusedAndAsksAgain) {
  FourScenes();
  CaretAt(1, 0);
  Answer([](TSelectRangeDlg& d) {
    d.ExtendGroup->SetItemIndex(ecToPage);
    d.PageEdit->Text = std::string("40");
  });
  std::string message;
  Press(mrOk, &message);
  Answer([](TSelectRangeDlg&) {}, mrCancel);
  EXPECT_FALSE(ExtendBlockSelection(Window(), false, false));
  EXPECT_EQ(message, "There is no Page 40 in this Script.");
  EXPECT_EQ(Block().first, -1) << "no block was made";
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(SelectRangeTest, SceneItemsExtendTheBlockToTheNeighbouringHeading) {
  // 0 heading, 1 action, 2 heading, 3 and 4 action, 5 heading, 6 action.
  const std::vector<ElementSpec> script{{ekSceneHeading, "INT. ONE - DAY"},
                                        {ekAction, "Alpha."},
                                        {ekSceneHeading, "INT. TWO - DAY"},
                                        {ekAction, "Beta."},
                                        {ekAction, "Gamma."},
                                        {ekSceneHeading, "INT. THREE - DAY"},
                                        {ekAction, "Delta."}};
  struct Case {
    const char* what;
    int element, column;
    std::vector<bool> downs;  // one extension each: true to the next scene
    Range block;
    int current;
  };
  const std::vector<Case> cases{
      {"down: the rest of the scene, up to the next heading", 3, 2, {true}, {3, 2, 5, 0}, 5},
      {"up: back to the start of the scene", 3, 2, {false}, {2, 0, 3, 2}, 2},
      {"down twice: a whole scene more", 1, 0, {true, true}, {1, 0, 5, 0}, 5},
      {"up from a heading: the scene before", 2, 3, {false}, {0, 0, 2, 3}, 0},
      {"down then up: the block grows up past where it started", 3, 2, {true, false}, {2, 0, 5, 0}, 2},
      {"down twice then up: the block shrinks back to the heading", 1, 0, {true, true, false}, {1, 0, 2, 0}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start(script);
    CaretAt(c.element, c.column);
    ExtendBlockTo(Window(), *ElementNo(c.element), c.column);
    for (bool down : c.downs) ASSERT_TRUE(ExtendBlockSelection(Window(), down, !down));
    EXPECT_EQ(Block(), c.block);
    EXPECT_EQ(IndexOf(Window().CurrentElement()), c.current);
    EXPECT_EQ(Driver().Pending(), 0) << "no dialog comes up";
  }
}

TEST_F(SelectRangeTest, NoHeadingBeyondTheCaretLeavesTheBlock) {
  const struct {
    int element;
    bool down;
  } cases[] = {{3, true}, {0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.down);
    Start({{ekSceneHeading, "INT. ONE - DAY"}, {ekAction, "Alpha."}, {ekAction, "Beta."}, {ekAction, "Gamma."}});
    CaretAt(c.element, 1);
    ExtendBlockTo(Window(), *ElementNo(c.element), 1);
    ElementNo(c.element)->blockEnd = 3;
    std::string message;
    Press(mrOk, &message);
    EXPECT_FALSE(ExtendBlockSelection(Window(), c.down, !c.down));
    EXPECT_EQ(message, "No more Scenes Found");
    EXPECT_EQ(Block(), (Range{c.element, 1, c.element, 3}));
    EXPECT_EQ(IndexOf(Window().CurrentElement()), c.element);
  }
}

}  // namespace
}  // namespace qm::testing
