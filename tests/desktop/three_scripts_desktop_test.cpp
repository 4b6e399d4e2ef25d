// Three scripts open on the real display, the writer in the middle one:
// a block cut or copied to a new script leaves the writer in the script it
// came from, and Exit backs each script up as itself.
#include <gtest/gtest.h>

#include <string>

#include "desktop/desktop_session.h"
#include "support/stand_in_mounts.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

// Alpha, Bravo and Charlie typed and saved in turn, each a new script;
// Bravo's text is `bravo`.
bool ThreeSavedScripts(DesktopSession& session, const std::string& bravo) {
  session.ClickInScript();
  session.Type("Alpha dust settles");
  if (!session.SaveScriptAs("Alpha")) return false;
  session.Keys("alt+f n", 1200);
  session.Type(bravo);
  if (!session.SaveScriptAs("Bravo")) return false;
  session.Keys("alt+f n", 1200);
  session.Type("Charlie counts the jars");
  return session.SaveScriptAs("Charlie");
}

// The writer goes back to Bravo from the Window menu.
bool BackToBravo(DesktopSession& session) {
  session.Keys("alt+w 2", 1500);
  return session.WaitForWindowTitle("Bravo.QMW");
}

TEST(ThreeScriptsDesktopTest, ABlockTakenToANewScriptLeavesTheWriterInItsScript) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  ASSERT_TRUE(ThreeSavedScripts(session, "Bravo keeps this")) << session.ActiveWindowTitle();
  ASSERT_TRUE(BackToBravo(session)) << session.ActiveWindowTitle();
  session.Keys("Return", 600);
  session.Type("Move this line");
  session.Keys("Home shift+End", 300);
  session.Screenshot("three_scripts_marked");

  // Edit > Cut to > New File, and Cancel at Save As.
  session.Keys("alt+e o n", 700);
  ASSERT_TRUE(session.WaitForWindowTitle("Save As")) << session.ActiveWindowTitle();
  session.Screenshot("three_scripts_cut_save_as");
  session.Keys("Escape", 1500);
  ASSERT_TRUE(session.WaitForWindowTitle("Bravo.QMW")) << "in front: " << session.ActiveWindowTitle();
  session.Type("Back in Bravo");
  session.Screenshot("three_scripts_after_cut");
  std::string bravo = session.ScriptText();
  EXPECT_TRUE(bravo.starts_with("Bravo keeps this") && bravo.ends_with("Back in Bravo\n")) << bravo;

  // Edit > Copy to > New File, saved under a name of its own.
  session.Keys("Home shift+End", 300);
  session.Keys("alt+e y n", 700);
  ASSERT_TRUE(session.WaitForWindowTitle("Save As")) << session.ActiveWindowTitle();
  session.Type("Copied", 120);
  session.Keys("Return", 1500);
  ASSERT_TRUE(session.WaitForFile(session.Home() + "/Scripts/Copied.QMW"));
  // Saved changes the backup drive lacks: the new script's close offers
  // them, and No closes without them.
  session.AnswerBox("Be good now", "n");
  ASSERT_TRUE(session.WaitForWindowTitle("Bravo.QMW")) << "in front: " << session.ActiveWindowTitle();
  session.Keys("End", 300);
  session.Type(" again");
  session.Screenshot("three_scripts_after_copy");
  bravo = session.ScriptText();
  EXPECT_TRUE(bravo.starts_with("Bravo keeps this") && bravo.ends_with("Back in Bravo again\n")) << bravo;

  // The first script was left alone.
  session.Keys("alt+w 1", 1500);
  ASSERT_TRUE(session.WaitForWindowTitle("Alpha.QMW")) << session.ActiveWindowTitle();
  EXPECT_EQ(session.ScriptText(), "Alpha dust settles\n");
}

TEST(ThreeScriptsDesktopTest, ExitBacksEachScriptUpAsItself) {
  testing::TempFolder home;
  testing::StandInMounts volumes;
  const std::string stick = volumes.Mount("STICK");
  WriteBackupDriveSettings(home.Path(), stick);
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  ASSERT_TRUE(ThreeSavedScripts(session, "Bravo waits")) << session.ActiveWindowTitle();
  session.Type(" and waits");
  ASSERT_TRUE(BackToBravo(session)) << session.ActiveWindowTitle();
  session.Keys("End", 300);
  session.Type(" by the pond");
  session.Screenshot("three_scripts_before_exit");

  // File > Exit: Charlie, then Bravo, then Alpha; each changed one is
  // saved, and each is backed up on the stick.
  session.Keys("alt+f x", 1500);
  for (const char* name : {"Charlie", "Bravo", "Alpha"}) {
    SCOPED_TRACE(name);
    if (std::string(name) != "Alpha") {
      ASSERT_TRUE(session.WaitForWindowTitle("ATTENTION")) << session.ActiveWindowTitle();
      session.Screenshot(std::string("three_scripts_save_") + name);
      ASSERT_TRUE(session.AnswerBox("ATTENTION", "y")) << session.ActiveWindowTitle();
    }
    ASSERT_TRUE(session.WaitForWindowTitle("Be good now")) << session.ActiveWindowTitle();
    session.Screenshot(std::string("three_scripts_backup_") + name);
    ASSERT_TRUE(session.AnswerBox("Be good now", "y")) << session.ActiveWindowTitle();
    ASSERT_TRUE(session.AnswerBox("Press OK when Ready", "Return")) << session.ActiveWindowTitle();
    ASSERT_TRUE(session.WaitForFile(stick + "/" + name + ".QMW"));
  }
  EXPECT_TRUE(session.ExitCode(20000).has_value()) << "the program ended";
  for (const char* name : {"Alpha", "Bravo", "Charlie"}) {
    SCOPED_TRACE(name);
    // Compared whole: a script file is mostly zero bytes, too long to show.
    EXPECT_TRUE(testing::ReadFileText(stick + "/" + name + ".QMW") ==
                testing::ReadFileText(home.File(std::string("Scripts/") + name + ".QMW")))
        << "the backup is the script's own file as saved";
  }
}

}  // namespace
}  // namespace qm::desktop
