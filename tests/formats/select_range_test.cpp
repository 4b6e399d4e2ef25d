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
    Start({{ekSceneHeading, "INT. ONE - DAY"}, ActionLines(2), {ekSceneHeading, "INT. TWO - DAY"}, ActionLines(3),
           {ekSceneHeading, "INT. THREE - DAY"}, ActionLines(40), ActionLines(20),
           {ekSceneHeading, "INT. FOUR - DAY"}, ActionLines(2)});
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
    ASSERT_TRUE(ExtendBlockSelection(Window()));
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
  EXPECT_FALSE(ExtendBlockSelection(Window()));
  EXPECT_EQ(message, "There is no Page 40 in this Script.");
  EXPECT_EQ(Block().first, -1) << "no block was made";
  EXPECT_EQ(Driver().Pending(), 0);
}

}  // namespace
}  // namespace qm::testing
