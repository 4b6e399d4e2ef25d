// The page "Setup Backup Drive" on the desktop: the whole of it shows, its
// note wrapped within it, and OK takes the removable volume chosen.
#include <QtTest/QTest>

#include "gui/program_gui_fixture.h"
#include "platform/dialog_builder.h"
#include "platform/files.h"
#include "shell/backup_drive.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

class BackupDriveDialogGuiTest : public testing::ProgramGuiFixture {};

TEST_F(BackupDriveDialogGuiTest, ThePageShowsWhollyAndOkTakesTheStickChosen) {
  const std::string stick = Home() + "/STICK";
  ForceDirectories(stick);
  const std::string table =
      testing::WriteFileText(Home() + "/mounts", "/dev/vda / ext4 rw 0 0\n/dev/sdz1 " + stick + " vfat rw 0 0\n");
  testing::ScopedEnv mounts("QUILLMASTER_MOUNT_TABLE", table);
  bool shown = false;
  Later(100, [&] {
    auto* page = dynamic_cast<TSetupBackupDriveDlg*>(Screen->ActiveForm());
    ASSERT_NE(page, nullptr);
    shown = true;
    TLabel* note = DialogControl<TLabel>(*page, "NoteLabel");
    for (TControl* c : std::initializer_list<TControl*>{note, page->BackupDriveBox, page->NoPromptBox, page->OKBtn})
      EXPECT_TRUE(page->ClientRect().Contains(TPoint{c->Left + c->Width - 1, c->Top + c->Height - 1}))
          << c->Name << " reaches past the page";
    page->BackupDriveBox->SetItemIndex(page->BackupDriveBox->Items.IndexOf(stick));
    SaveShot(*WindowOf(*page), "backup_drive_page");
    QTest::mouseClick(ClientOf(*page->OKBtn), Qt::LeftButton);
  });
  TBackupChoice choice{true, "A"};
  EXPECT_TRUE(SetupBackupDrive(choice));
  ASSERT_TRUE(shown);
  EXPECT_EQ(choice.Drive, stick);
}

}  // namespace
}  // namespace qm
