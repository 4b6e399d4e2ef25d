// The status line of the running program and the block commands' keys:
// the panels follow the caret, empty with no script, and F12 converts a
// block's case only while there is one.
#include <gtest/gtest.h>

#include "base/document_table.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/status_line.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

class StatusLineTest : public testing::ProgramFixture {
 protected:
  TStatusLine& S() { return MainForm->StatusLine(); }
};

TEST_F(StatusLineTest, ThePanelsFollowTheCaretAndEmptyWithNoScript) {
  Script().SetFocus();
  TypeText("INT. HALL - DAY");
  S().Refresh(true);
  EXPECT_EQ(S().PagePanel->Caption(), " Pg: 1 of 1");
  EXPECT_EQ(S().LinePanel->Caption().substr(0, 5), " Ln: ");
  const std::string before = S().LinePanel->Caption();
  TypeText(" MORE");
  S().Refresh(false);
  EXPECT_NE(S().LinePanel->Caption(), before) << "the position follows a keystroke";

  Script().DocumentModified = 0;
  CloseActiveScript(true);
  ASSERT_TRUE(NoActiveDocument());
  S().Refresh(true);
  EXPECT_EQ(S().PagePanel->Caption(), "");
  EXPECT_FALSE(S().ScenePanel->Visible());
  EXPECT_FALSE(S().ActPanel->Visible());

  MainForm->FileNewItem->Click();
  S().Refresh(true);
  EXPECT_EQ(S().CurrentElement->Caption(), "Action") << "a script opened again shows its element type";
}

TEST_F(StatusLineTest, F12ConvertsTheBlockOnlyWhileThereIsOne) {
  Script().SetFocus();
  TypeText("quiet words");
  TMenuItem* upper = MainForm->MenuItem("UppercaseItem");
  TMenuItem* lower = MainForm->MenuItem("LowercaseItem");
  EXPECT_EQ(upper->ShortCut(), 0);
  MainForm->MenuItem("SelectAllItem")->Click();
  ASSERT_TRUE(Script().BlockOn);
  EXPECT_EQ(upper->ShortCut(), TextToShortCut("F12"));
  EXPECT_EQ(lower->ShortCut(), TextToShortCut("Shift+F12"));
  SendKey(VK_F12);
  EXPECT_EQ(Script().EditBuffer, "QUIET WORDS");
  MainForm->MenuItem("TurnoffBlockItem")->Click();
  EXPECT_EQ(upper->ShortCut(), 0);
  EXPECT_EQ(lower->ShortCut(), 0);
}

}  // namespace
}  // namespace qm
