// An Exit that fails or is cancelled leaves the program as it was: the
// next close of the main window asks about the changed script again, and
// the script in front is the one that takes the keys and names the window.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

const std::string kProgramTitle = "Quillmaster for Windows";
// The save question and the other questions without a caption of their own.
const std::string kQuestion = "ATTENTION...";

void SetSettingsWritable(DesktopSession& session, bool writable) {
  namespace fs = std::filesystem;
  const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(session.Home() + "/QUILLPAD.INI", write, writable ? fs::perm_options::add : fs::perm_options::remove);
}

// The failure box says what failed under the program's own title; the
// main window's title goes on with the script's name.
bool WaitForFailureBox(DesktopSession& session) {
  for (int tries = 0; tries < 50; ++tries) {
    std::string title = session.ActiveWindowTitle();
    while (!title.empty() && title.back() == '\n') title.pop_back();
    if (title == kProgramTitle) return true;
    session.Settle(200);
  }
  return false;
}

TEST(FailedExitDesktopTest, TheNextCloseAsksAboutTheChangedScriptAgain) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  ASSERT_TRUE(session.SaveScriptAs("HALL")) << session.ActiveWindowTitle();
  session.Type(" NIGHT");
  SetSettingsWritable(session, false);

  session.Keys("alt+f x", 800);
  const bool said = WaitForFailureBox(session);
  session.Screenshot("failed_exit_said");
  ASSERT_TRUE(said) << session.ActiveWindowTitle();
  session.Keys("Return", 1000);
  SetSettingsWritable(session, true);
  ASSERT_FALSE(session.ExitCode(500).has_value()) << "the failed Exit ended the program";

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
