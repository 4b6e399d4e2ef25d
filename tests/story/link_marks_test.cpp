// The storyboard link marks in the script window's left margin: the mouse
// over one shows its hint, a double click on one asks the storyboard for
// the frame instead of selecting a word.
#include <gtest/gtest.h>

#include "script/fixtures/block_fixture.h"
#include "script/script_window.h"
#include "story/branching_script.h"

namespace qm::testing {
namespace {

class LinkMarksTest : public BlockFixture {
 protected:
  void SetUp() override {
    BlockFixture::SetUp();
    LoadGrouped({{ekAction, "Rain falls."}, {ekAction, "Thunder rolls."}});
    W().StoryboardLinks.Add("7");
    NthElement(W(), 1)->storyboardLink = 1;
  }
  TPoint MarkOf(int element) { return TPoint{4, PointOf(element, 0).Y}; }
};

TEST_F(LinkMarksTest, TheMouseOverAMarkShowsItsHint) {
  MoveTo(MarkOf(1), 0);
  EXPECT_EQ(W().Hint(), "Double Click to Open StoryBoard Link");
  MoveTo(MarkOf(0), 0);
  EXPECT_NE(W().Hint(), "Double Click to Open StoryBoard Link") << "no link there";
}

TEST_F(LinkMarksTest, ADoubleClickOnAMarkAsksForTheFrame) {
  // No storyboard program runs: the link asks for it, and the user gives up.
  Driver().Expect([](TForm& box) {
    EXPECT_NE(MessageBoxText(box).find("requires that the StoryBoard Program be running"), std::string::npos);
    box.ModalResult = mrAbort;
  });
  DoubleClick(MarkOf(1));
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(W().CurrentElement(), NthElement(W(), 1));
  EXPECT_FALSE(W().BlockOn()) << "no word was selected";

  DoubleClick(MarkOf(0));  // no link: an ordinary double click
  EXPECT_EQ(Driver().Pending(), 0);
}

}  // namespace
}  // namespace qm::testing
