#include "formats/revision_drafts.h"

#include <gtest/gtest.h>

#include "base/program_options.h"
#include "support/layout_fixture.h"

namespace qm {
namespace {

using RevisionDraftsTest = testing::LayoutFixture;

TEST_F(RevisionDraftsTest, TheDraftListIsReadAndReplacedWhole) {
  Build({{ekAction, "one"}});
  const TRevisionDraftList fresh = RevisionDraftListOf(Window());
  EXPECT_EQ(fresh.drafts, (std::vector<TRevisionDraft>{{"WHITE", clWhite}}));
  EXPECT_EQ(fresh.current, 0);

  const TRevisionDraftList list{{{"WHITE", clWhite}, {"BLUE", 0xFFC0C0}, {"Pink", clNone}}, 12, 2, true};
  Window().PagesLocked = 1;
  SetRevisionDraftList(Window(), list);
  EXPECT_EQ(RevisionDraftListOf(Window()), list) << "what goes in comes back out";
  EXPECT_EQ(Window().RevisionColourOf(2), clNone) << "a draft without a colour of its own";
  EXPECT_EQ(Window().CurrentRevision, 12) << "a draft past the end goes round the list";
  EXPECT_EQ(Window().ShowPageColours, 1) << "the page colours were set up again";

  SetRevisionDraftList(Window(), TRevisionDraftList{{}, 300, 9, false});
  EXPECT_EQ(RevisionDraftListOf(Window()).drafts, (std::vector<TRevisionDraft>{{"WHITE", clWhite}}))
      << "an empty list keeps the first version's colour";
  EXPECT_EQ(Window().CurrentRevision, 0);
  EXPECT_EQ(Window().RevisionLoopStyle, 1) << "an unknown loop choice falls back to DOUBLE";
  EXPECT_EQ(Window().ShowPageColours, 0);
  ProgramOptions().ShowColoredPages = true;
}

TEST_F(RevisionDraftsTest, MarksAreInForceOnlyInALockedScriptThatHoldsThem) {
  Build({{ekAction, "one"}, {ekAction, "two"}});
  EXPECT_FALSE(RevisionMarksInForce(Window()));
  Window().LastElement->revisedLines = std::string("\x01");
  EXPECT_FALSE(RevisionMarksInForce(Window())) << "not locked";
  Window().PagesLocked = 1;
  EXPECT_TRUE(RevisionMarksInForce(Window()));
  Window().LastElement->revisedLines = std::string();
  EXPECT_FALSE(RevisionMarksInForce(Window())) << "an empty list marks nothing";
}

}  // namespace
}  // namespace qm
