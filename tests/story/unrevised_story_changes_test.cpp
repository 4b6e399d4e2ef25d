// The story tools that move scenes, drop empty elements, renumber branch
// targets or change storyboard links leave the text of the lines where
// the caret is as it was: they mark the script modified and that line is
// not marked revised, even while the script marks revisions. A new branch
// target's own line is new text, and marked.
#include <gtest/gtest.h>

#include <functional>

#include "script/editing/revision_marks.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "story/branching_script.h"
#include "story/card_shuffle.h"
#include "story/card_text.h"
#include "story/cards_fixture.h"
#include "story/index_cards.h"
#include "story/interactive_script.h"
#include "story/storyboard_links.h"
#include "support/message_box_answers.h"

namespace qm {
namespace {

using testing::ElementSpec;

class UnrevisedStoryChangesTest : public testing::CardsFixture {
 protected:
  // The elements whose lines are marked, by position.
  std::vector<int> MarkedElements() {
    std::vector<int> marked;
    int i = 0;
    for (const TScriptElement* e = Script().FirstElement; e; e = e->next, ++i)
      if (HasRevisedLines(*e)) marked.push_back(i);
    return marked;
  }
  void Rooms() {
    Load({{ekSceneHeading, "INT. A"}, {ekAction, "a"}, {ekAction, "  "}, {ekSceneHeading, "INT. B"}, {ekAction, "b"}},
         1);
  }
};

TEST_F(UnrevisedStoryChangesTest, MovingAndRenumberingMarkNoLineTheWriterDidNotChange) {
  const struct {
    const char* what;
    std::function<void()> build;
    std::function<void()> change;
    std::vector<int> marked;
  } cases[] = {
      {"shuffling the cards",
       [this] { Rooms(); },
       [this] {
         TCardTable table;
         TCardSelection selection;
         LoadCardTable(Script(), table, {});
         ASSERT_EQ(PickCard(selection, table, 2, false), TPickResult::Picked);
         ASSERT_TRUE(DropCards(table, selection, 1, nullptr));
         ApplyCardOrder(Script(), table, 2);
       },
       {}},
      {"dropping empty elements", [this] { Rooms(); }, [this] { RemoveEmptyElements(Script()); }, {}},
      {"renumbering the branch targets",
       [this] { testing::BuildBranchingScript(Script()); },
       [this] {
         Driver().Expect([](TForm& box) { box.ModalResult = mrYes; }, "the question");
         Driver().Expect([](TForm& box) { box.ModalResult = mrOk; }, "the report");
         Driver().Expect([](TForm& box) { box.ModalResult = mrOk; }, "the gone target");
         story::RenumberAllJumpPositions();
       },
       {}},
      {"a new branch target at the end",
       [this] { testing::BuildBranchingScript(Script()); },
       [this] { story::AppendBranchTarget(Script(), "Roof"); },
       {8}},
      {"naming the storyboard file",
       [this] { Rooms(); },
       [this] { story::SetStoryboardFileName(Script(), "BOARD.SBD"); },
       {}},
      {"hiding the link marks", [this] { Rooms(); }, [] { MainForm->HideSBLinksItemClick(nullptr); }, {}},
      {"clearing the caret's link",
       [this] { Rooms(); },
       [] { MainForm->StoryBoardLinkClick(MainForm->MenuItem("ClearFrameLinksItem")); },
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.build();
    Script().RevisionMarking = 1;
    Script().DocumentModified = 0;
    c.change();
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_TRUE(Script().DocumentModified);
    EXPECT_EQ(MarkedElements(), c.marked);
  }
}

}  // namespace
}  // namespace qm
