// Closing a saved script on the real display offers its backup on the
// backup drive: a temporary folder that a stand-in table of mounted
// volumes lists as a USB stick. Yes, then OK at the disk question, writes
// the script as saved there, without the changes not saved at the close,
// and the window goes.
#include <gtest/gtest.h>

#include <string>

#include "desktop/desktop_session.h"
#include "support/stand_in_mounts.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

TEST(BackupDriveDesktopTest, ClosingASavedScriptBacksItsFileUpToTheStick) {
  testing::TempFolder home;
  testing::StandInMounts volumes;
  const std::string stick = volumes.Mount("STICK");
  WriteBackupDriveSettings(home.Path(), stick);
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("A kettle whistles.");
  ASSERT_TRUE(session.SaveScriptAs("Kettle")) << session.ActiveWindowTitle();
  session.Type(" It boils.");
  session.Keys("ctrl+F4");
  ASSERT_TRUE(session.WaitForWindowTitle("ATTENTION")) << session.ActiveWindowTitle();
  session.Keys("n");
  ASSERT_TRUE(session.WaitForWindowTitle("Be good now")) << session.ActiveWindowTitle();
  session.Screenshot("backup_drive_question");
  ASSERT_TRUE(session.AnswerBox("Be good now", "y")) << session.ActiveWindowTitle();
  ASSERT_TRUE(session.WaitForWindowTitle("Press OK when Ready")) << session.ActiveWindowTitle();
  session.Screenshot("backup_drive_disk_question");
  ASSERT_TRUE(session.AnswerBox("Press OK when Ready", "Return")) << session.ActiveWindowTitle();
  ASSERT_TRUE(session.WaitForFile(stick + "/Kettle.QMW"));
  EXPECT_TRUE(session.WaitForTitleGone("Kettle")) << session.ActiveWindowTitle();
  EXPECT_EQ(testing::ReadFileText(stick + "/Kettle.QMW"), testing::ReadFileText(home.File("Scripts/Kettle.QMW")));
  session.Screenshot("backup_drive_closed");
}

}  // namespace
}  // namespace qm::desktop
