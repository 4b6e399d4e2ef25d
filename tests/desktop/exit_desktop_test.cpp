// An Exit that is cancelled leaves the program as it was, also when the
// settings file cannot take the workspace: the next close of the main
// window asks about the changed script again, and the script in front is
// the one that takes the keys and names the window.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// The save question and the other questions without a caption of their own.
const std::string kQuestion = "ATTENTION...";

void SetSettingsWritable(DesktopSession& session, bool writable) {
  namespace fs = std::filesystem;
  const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(session.Home() + "/QUILLPAD.INI", write, writable ? fs::perm_options::add : fs::perm_options::remove);
}

// A settings file that cannot take the workspace: Exit says so, goes on to
// the save question, and Cancel there leaves the program as it was; the
// next close of the main window asks about the changed script again.
TEST(FailedExitDesktopTest, TheNextCloseAsksAboutTheChangedScriptAgain) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  ASSERT_TRUE(session.SaveScriptAs("HALL")) << session.ActiveWindowTitle();
  session.Type(" NIGHT");
  SetSettingsWritable(session, false);

  session.Keys("alt+f x", 800);
  const bool said = session.WaitForWindowTitle("Attention");
  session.Screenshot("failed_exit_said");
  ASSERT_TRUE(said) << session.ActiveWindowTitle();
  ASSERT_TRUE(session.AnswerBox("Attention", "Return")) << session.ActiveWindowTitle();
  const bool askedFirst = session.WaitForWindowTitle(kQuestion, 8);
  session.Screenshot("failed_exit_save_question");
  ASSERT_TRUE(askedFirst) << "no save question after the workspace was not kept: " << session.ActiveWindowTitle();
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
