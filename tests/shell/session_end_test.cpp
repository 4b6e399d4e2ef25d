// The desktop's session ends. Asked first (the session manager lets the
// program ask), it meets the program's own close questions, and Cancel at
// one keeps the session and the script. Told (a log-out's SIGHUP, a
// kill's SIGTERM), the program writes every changed script's timed
// backup before it ends, and the next start offers them as after any end
// that was not normal.
#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/program_identity.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "script/script_window.h"
#include "shell/abnormal_exit.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

constexpr const char* kAbnormal =
    "Quillmaster for Windows was exited Abnormally!\r\rDo you want to retrieve any of the timed Backups?";

class SessionEndTest : public testing::ProgramFixture {
 protected:
  std::string InScripts(const std::string& name) const { return ScriptDirectory + "/" + name; }
  bool ExitedNormally() { return TIniFile(SettingsFileName).ReadBool("Pending", "Exited Normally", true); }
  // Three scripts: the first changed, the second saved and unchanged, the
  // third changed; the second in front.
  void ThreeScripts() {
    Script().SetFocus();
    TypeText("A kettle whistles.");
    MainForm->FileNewItem->Click();
    Script().SetFocus();
    TypeText("Saved and left alone.");
    testing::ChooseFile(Driver(), InScripts("KEPT.QMW"));
    MainForm->FileSaveAsItem->Click();
    MainForm->FileNewItem->Click();
    Script().SetFocus();
    TypeText("The dog barks.");
    MainForm->BringScriptForward(2);
    ASSERT_EQ(DocumentCount, 3);
  }
};

TEST_F(SessionEndTest, AskedFirstTheCloseQuestionsComeAndCancelKeepsTheSession) {
  MainForm->ExpertPrompting = true;
  Script().SetFocus();
  TypeText("A kettle whistles.");
  testing::AnswerMessageBox(Driver(), "Save /.../NONAME1.QMW?", mrCancel);
  EXPECT_EQ(SendMessage(Application->Handle(), WM_QUERYENDSESSION, 0, 0), 0) << "the session is kept";
  EXPECT_EQ(Driver().Pending(), 0) << "the save question was asked";
  EXPECT_FALSE(Application->Terminated());
  ASSERT_EQ(DocumentCount, 1);
  EXPECT_EQ(Script().EditBuffer(), "A kettle whistles.");

  // With expert prompting, No closes the script and Exit asks nothing more.
  testing::AnswerMessageBox(Driver(), "Save /.../NONAME1.QMW?", mrNo);
  EXPECT_EQ(SendMessage(Application->Handle(), WM_QUERYENDSESSION, 0, 0), 1) << "the session may end";
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_TRUE(ExitedNormally()) << "the program closed as by Exit";
}

class SessionSignalTest : public SessionEndTest, public ::testing::WithParamInterface<int> {};

TEST_P(SessionSignalTest, EveryChangedScriptsTimedBackupIsWrittenAndTheNextStartOffersThem) {
  Platform::Current().CatchEndSignals();
  ThreeScripts();
  ASSERT_EQ(raise(GetParam()), 0);
  EXPECT_FALSE(Application->Terminated()) << "the program ends in its own time, not inside the signal";
  Application->ProcessMessages();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_TRUE(FileExists(InScripts("SAVE1.TMB"))) << "the first script changed";
  EXPECT_FALSE(FileExists(InScripts("SAVE2.TMB"))) << "the second was saved";
  EXPECT_TRUE(FileExists(InScripts("SAVE3.TMB"))) << "the third changed";
  EXPECT_FALSE(ExitedNormally());

  testing::AnswerMessageBox(Driver(), kAbnormal, mrNo);
  CheckAbnormalExit();
  EXPECT_EQ(Driver().Pending(), 0) << "the next start offers the backups";
}

INSTANTIATE_TEST_SUITE_P(Signals, SessionSignalTest, ::testing::Values(SIGTERM, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(info.param == SIGTERM ? "Term" : "HangUp");
                         });

}  // namespace
}  // namespace qm
