// A script in production saved and read back: its locks, the locked
// numbers in its headings and breaks, its revision and its marks.
#include <gtest/gtest.h>

#include "files/native_file.h"
#include "files/script_samples.h"
#include "formats/drafts_fixture.h"
#include "formats/page_breaks.h"
#include "formats/revisions.h"
#include "formats/script_locking.h"
#include "script/editing/revision_marks.h"
#include "support/temp_folder.h"

namespace qm::testing {
namespace {

class DraftsFileTest : public DraftsFixture {};

TEST_F(DraftsFileTest, EveryLockRevisionAndMarkSurvivesSaveAndLoad) {
  Start({{ekSceneHeading, "INT. A"}, ActionLines(30), {ekSceneHeading, "INT. B"}, ActionLines(30),
         {ekSceneHeading, "INT. C"}, ActionLines(40)});
  Window().CurrentRevision = 2;
  LockScript(Window(), TLockChoices{});
  Window().ScenesMultiLocked = 1;
  // A line marked on the last page, and its page made a fixed A-page.
  Window().Assemble();
  Edit(Window().LastElement);
  Window().CaretColumn = 70;
  ToggleRevisedLine(Window());
  PageStartBreak(Window().LastElement)->format.Kind = ekFixedAPageBreak;
  Window().Assemble();

  TempFolder folder;
  const std::string file = folder.File("LOCKED.QMW");
  ASSERT_TRUE(SaveScriptFile(file, false, true));
  ScriptWindow read;
  ASSERT_TRUE(LoadScriptFile(file, false));
  EXPECT_EQ(ScriptDifferences(Window(), *read), std::vector<std::string>{});
  EXPECT_EQ(read->ScenesLocked, 1);
  EXPECT_EQ(read->PagesLocked, 1);
  EXPECT_EQ(read->ScenesMultiLocked, 1);
  EXPECT_EQ(read->HeaderTextLocked, 1);
  EXPECT_EQ(read->CurrentRevision, 2);
  int fixed = 0, marked = 0, lockedHeadings = 0;
  for (const TScriptElement* e = read->FirstElement; e; e = e->next) {
    fixed += e->Kind() == ekFixedAPageBreak;
    marked += HasRevisedLines(*e);
    lockedHeadings += IsSceneHeading(e->Kind()) && number_word::Locked(e->format.NumberWord);
  }
  EXPECT_EQ(fixed, 1);
  EXPECT_EQ(marked, 1);
  EXPECT_EQ(lockedHeadings, 3);
}

}  // namespace
}  // namespace qm::testing
