// Tagging in the running program: a tag and an untagging are each taken
// back by one undo.
#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "base/program_identity.h"
#include "breakdown/breakdowns_run_dialog.h"
#include "breakdown/categories.h"
#include "breakdown/tagging.h"
#include "files/undo_ring.h"
#include "platform/menus.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "script/editing/editor_calls.h"

namespace qm::testing {
namespace {

class TaggingUndoTest : public ProgramFixture {
 protected:
  void Load(const std::vector<ElementSpec>& elements) {
    Script().FreeElements();
    AddElements(Script(), elements);
    editor::SetCurrentElement(Script(), Script().FirstElement->next);
    Script().CurrentGroup = Script().CurrentElement()->group;
    Script().DisAssemble();
    editor::SetCaretColumn(Script(), 0);
    Script().TaggingUsed = 1;
  }
};

TEST_F(TaggingUndoTest, OneUndoTakesBackATagAndAnUntagging) {
  Load({{ekSceneHeading, "INT. BARN - DAY"}, {ekAction, "He lifts a gun."}});
  const std::vector<ElementSpec> plain = ElementsOf(Script());
  Script().CurrentElement()->blockStart = 11;
  Script().CurrentElement()->blockEnd = 14;
  TagSelectionWithCategory(Script(), 14);
  const std::string tagged = "He lifts a " + std::string(1, static_cast<char>(TagCodeOfCategory(14))) + "gun" +
                             std::string(1, static_cast<char>(TagEnd)) + ".";
  ASSERT_EQ(Script().EditBuffer(), tagged);
  const std::vector<ElementSpec> withTag = ElementsOf(Script());

  AnswerMessageBox(Driver(), "Do you REALLY want to remove all breakdown tagging codes?", mrYes);
  AnswerMessageBox(Driver(), "All Tagging Codes Removed", mrOk);
  ASSERT_TRUE(RemoveAllTaggingCodes(Script()));
  EXPECT_EQ(ElementsOf(Script()), plain);

  ASSERT_TRUE(UndoObject->UndoIsAvailable());
  UndoObject->Undo();
  EXPECT_EQ(ElementsOf(Script()), withTag);
  UndoObject->Undo();
  EXPECT_EQ(ElementsOf(Script()), plain);
}

// Tagging mode turned on marks the script as tagged, a step Undo can take.
// Taken back while the mode stays on, the script still counts as tagged, so
// the tags made afterwards are offered to the breakdowns (their "Print
// Tagged Items" box); the mode turned off first, the flag goes back with
// the rest of the script.
TEST_F(TaggingUndoTest, UndoGivesTheTaggingFlagBackAsTheModeStands) {
  TIniFile(SettingsFileName).WriteBool("Breakdowns", "Checked Code Usage", true);
  TMenuItem* tagging = MainForm->MenuItem("TaggingModeItem");
  const struct {
    const char* what;
    bool leaveModeFirst;
    Byte flag;  // after the Undo
  } cases[] = {{"the mode still on", false, 1}, {"the mode turned off first", true, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekSceneHeading, "INT. BARN - DAY"}, {ekAction, "He lifts a gun."}});
    Script().TaggingUsed = 0;
    UndoObject->ClearUndoData();
    tagging->Click();
    ASSERT_TRUE(TaggingModeOn());
    ASSERT_EQ(Script().TaggingUsed, 1);
    if (c.leaveModeFirst) tagging->Click();
    ASSERT_TRUE(UndoObject->UndoIsAvailable());
    MainForm->MenuItem("UndoItem")->Click();
    EXPECT_EQ(TaggingModeOn(), !c.leaveModeFirst);
    EXPECT_EQ(tagging->Checked(), !c.leaveModeFirst);
    EXPECT_EQ(Script().TaggingUsed, c.flag);
    if (c.leaveModeFirst) continue;
    Script().CurrentElement()->blockStart = 11;
    Script().CurrentElement()->blockEnd = 14;
    TagSelectionWithCategory(Script(), 14);
    Driver().Expect([](TForm& form) {
      auto& dialog = dynamic_cast<TBreakdownDlg&>(form);
      EXPECT_TRUE(dialog.PrintTaggedBox->Enabled) << "the tag just made counts";
      EXPECT_TRUE(dialog.PrintTaggedBox->Checked());
      form.ModalResult = mrCancel;
    });
    MainForm->MenuItem("PrintBreakdownsItem")->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    tagging->Click();
    ASSERT_FALSE(TaggingModeOn());
  }
}

}  // namespace
}  // namespace qm::testing
