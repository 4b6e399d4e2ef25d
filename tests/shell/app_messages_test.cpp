// Messages from outside and the idle pass.
#include "shell/app_messages.h"

#include <gtest/gtest.h>

#include "support/exchange_data.h"
#include "support/script_builder.h"

#include "files/native_file.h"
#include "platform/clipboard.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "script/script_window.h"
#include "base/document_table.h"
#include "base/ini_file.h"
#include "shell/main_form.h"
#include "shell/program_start.h"
#include "shell/startup_setup.h"
#include "support/child_process.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

class AppMessagesTest : public testing::ProgramFixture {
 protected:
  // A script file in the script folder, written from the open script,
  // which keeps its own name and its text.
  std::string SavedScript(const std::string& name) {
    editor::SetEditText(Script(), "Some text.");
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

// A first save stopped before it took the name left only its complete new
// file: a name handed over opens it as File > Open does. A bare name is
// the script folder's, with the script extension when it has none.
TEST_F(AppMessagesTest, LoadNameOffersTheStoppedFirstSave) {
  const std::string path = SavedScript("FIRST.QMW");
  ASSERT_TRUE(RenameFile(path, path + ".999999-1.new~"));
  for (const std::string& handed : {path, std::string("FIRST.QMW"), std::string("FIRST")}) {
    SCOPED_TRACE(handed);
    const int before = DocumentCount;
    testing::AnswerMessageBox(Driver(),
                              "The last save of " + path +
                                  " was stopped before it was finished, and left a newer version of the script "
                                  "beside it.\r\rShould I open that newer version?",
                              mrYes, "Attention");
    Deliver(LoadNameMessage, 0, GlobalAddAtom(handed + " "));
    EXPECT_TRUE(Driver().PendingDescriptions().empty()) << "the stopped save was offered";
    // An answer left unused by this pass is not one for the next.
    Driver().Clear();
    EXPECT_EQ(DocumentCount, before + 1);
    if (DocumentCount != before + 1) continue;
    EXPECT_EQ(Script().ScriptFileName, path);
    Script().DocumentModified = 0;
    MainForm->CloseFileItem->Click();
    Application->ProcessMessages();
  }
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
            (std::vector<testing::ElementSpec>{
                {ekCenteredTitle, "The Visit"}, {ekSceneHeading, "INT. CAFE - DAY"}, {ekAction, "Anna waits."}}))
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

TEST_F(AppMessagesTest, HandOffsThatArriveTogetherAreOpenedOneAfterAnother) {
  for (int count : {2, 5}) {
    SCOPED_TRACE(count);
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) paths.push_back(SavedScript("TOGETHER" + std::to_string(count * 10 + i) + ".QMW"));
    const int before = DocumentCount;
    // A file manager opening several scripts at once.
    for (const std::string& path : paths)
      PostMessage(Application->Handle(), LoadNameMessage, 0, GlobalAddAtom(path + " "));
    Application->ProcessMessages();
    EXPECT_EQ(DocumentCount, before + count);
    std::vector<std::string> open;
    for (int slot = 1; slot <= DocumentCount; ++slot) open.push_back(Documents[slot]->ScriptFileName);
    for (const std::string& path : paths) EXPECT_NE(std::find(open.begin(), open.end(), path), open.end()) << path;
    EXPECT_TRUE(PendingHandOffs.empty());
  }
}

class HandOffTest : public AppMessagesTest {
 protected:
  HandOffTest() { WithChannel = true; }
  // Runs our message loop until the other program has ended.
  std::optional<int> PumpUntilEnded(testing::ChildProcess& other) {
    for (int i = 0; i < 500; ++i) {
      Application->ProcessMessages();
      Backend().PumpEvents(true, 10);
      if (std::optional<int> code = other.ExitCode(10)) return code;
    }
    return std::nullopt;
  }
  // What another process of the user can do to our windows.
  std::optional<int> FromOutside(const std::vector<std::string>& args) {
    std::vector<std::string> all{Home() + "/run"};
    all.insert(all.end(), args.begin(), args.end());
    testing::ChildProcess other(QM_PEER_PATH, all);
    return PumpUntilEnded(other);
  }
};

// The old platform's own messages carry pointers into the sender's memory;
// from another process they are dropped, whatever their arguments.
TEST_F(HandOffTest, AnotherProcessCannotMakeUsFollowItsPointers) {
  std::vector<UINT> seen;
  auto original = std::move(Application->OnMessage);
  Application->OnMessage = [&](TMsg& msg, bool& handled) {
    seen.push_back(msg.message);
    original(msg, handled);
  };
  const std::string main = std::to_string(MainForm->Handle());
  const std::string app = std::to_string(Application->Handle());
  const std::string wild = "0x41414141410";
  const struct {
    const char* mode;
    std::string window;
    std::string message;
    std::string wParam, lParam;
  } attacks[] = {
      {"post", main, "13", "256", wild},  // the window's text into "our" buffer
      {"send", main, "13", "256", wild},  {"send", app, "13", "256", wild},
      {"post", main, "36", "0", wild},                                               // the size limits into a structure
      {"send", main, "36", "0", wild},    {"post", app, "16", "0", "0"},             // close the program
      {"send", main, "Bogus", "0", wild}, {"post", app, "LoadName", "0", "0x1234"},  // an integer atom names no file
  };
  for (const auto& a : attacks) {
    SCOPED_TRACE(std::string(a.mode) + " " + a.message + " to " + a.window);
    EXPECT_EQ(FromOutside({a.mode, a.window, a.message, a.wParam, a.lParam}), 0) << "delivered";
  }
  const std::string marker = ScriptDirectory + "/NOWHERE.QMW";
  testing::AnswerMessageBox(Driver(), "Unable to find " + marker, mrOk, "Attention");
  EXPECT_EQ(FromOutside({"handoff", "TApplication", "Quillmaster for Windows", "LoadName", marker + " "}), 0);
  for (int i = 0; i < 100 && Driver().Pending() > 0; ++i) {
    Application->ProcessMessages();
    Backend().PumpEvents(true, 20);
  }
  EXPECT_EQ(Driver().Pending(), 0) << "a hand-off still comes in";
  for (UINT message : {WM_GETTEXT, WM_GETMINMAXINFO, WM_CLOSE})
    EXPECT_EQ(std::count(seen.begin(), seen.end(), message), 0) << message;
  // The integer atom reached the hook but named no file: an "Unable to
  // find #4660" box would have failed the test as unexpected.
  EXPECT_EQ(std::count(seen.begin(), seen.end(), LoadNameMessage), 2);
  EXPECT_EQ(Platform::Current().FindRegisteredName("Bogus"), 0u) << "a stranger's name fills no table of ours";
  EXPECT_EQ(DocumentCount, 1);
}

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

// A second start with nothing named only brings the running program back:
// out of minimised to the state it had, or to the front; nothing is handed
// over and nothing opens.
TEST_F(HandOffTest, ASecondStartWithNoNameOnlyBringsTheRunningProgramBack) {
  const struct {
    const char* what;
    TWindowState shown;
    bool minimised;
  } cases[] = {
      {"minimised from maximised", TWindowState::wsMaximized, true},
      {"minimised from normal", TWindowState::wsNormal, true},
      {"not minimised", TWindowState::wsMaximized, false},
  };
  int handed = 0;
  auto original = std::move(Application->OnMessage);
  Application->OnMessage = [&](TMsg& msg, bool& handled) {
    if (msg.message == LoadNameMessage) ++handed;
    original(msg, handled);
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MainForm->WindowState = c.shown;
    if (c.minimised) MainForm->WindowState = TWindowState::wsMinimized;
    testing::ChildProcess second(QM_PROGRAM_PATH, {"--headless"}, {"QUILLMASTER_HOME=" + Home()});
    ASSERT_EQ(PumpUntilEnded(second), 0);
    for (int i = 0; i < 100 && MainForm->WindowState != c.shown; ++i) {
      Application->ProcessMessages();
      Backend().PumpEvents(true, 20);
    }
    EXPECT_EQ(MainForm->WindowState(), c.shown);
    EXPECT_EQ(Screen->ActiveForm(), ActiveScript()) << "the program's script has the keys";
  }
  EXPECT_EQ(handed, 0);
  EXPECT_EQ(DocumentCount, 1);
}

// The second start runs in a folder of its own, beside a stale atom whose
// name differs by case only, with a path longer than the old platform's
// atoms held.
TEST_F(HandOffTest, TheRunningProgramOpensTheVeryFileASecondStartWasGiven) {
  const std::string folder = ScriptDirectory + "/elsewhere";
  const std::string deep = "elsewhere/" + std::string(120, 'd') + "/" + std::string(120, 'e');
  ASSERT_TRUE(ForceDirectories(ScriptDirectory + "/" + deep));
  const std::string relative = SavedScript("elsewhere/REL.QMW");
  const std::string upper = SavedScript("elsewhere/PILOT.QMW");
  SavedScript("elsewhere/Pilot.QMW");
  const ATOM stale = GlobalAddAtom(folder + "/Pilot.QMW ");  // from a hand-off nobody took
  const std::string longPath = SavedScript(deep + "/A LONG WAY DOWN.QMW");
  ASSERT_GT(longPath.size() + 1, 255u);
  const struct {
    const char* what;
    std::string given;
    std::string opened;
  } cases[] = {
      {"a name relative to the second start's folder", "REL.QMW", relative},
      {"a name that differs from a stale atom's by case only", upper, upper},
      {"a path longer than 255 bytes", longPath, longPath},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const int before = DocumentCount;
    testing::ChildProcess second("/bin/sh",
                                 {"-c", "cd \"$0\" && exec \"$1\" --headless \"$2\"", folder, QM_PROGRAM_PATH, c.given},
                                 {"QUILLMASTER_HOME=" + Home()}, true);
    EXPECT_EQ(PumpUntilEnded(second), 0);
    for (int i = 0; i < 100 && DocumentCount == before; ++i) {
      Application->ProcessMessages();
      Backend().PumpEvents(true, 20);
    }
    ASSERT_EQ(DocumentCount, before + 1);
    EXPECT_EQ(Script().ScriptFileName, c.opened);
  }
  EXPECT_EQ(GlobalGetAtomName(stale), folder + "/Pilot.QMW ") << "the stale atom was left alone";
}

TEST_F(HandOffTest, ASecondStartThatCannotHandOverEndsWithAnError) {
  const std::string path = SavedScript("UNDELIVERED.QMW");
  // The shared atom table cannot be locked, so no atom can carry the name.
  ASSERT_TRUE(CreateDir(Home() + "/run/atoms.lock"));
  testing::ChildProcess second(QM_PROGRAM_PATH, {"--headless", path}, {"QUILLMASTER_HOME=" + Home()}, true);
  std::string said;
  while (std::optional<std::string> line = second.ReadLine(10000)) said += *line + "\n";
  EXPECT_NE(said.find("Unable to Post Message"), std::string::npos) << said;
  EXPECT_EQ(second.ExitCode(10000), 1);
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
