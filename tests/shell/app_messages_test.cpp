// Messages from outside and the idle pass.
#include "shell/app_messages.h"

#include <gtest/gtest.h>

#include "support/exchange_data.h"
#include "support/script_builder.h"

#include "files/native_file.h"
#include "platform/clipboard.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "script/script_window.h"
#include "base/document_table.h"
#include "base/ini_file.h"
#include "shell/main_form.h"
#include "shell/program_start.h"
#include "shell/startup_setup.h"
#include "support/child_process.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

class AppMessagesTest : public testing::ProgramFixture {
 protected:
  // A script file in the script folder, written from the open script,
  // which keeps its own name and its text.
  std::string SavedScript(const std::string& name) {
    Script().EditBuffer = "Some text.";
    const std::string path = ScriptDirectory + "/" + name;
    const std::string own = Script().ScriptFileName;
    EXPECT_TRUE(SaveScriptFile(path, false, true));
    Script().ScriptFileName = own;
    return path;
  }
  // A message as the loop takes it from the queue, through the hook.
  void Deliver(UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessage(Application->Handle(), message, wParam, lParam);
    Application->ProcessMessages();
  }
};

TEST_F(AppMessagesTest, LoadNameOfAMissingFileSaysSo) {
  const std::string missing = ScriptDirectory + "/NOWHERE.QMW";
  testing::AnswerMessageBox(Driver(), "Unable to find " + missing, mrOk, "Attention");
  Deliver(LoadNameMessage, 0, GlobalAddAtom(missing + " "));
  EXPECT_EQ(DocumentCount, 1);
}

TEST_F(AppMessagesTest, LoadNameOfAFolderSaysItIsOne) {
  const std::string folder = ScriptDirectory + "/DRAFTS.QMW";
  ASSERT_TRUE(CreateDir(folder));
  testing::AnswerMessageBox(Driver(), folder + " is a folder, not a file.", mrOk, "Unable to load File...");
  Deliver(LoadNameMessage, 0, GlobalAddAtom(folder + " "));
  EXPECT_EQ(DocumentCount, 1);
  EXPECT_NE(Script().ScriptFileName, folder);
}

TEST_F(AppMessagesTest, PasteStoryDevIsThankedOnlyWhenItsDataIsThere) {
  const UINT thankYou = RegisterWindowMessage("ThankYou");
  int thanks = 0;
  TWinControl listener(nullptr);
  auto original = std::move(Application->OnMessage);
  Application->OnMessage = [&](TMsg& msg, bool& handled) {
    if (msg.message == thankYou) ++thanks;
    original(msg, handled);
  };
  Deliver(PasteStoryDevMessage, 0, 0);
  EXPECT_EQ(thanks, 0);
  EXPECT_EQ(MainForm->StoryDevPastePending, 0);
  Clipboard()->Open();
  Clipboard()->Clear();
  Clipboard()->SetData(StoryDevClipboardFormat, testing::ExchangeBytes({{"TITL", "The Visit"},
                                                                       {"CNAM", "Anna"},
                                                                       {"SNAM", "INT. CAFE - DAY"},
                                                                       {"SDES", "Anna waits."},
                                                                       {"LAST", ""}}));
  Clipboard()->Close();
  Deliver(PasteStoryDevMessage, 0, 0);
  EXPECT_EQ(MainForm->StoryDevPastePending, 1);
  EXPECT_EQ(thanks, 1) << "the broadcast reaches our own application window too";
  bool done = false;
  MainForm->AppIdle(Application, done);
  EXPECT_EQ(MainForm->StoryDevPastePending, 0) << "the idle pass takes the request";
  EXPECT_EQ(testing::ElementsOf(*ActiveScript()),
            (std::vector<testing::ElementSpec>{{ekCenteredTitle, "The Visit"},
                                               {ekSceneHeading, "INT. CAFE - DAY"},
                                               {ekAction, "Anna waits."}}))
      << "pasted into the empty script";
}

TEST_F(AppMessagesTest, StoryboardMessagesWaitInAFiftyRecordQueue) {
  for (int i = 1; i <= 51; ++i) Deliver(ScriptQueryMessage, i, 0);
  EXPECT_EQ(StoryboardMessageQueue[0].wParam, 1);
  EXPECT_EQ(StoryboardMessageQueue[48].wParam, 49);
  EXPECT_EQ(StoryboardMessageQueue[49].wParam, 51) << "the last record takes what no free record could";
  std::vector<WPARAM> handed;
  ProcessStoryboardMessage = [&](const TMsg& msg) { handed.push_back(msg.wParam); };
  bool done = false;
  MainForm->AppIdle(Application, done);
  EXPECT_EQ(handed.size(), 50u);
  EXPECT_EQ(StoryboardMessageQueue[0].message, 0u) << "the queue is cleared after the pass";
}

TEST_F(AppMessagesTest, TheMainWindowAnswersItsSizeLimitAndText) {
  TMinMaxInfo info;
  SendMessage(MainForm->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize, (TPoint{315, 400}));
  char buffer[256];
  SendMessage(MainForm->Handle(), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  EXPECT_EQ(std::string(buffer), "Quillmaster for Windows - [" + Script().ScriptFileName + "]");
  char small[12];
  SendMessage(MainForm->Handle(), WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small));
  EXPECT_EQ(std::string(small), "Quillmaster");
}

TEST_F(AppMessagesTest, WithNoScriptOpenTheIdlePassWaitsForTheNextMessage) {
  ActiveScript()->Release();
  RemoveDocument(ActiveScript());
  Application->ProcessMessages();
  ASSERT_TRUE(NoActiveDocument());
  bool done = false;
  MainForm->AppIdle(Application, done);
  EXPECT_TRUE(done) << "no processor is kept busy calling the idle handler again at once";
}

class HandOffTest : public AppMessagesTest {
 protected:
  HandOffTest() { WithChannel = true; }
};

TEST_F(HandOffTest, ASecondStartHandsItsCommandLineToTheFirstWhichOpensTheScript) {
  const std::string path = SavedScript("TWO WORDS.QMW");
  std::vector<std::string> received;
  auto original = std::move(Application->OnMessage);
  Application->OnMessage = [&](TMsg& msg, bool& handled) {
    if (msg.message == LoadNameMessage) received.push_back(GlobalGetAtomName(static_cast<ATOM>(msg.lParam & 0xFFFF)));
    original(msg, handled);
  };
  testing::ChildProcess second(QM_PROGRAM_PATH, {"--headless", "/NM", path}, {"QUILLMASTER_HOME=" + Home()});
  ASSERT_EQ(second.ExitCode(10000), 0);
  for (int i = 0; i < 100 && DocumentCount < 2; ++i) {
    Application->ProcessMessages();
    Backend().PumpEvents(true, 50);
  }
  ASSERT_EQ(received, std::vector<std::string>{"/NM " + path + " "}) << "every parameter followed by a blank";
  EXPECT_EQ(DocumentCount, 2) << "the first script was not empty, so the named one opens beside it";
  EXPECT_EQ(Script().ScriptFileName, path);
  EXPECT_EQ(GlobalFindAtom(received[0]), 0) << "the atom is released";
}

TEST_F(HandOffTest, ANameOutsideTheCodePageIsHandedOverAsItIs) {
  const std::string path = SavedScript("\xD0\x9A\xD1\x83\xD1\x85\xD0\xBD\xD1\x8F \xE2\x80\x94 Caf\xC3\xA9.qmw");
  testing::ChildProcess second(QM_PROGRAM_PATH, {"--headless", path}, {"QUILLMASTER_HOME=" + Home()});
  ASSERT_EQ(second.ExitCode(10000), 0);
  for (int i = 0; i < 100 && DocumentCount < 2; ++i) {
    Application->ProcessMessages();
    Backend().PumpEvents(true, 50);
  }
  EXPECT_EQ(DocumentCount, 2);
  EXPECT_EQ(Script().ScriptFileName, path);
}

}  // namespace
}  // namespace qm
