// The "Please Wait" notice of a timed backup: it shows while the writer
// types in the script, over a dialog only when "Backup Prompt" asks for it,
// and never while another program has the keys. The backup is written
// either way, and a dialog that was up keeps the keyboard.
#include <gtest/gtest.h>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/message_box_form.h"
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "platform/files.h"
#include "platform/input.h"
#include "script/editing/document_modified.h"
#include "shell/main_form.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

class TimedBackupNoticeTest : public testing::ProgramFixture {
 protected:
  void TearDown() override {
    SetFileFaultHook({});
    ProgramFixture::TearDown();
  }
  std::string Backup() const { return ScriptDirectory + "/SAVE1.TMB"; }
  // The backup as the idle time writes it once it is due; whether the
  // notice stood on the screen while the file was written.
  bool BackUpWhenDue() {
    bool noticeUp = false;
    SetFileFaultHook([&noticeUp](TFileStep step, const std::string& path) {
      if (step == TFileStep::Create && path.find("SAVE1") != std::string::npos)
        noticeUp = noticeUp || (MyNewMsgBox && MyNewMsgBox->Visible() && MyNewMsgBox->IsNotice());
      return 0;
    });
    Backend().SetTick(static_cast<std::uint64_t>(TimedBackupDue) * 100);
    // What the desktop's message loop does when nothing else waits, the
    // loop of a modal dialog too.
    for (int i = 0; i < 5 && TimedBackupDue != 0; ++i) Application->HandleMessage();
    SetFileFaultHook({});
    return noticeUp;
  }
};

TEST_F(TimedBackupNoticeTest, ShowsWhileTheScriptHasTheKeysAndOverADialogOnlyWhenAskedFor) {
  const struct {
    const char* what;
    bool dialog;
    bool backupPrompt;
    bool notice;
    bool inBackground = false;
  } cases[] = {
      {"typing in the script", false, false, true},
      {"typing in the script, the prompt on", false, true, true},
      {"the options dialog up", true, false, false},
      {"the options dialog up, the prompt on", true, true, true},
      {"another program has the keys", false, false, false, true},
      {"another program has the keys, the prompt on", false, true, false, true},
  };
  AutosaveInterval = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DeleteFile(Backup());
    MainForm->BackupPrompt = c.backupPrompt;
    Script().SetFocus();
    TypeText("A kettle whistles. ");
    ASSERT_NE(TimedBackupDue, 0) << "the typing armed the backup";
    if (c.inBackground) {
      // The writer went to another program, as the desktop tells it.
      Application->Post(TMsg{NullWindow, WM_ACTIVATEAPP, 0, 0, 0, {}});
      Application->ProcessMessages();
    }
    if (!c.dialog) {
      EXPECT_EQ(BackUpWhenDue(), c.notice);
    } else {
      bool notice = false;
      bool dialogKeptTheKeys = false;
      Driver().Expect(
          [&](TForm& dialog) {
            notice = BackUpWhenDue();
            dialogKeptTheKeys = Screen->ActiveForm() == &dialog;
            dialog.ModalResult = mrCancel;
          },
          "the options dialog, left up past the backup's time");
      MainForm->MenuItem("ProgramSettingsItem")->Click();
      EXPECT_EQ(notice, c.notice);
      EXPECT_TRUE(dialogKeptTheKeys) << "the backup took the keyboard from the dialog";
    }
    EXPECT_TRUE(FileExists(Backup())) << "the backup is written, with or without the notice";
    EXPECT_EQ(TimedBackupDue, 0);
    if (c.inBackground) {
      Application->Post(TMsg{NullWindow, WM_ACTIVATEAPP, 1, 0, 0, {}});
      Application->ProcessMessages();
    }
  }
}

}  // namespace
}  // namespace qm
