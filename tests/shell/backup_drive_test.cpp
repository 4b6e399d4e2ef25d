// The page "Setup Backup Drive": its texts, the volumes it offers, what OK
// refuses and confirms, and the options dialog that holds its choice until
// its own OK. Volumes are temporary folders in a stand-in table.
#include <gtest/gtest.h>

#include <functional>

#include "base/ini_file.h"
#include "base/program_options.h"
#include "base/prompt_table.h"
#include "platform/dialog_builder.h"
#include "platform/files.h"
#include "shell/backup_drive.h"
#include "shell/main_form.h"
#include "shell/options_dialog.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/stand_in_mounts.h"

namespace qm {
namespace {

const std::string kFixedQuestion =
    "Are you ABSOLUTELY SURE that you wish to designate a non-removable drive as your backup drive?  This will mean "
    "that all backups of the script will be subject to the same potential problems as the rest of this computer!";
const std::string kNoPromptQuestion =
    "Are you ABSOLUTELY SURE that you don't want to be prompted to make a backup when you save/exit any script?\r\r"
    "Choosing YES will mean that should your hard disk crash, you'll be much less likely to have a current back-up!";
const std::string kCdText = "You cannot select a CDROM Drive as your backup drive as it's a read-only drive!";
const std::string kRamText = "You cannot select a RAM DISK as your backup drive as it's not a real drive!";

class BackupDriveTest : public testing::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    stick = mounts.Mount("STICK");
    data = mounts.Mount("DATA", "ext4", "/dev/sda3");
    cd = mounts.Mount("CD", "iso9660", "/dev/sr0");
    ram = mounts.Mount("RAM", "ext2", "/dev/ram0");
  }
  // Answers the page: chooses `drive` (none when empty), ticks "Don't
  // Prompt" as asked and presses OK; a page that stays open is cancelled.
  void AnswerPage(const std::string& drive, bool noPrompt, bool* stayed = nullptr) {
    Driver().Expect([=](TForm& form) {
      auto& page = dynamic_cast<TSetupBackupDriveDlg&>(form);
      page.BackupDriveBox->SetItemIndex(drive.empty() ? -1 : page.BackupDriveBox->Items.IndexOf(drive));
      page.NoPromptBox->SetChecked(noPrompt);
      page.OKBtn->Click();
      if (stayed) *stayed = page.ModalResult == mrNone;
      if (page.ModalResult == mrNone) page.ModalResult = mrCancel;
    });
  }
  void AnswerTypeYes(const std::string& text, bool confirm) {
    Driver().Expect([=](TForm& box) {
      EXPECT_EQ(testing::MessageBoxText(box).rfind(text, 0), 0u) << testing::MessageBoxText(box);
      EXPECT_EQ(box.Caption(), "Warning");
      testing::AnswerTypeYes(box, confirm);
    });
  }

  testing::StandInMounts mounts;
  std::string stick, data, cd, ram;
};

TEST_F(BackupDriveTest, ThePageShowsItsTextsAndTheMountedVolumesWithTheDriveChosen) {
  Driver().Expect([&](TForm& form) {
    auto& page = dynamic_cast<TSetupBackupDriveDlg&>(form);
    EXPECT_EQ(page.Caption(), "Setup Backup Drive");
    EXPECT_EQ(DialogControl<TLabel>(page, "PromptLabel")->Caption(),
              "Select a Drive for all automatic (non-timed) backups to be saved to:");
    EXPECT_EQ(DialogControl<TLabel>(page, "NoteLabel")->Caption(),
              "We HIGHLY recomend that you ONLY select a removable drive such as a floppy disk for your backup "
              "drive as otherwise it is not an effective backup!");
    EXPECT_EQ(page.NoPromptBox->Caption(), "Don't Prompt for Automatic Backups");
    EXPECT_FALSE(page.NoPromptBox->Checked());
    std::vector<std::string> items;
    for (int i = 0; i < page.BackupDriveBox->Items.Count(); ++i) items.push_back(page.BackupDriveBox->Items[i]);
    EXPECT_EQ(items, (std::vector<std::string>{"/", stick, data, cd, ram}));
    EXPECT_EQ(page.BackupDriveBox->Drive(), stick) << "drive A: the first removable volume";
    page.ModalResult = mrCancel;
  });
  TBackupChoice choice{true, "A"};
  EXPECT_FALSE(SetupBackupDrive(choice));
  EXPECT_EQ(choice.Drive, "A");
}

// A CD-ROM and a RAM disk are refused while backups are offered, a fixed
// disk is confirmed, a removable one taken; turning the offer off is
// confirmed, and then any drive is taken.
TEST_F(BackupDriveTest, OkRefusesWhatCannotHoldABackupAndConfirmsTheRest) {
  struct Case {
    const char* what;
    std::string drive;
    bool noPrompt;
    std::function<void()> answers;
    bool stays;
    TBackupChoice result;
  };
  const Case cases[] = {
      {"removable", stick, false, [] {}, false, {true, stick}},
      {"cd", cd, false, [&] { testing::AnswerMessageBox(Driver(), kCdText, mrOk, PromptTable(14)); }, true, {}},
      {"ram", ram, false, [&] { testing::AnswerMessageBox(Driver(), kRamText, mrOk, PromptTable(14)); }, true, {}},
      {"fixed refused", data, false, [&] { AnswerTypeYes(kFixedQuestion, false); }, true, {}},
      {"fixed confirmed", data, false, [&] { AnswerTypeYes(kFixedQuestion, true); }, false, {true, data}},
      {"root confirmed", "/", false, [&] { AnswerTypeYes(kFixedQuestion, true); }, false, {true, "/"}},
      {"offer off refused", stick, true, [&] { AnswerTypeYes(kNoPromptQuestion, false); }, true, {}},
      {"offer off, cd", cd, true, [&] { AnswerTypeYes(kNoPromptQuestion, true); }, false, {false, cd}},
      {"none chosen", "", false, [] {}, false, {true, "/media/writer/GONE"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TBackupChoice choice{true, "/media/writer/GONE"};
    bool stayed = false;
    AnswerPage(c.drive, c.noPrompt, &stayed);
    c.answers();
    EXPECT_EQ(SetupBackupDrive(choice), !c.stays);
    EXPECT_EQ(stayed, c.stays);
    const TBackupChoice expected = c.stays ? TBackupChoice{true, "/media/writer/GONE"} : c.result;
    EXPECT_EQ(choice.Prompt, expected.Prompt);
    EXPECT_EQ(choice.Drive, expected.Drive);
  }
  // Offering no backups asks nothing more when it was already off.
  TBackupChoice off{false, stick};
  AnswerPage(cd, true);
  EXPECT_TRUE(SetupBackupDrive(off));
  EXPECT_EQ(off.Drive, cd);
}

// The options dialog's button opens the page; the choice reaches the
// options, and the settings file, only with the dialog's OK.
TEST_F(BackupDriveTest, TheOptionsDialogKeepsTheChoiceUntilItsOk) {
  for (const bool ok : {false, true}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    Driver().Expect([&](TForm& form) {
      auto& options = dynamic_cast<TSettingsDlg&>(form);
      AnswerPage(stick, false);
      auto* button = DialogControl<TButton>(options, "BackupDriveBtn");
      EXPECT_EQ(button->Caption(), "Setup Backup Drive");
      button->Click();
      EXPECT_EQ(BackupDrive, "A") << "the page changes only the dialog's copy";
      (ok ? options.OKBtn : options.CancelBtn)->Click();
    });
    MainForm->MenuItem("ProgramSettingsItem")->Click();
    EXPECT_EQ(BackupDrive, ok ? stick : "A");
    EXPECT_EQ(OpenSettingsFile().ReadString("Save/Retrieve", "Backup Drive", "unset"), ok ? stick : "unset");
  }
}

}  // namespace
}  // namespace qm
