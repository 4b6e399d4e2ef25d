// A script in production saved and read back: its locks, the locked
// numbers in its headings and breaks, its revision and its marks.
#include <gtest/gtest.h>

#include "files/native_file.h"
#include "files/script_samples.h"
#include "formats/drafts_fixture.h"
#include "formats/dialogue_numbering.h"
#include "formats/page_breaks.h"
#include "formats/page_headers.h"
#include "formats/revision_levels.h"
#include "formats/revisions.h"
#include "formats/script_locking.h"
#include "script/editing/revision_marks.h"
#include "script/pagination/numbering.h"
#include "support/temp_folder.h"
#include "script/editing/editor_calls.h"

namespace qm::testing {
namespace {

class DraftsFileTest : public DraftsFixture {};

TEST_F(DraftsFileTest, EveryLockRevisionAndMarkSurvivesSaveAndLoad) {
  // clang-format off
  Start({{ekSceneHeading, "INT. A"}, ActionLines(30), {ekSceneHeading, "INT. B"}, ActionLines(30),
         {ekSceneHeading, "INT. C"}, {ekCharacterName, "ANN"}, {ekDialogue, "Hello."}, ActionLines(36)});
  // clang-format on
  Window().CurrentRevision = 2;
  Window().HeaderLine1 = "PINK DRAFT";
  LockScript(Window(), TLockChoices{});
  Window().ScenesMultiLocked = 1;
  // The speeches locked, and a mark of the first element locked as a level.
  Driver().Expect([](TForm& form) { form.ModalResult = mrOk; });
  Press(mrOk);
  ASSERT_TRUE(LockDialogueNumbering(Window(), TDialogueNumbering::Lock));
  ElementNo(0)->revisedLines = std::string(1, '\x01');
  AnswerTypeYes("YES");
  Press(mrOk);
  LockRevisionMarks(Window());
  ASSERT_EQ(LockingLevel(Window()), 1);
  // A line marked on the last page, and its page made a fixed A-page.
  Window().Assemble();
  Edit(Window().LastElement);
  editor::SetCaretColumn(Window(), 70);
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
  EXPECT_EQ(LockingLevel(*read), 1) << "found again from the lock code";
  EXPECT_EQ(read->DialogueNumbering, 1);
  int lockedSpeeches = 0, fixedHeaders = 0;
  for (const TScriptElement* e = read->FirstElement; e; e = e->next) {
    lockedSpeeches += e->Kind() == ekCharacterName && dialogue_word::Number(e->format.NumberWord) == 1;
    fixedHeaders += IsHardPageBreakKind(e->Kind()) && PageHeaderText(*read, e) == "PINK DRAFT\x8D";
  }
  EXPECT_EQ(lockedSpeeches, 1);
  EXPECT_EQ(fixedHeaders, 2);
}

}  // namespace
}  // namespace qm::testing
