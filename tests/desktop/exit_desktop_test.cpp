// An Exit that is cancelled leaves the program as it was, also when the
// settings file cannot take the workspace: the next close of the main
// window asks about the changed script again, and the script in front is
// the one that takes the keys and names the window. A program ended from
// outside (a log-out's or a kill's signal) keeps the changed script for
// the next start.
#include <gtest/gtest.h>
#include <sys/types.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "desktop/desktop_session.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

// The save question and the other questions without a caption of their own.
const std::string kQuestion = "ATTENTION...";

void SetSettingsWritable(DesktopSession& session, bool writable) {
  namespace fs = std::filesystem;
  const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(session.Home() + "/QUILLPAD.INI", write, writable ? fs::perm_options::add : fs::perm_options::remove);
}

// A settings file that cannot take the workspace: Exit asks its save
// question (the workspace is written only as the first script closes),
// and Cancel there leaves the program as it was; the next close of the
// main window asks about the changed script again.
TEST(FailedExitDesktopTest, TheNextCloseAsksAboutTheChangedScriptAgain) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  ASSERT_TRUE(session.SaveScriptAs("HALL")) << session.ActiveWindowTitle();
  session.Type(" NIGHT");
  SetSettingsWritable(session, false);

  session.Keys("alt+f x", 800);
  const bool askedFirst = session.WaitForWindowTitle(kQuestion, 8);
  session.Screenshot("failed_exit_save_question");
  ASSERT_TRUE(askedFirst) << "no save question: " << session.ActiveWindowTitle();
  EXPECT_TRUE(session.AnswerBox(kQuestion, "Escape"));
  SetSettingsWritable(session, true);
  session.Settle(1000);
  ASSERT_FALSE(session.ExitCode(500).has_value()) << "Cancel at the save question ended the program";

  // The desktop's close of the main window, as a writer's click on its box.
  session.ClickInScript();
  session.Keys("alt+F4", 1200);
  const bool asked = session.WaitForWindowTitle(kQuestion, 8);
  session.Screenshot("failed_exit_next_close");
  EXPECT_FALSE(session.ExitCode(100).has_value()) << "the close ended the program without asking";
  ASSERT_TRUE(asked) << session.ActiveWindowTitle();
  EXPECT_TRUE(session.AnswerBox(kQuestion, "Escape"));
  session.Settle(1000);
  ASSERT_FALSE(session.ExitCode(500).has_value()) << "Cancel at the save question ended the program";
  session.ClickInScript();
  session.Keys("ctrl+End", 400);
  session.Type("Z");
  EXPECT_EQ(session.ScriptText(), "INT. HALL - DAY NIGHTZ\n");
}

// SIGTERM, as a log-out or a kill sends it, to the program with a changed
// script: the program writes the script's timed backup and ends by itself;
// the next start says the program was not exited normally and offers the
// timed backups, and the one chosen opens with the text.
TEST(EndSignalDesktopTest, TheNextStartOffersTheChangedScriptsTimedBackup) {
  testing::TempFolder home;
  {
    DesktopSession session({}, home.Path());
    ASSERT_TRUE(session.Ready()) << session.Failure();
    session.ClickInScript();
    session.Type("INT. HALL - DAY");
    session.Screenshot("end_signal_before");
    ASSERT_EQ(kill(static_cast<pid_t>(session.ProgramPid()), SIGTERM), 0);
    EXPECT_TRUE(session.ExitCode(20000).has_value()) << "the program did not end by itself";
  }
  ASSERT_TRUE(std::filesystem::exists(home.File("Scripts/SAVE1.TMB"))) << "no timed backup";
  DesktopSession next({}, home.Path());
  ASSERT_TRUE(next.Ready()) << next.Failure();
  const bool offered = next.WaitForWindowTitle(kQuestion, 10);
  next.Screenshot("end_signal_next_start");
  ASSERT_TRUE(offered) << next.ActiveWindowTitle();
  ASSERT_TRUE(next.AnswerBox(kQuestion, "y")) << next.ActiveWindowTitle();
  ASSERT_TRUE(next.WaitForWindowTitle("Open")) << next.ActiveWindowTitle();
  next.Type(home.File("Scripts/SAVE1.TMB"), 40);
  next.Keys("Return", 1500);
  ASSERT_TRUE(next.WaitForWindowTitle("SAVE1")) << next.ActiveWindowTitle();
  next.Screenshot("end_signal_backup_opened");
  EXPECT_EQ(next.ScriptText(), "INT. HALL - DAY\n");
}

struct CancelledExitCase {
  const char* name;
  const char* arrange;  // Window menu keys after the second script opened
};

class CancelledExitDesktopTest : public ::testing::TestWithParam<CancelledExitCase> {};

// Two changed scripts, Exit, Cancel at both save questions: the second
// script, in front, still names the main window and takes the keys, and
// Window > 1 brings the first forward.
TEST_P(CancelledExitDesktopTest, TheScriptInFrontStaysTheActiveOne) {
  const CancelledExitCase& c = GetParam();
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("alt+f n", 1200);
  session.Type("EXT. YARD - NIGHT");
  if (*c.arrange) session.Keys(c.arrange, 1200);

  session.Keys("alt+f x", 800);
  ASSERT_TRUE(session.AnswerBox(kQuestion, "Escape")) << session.ActiveWindowTitle();
  ASSERT_TRUE(session.AnswerBox(kQuestion, "Escape")) << session.ActiveWindowTitle();
  session.Settle(1000);
  ASSERT_FALSE(session.ExitCode(100).has_value()) << "the program ended";
  session.Type("Z");
  session.Screenshot(std::string("cancelled_exit_") + c.name);
  EXPECT_NE(session.ActiveWindowTitle().find("NONAME2"), std::string::npos) << session.ActiveWindowTitle();
  EXPECT_EQ(session.ScriptText(), "EXT. YARD - NIGHTZ\n");

  session.Keys("alt+w 1", 1500);
  session.Type("Q");
  session.Screenshot(std::string("cancelled_exit_window_one_") + c.name);
  EXPECT_NE(session.ActiveWindowTitle().find("NONAME1"), std::string::npos) << session.ActiveWindowTitle();
  EXPECT_EQ(session.ScriptText(), "INT. HALL - DAYQ\n");
}

INSTANTIATE_TEST_SUITE_P(Arrangements, CancelledExitDesktopTest,
                         ::testing::Values(CancelledExitCase{"AsOpened", ""},
                                           CancelledExitCase{"Maximised", "alt+w x"}),
                         [](const ::testing::TestParamInfo<CancelledExitCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace qm::desktop
