// A double click on the branch marker left of a branch point follows the
// branch when the button comes up; elsewhere a double click selects.
#include <gtest/gtest.h>

#include "base/prompt_table.h"
#include "script/fixtures/block_fixture.h"
#include "script/script_window.h"
#include "story/branching_script.h"

namespace qm::testing {
namespace {

class BranchClickTest : public BlockFixture {
 protected:
  void SetUp() override {
    BlockFixture::SetUp();
    LoadGrouped({{ekSceneHeading, "Front door"},
                 {ekTransition, "GO TO CELLAR (9)"},
                 {ekTransition, "RETURN (0)"},
                 {ekTransition, "GO TO GONE (4)"},
                 {ekSceneHeading, "Cellar"}});
    W().InteractiveScript = 1;
    NthElement(W(), 0)->format.NumberWord = 5;
    NthElement(W(), 4)->format.NumberWord = 9;
  }
  // Two character cells left of the element's text: on its marker.
  TPoint MarkerOf(int element) {
    TPoint p = PointOf(element, 0);
    p.X -= 2 * W().DotWidth;
    return p;
  }
};

TEST_F(BranchClickTest, ADoubleClickOnTheMarkerFollowsTheBranch) {
  const struct {
    const char* what;
    int element;
    std::string message;  // the report, or empty
    int landsOn;
  } cases[] = {
      {"a target that exists", 1, "", 4},
      {"RETURN is for the player", 2, "Sorry, but RETURN (0) is only accessible within the Run-Time Player", 2},
      {"a target that is gone", 3, "Cannot find Target Index!", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.message.empty()) AnswerMessageBox(Driver(), c.message, mrOk);
    DoubleClick(MarkerOf(c.element));
    EXPECT_EQ(W().CurrentElement(), NthElement(W(), c.landsOn));
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_FALSE(W().BlockOn()) << "nothing was selected";
  }
}

TEST_F(BranchClickTest, ElsewhereOrInAnOrdinaryScriptADoubleClickSelectsAWord) {
  DoubleClick(PointOf(1, 7));  // on "CELLAR"
  EXPECT_EQ(W().CurrentElement(), NthElement(W(), 1));
  EXPECT_TRUE(W().BlockOn());

  W().InteractiveScript = 0;
  DoubleClick(MarkerOf(1));
  EXPECT_EQ(W().CurrentElement(), NthElement(W(), 1)) << "no branch is followed";
}

}  // namespace
}  // namespace qm::testing
