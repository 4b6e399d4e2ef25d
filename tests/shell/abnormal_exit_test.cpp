// After a run that did not end normally the next one offers its timed
// backups; every run marks itself as not yet ended normally.
#include <gtest/gtest.h>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/program_identity.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/input.h"
#include "script/script_window.h"
#include "shell/idle_loop.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

constexpr const char* kQuestion =
    "Quillmaster for Windows was exited Abnormally!\r\rDo you want to retrieve any of the timed Backups?";

class AbnormalExitTest : public testing::ProgramFixture {
 protected:
  std::string InScripts(const std::string& name) const { return ScriptDirectory + "/" + name; }
  // A timed backup of a typed script, left behind as a crash leaves it.
  void LeaveTimedBackup() {
    Script().SetFocus();
    TypeText("Saved by the timer.");
    WriteTimedBackups();
    ASSERT_TRUE(FileExists(InScripts("SAVE1.TMB")));
    Script().DocumentModified = 0;
    MainForm->CloseFileItem->Click();
    Application->ProcessMessages();
  }
  void SetExitedNormally(bool normally) {
    TIniFile(SettingsFileName).WriteBool("Pending", "Exited Normally", normally);
  }
  bool ExitedNormally() { return TIniFile(SettingsFileName).ReadBool("Pending", "Exited Normally", true); }
  bool RunFirstIdle() {
    Application->OnIdle = nullptr;
    bool retrieved = false;
    MainForm->FirstIdle(Application, retrieved);
    EXPECT_TRUE(Application->OnIdle) << "the idle pass is installed";
    return retrieved;
  }
};

TEST_F(AbnormalExitTest, TheBackupsOfACrashedRunAreOfferedAndTheChosenOneOpens) {
  LeaveTimedBackup();
  SetExitedNormally(false);
  testing::AnswerMessageBox(Driver(), kQuestion, mrYes);
  Driver().Expect(
      [this](TForm& form) {
        auto& dialog = dynamic_cast<TFileDialog&>(form);
        EXPECT_EQ(dialog.Filter, "Timed Backups|*.TMB");
        dialog.FileNameEdit->Text = InScripts("SAVE1.TMB");
        dialog.OkBtn->Click();
      },
      "choose the backup");
  EXPECT_TRUE(RunFirstIdle());
  ASSERT_EQ(DocumentCount, 1);
  EXPECT_EQ(testing::ElementsOf(Script()).front().text, "Saved by the timer.");
  EXPECT_FALSE(ExitedNormally()) << "this run has not ended yet";
}

// A first timed backup stopped before it took its name left only its
// complete new file: that is a backup to retrieve as well.
TEST_F(AbnormalExitTest, AStoppedFirstBackupIsOfferedToo) {
  LeaveTimedBackup();
  ASSERT_TRUE(RenameFile(InScripts("SAVE1.TMB"), InScripts("SAVE1.TMB.999999-1.new~")));
  SetExitedNormally(false);
  testing::AnswerMessageBox(Driver(), kQuestion, mrNo);
  EXPECT_FALSE(RunFirstIdle());
  EXPECT_EQ(Driver().Pending(), 0) << "the backups were offered";
}

// The question comes before the first idle pass reads the status line: a
// script made just before it shows its mode, Insert, as the question is up.
TEST_F(AbnormalExitTest, TheStatusLineShowsInsertModeWhileTheQuestionIsUp) {
  LeaveTimedBackup();
  SetExitedNormally(false);
  MainForm->FileNewItem->Click();
  const auto* panel = dynamic_cast<TPanel*>(MainForm->FindComponent("InsertPrompt"));
  ASSERT_NE(panel, nullptr);
  std::string shown;
  Driver().Expect(
      [&](TForm& form) {
        shown = panel->Caption();
        form.ModalResult = mrNo;
      },
      "the question");
  EXPECT_FALSE(RunFirstIdle());
  EXPECT_EQ(shown, "Insert");
}

TEST_F(AbnormalExitTest, NoMeansNothingIsOpened) {
  LeaveTimedBackup();
  SetExitedNormally(false);
  testing::AnswerMessageBox(Driver(), kQuestion, mrNo);
  EXPECT_FALSE(RunFirstIdle());
  EXPECT_EQ(DocumentCount, 0);
}

TEST_F(AbnormalExitTest, NothingIsAskedAfterANormalExitOrWithoutBackups) {
  for (const bool backup : {true, false}) {
    SCOPED_TRACE(backup ? "a backup there, normal exit" : "no backup, abnormal exit");
    if (backup) {
      LeaveTimedBackup();
      SetExitedNormally(true);
    } else {
      DeleteFile(InScripts("SAVE1.TMB"));
      SetExitedNormally(false);
    }
    EXPECT_FALSE(RunFirstIdle());
    EXPECT_FALSE(ExitedNormally());
  }
}

TEST_F(AbnormalExitTest, ANormalEndWritesTheFlagBack) {
  bool retrieved = false;
  MainForm->FirstIdle(Application, retrieved);
  ASSERT_FALSE(ExitedNormally());
  TCloseAction action = TCloseAction::caFree;
  MainForm->FormClose(MainForm, action);
  EXPECT_TRUE(ExitedNormally());
}

}  // namespace
}  // namespace qm
