// The workspace: the scripts open when the program ends, opened again at
// the next start; and the save prompt of a closing script.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/program_identity.h"
#include "base/prompt_table.h"
#include "platform/cp1252.h"
#include "breakdown/tagging.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/input.h"
#include "script/script_window.h"
#include "shell/app_messages.h"
#include "shell/main_form.h"
#include "shell/program_start.h"
#include "shell/splash_screen.h"
#include "shell/workspace.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/stand_in_mounts.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

class WorkspaceTest : public testing::ProgramFixture {
 protected:
  void ChooseFile(const std::string& name, int filter = 0) { testing::ChooseFile(Driver(), name, filter); }
  // The active script typed into and saved under a name in the script folder.
  void TypeAndSaveAs(const std::string& text, const std::string& name) {
    Script().SetFocus();
    TypeText(text);
    ChooseFile(name);
    MainForm->FileSaveAsItem->Click();
  }
  std::string InScripts(const std::string& name) const { return ScriptDirectory + "/" + name; }
  std::string Entry(const std::string& key) const {
    return TIniFile(SettingsFileName).ReadString("WorkSpace", key, "Empty");
  }
  // The start-up step that opens the first scripts, as the next start runs it.
  void StartAgainWithTheWorkspace() {
    MainForm->StartupChoice = 4;
    StartupFileTaken = true;
    TSplashScreen splash(nullptr);
    MainForm->SetupMenusEtc();
  }
  void ExitKeepingTheProgram() {
    testing::AnswerMessageBox(Driver(), "Exit Quillmaster for Windows?", mrNo);
    MainForm->ExitQuillmasterItem->Click();
    ASSERT_EQ(DocumentCount, 0);
  }
};

TEST_F(WorkspaceTest, ExitRecordsTheNamedScriptsAndTheNextStartOpensThemInTheirPlaces) {
  TypeAndSaveAs("One.", "ONE");
  MainForm->FileNewItem->Click();  // untitled: not recorded, and leaves no gap
  MainForm->FileNewItem->Click();
  TypeAndSaveAs("Two.", "TWO");
  Script().WindowState = TWindowState::wsNormal;
  Script().SetBounds(10, 20, 300, 200);
  ExitKeepingTheProgram();

  EXPECT_EQ(Entry("Script Name 1"), InScripts("ONE.QMW"));
  EXPECT_EQ(Entry("Script Name 2"), InScripts("TWO.QMW")) << "the active script comes last";
  EXPECT_EQ(Entry("Long Name 2"), "TWO.QMW");
  EXPECT_EQ(Entry("Maximized 2"), "0");
  EXPECT_EQ(Entry("Script Name 3"), "Empty");

  StartAgainWithTheWorkspace();
  ASSERT_EQ(DocumentCount, 2);
  EXPECT_EQ(Documents[1]->ScriptFileName, InScripts("ONE.QMW"));
  EXPECT_EQ(Script().ScriptFileName, InScripts("TWO.QMW"));
  EXPECT_EQ(Script().WindowState, TWindowState::wsNormal);
  EXPECT_EQ(Script().Left(), 10);
  EXPECT_EQ(Script().Width(), 300);
  EXPECT_EQ(Entry("Script Name 1"), "Empty") << "a restored workspace is used up";
}

// The workspace is written as the first script closes, after that
// script's questions: a new script named at Exit's save question (Yes,
// then Save As) is in it, and the script the writer had in front is
// recorded last, to be in front again after the restore.
TEST_F(WorkspaceTest, ANewScriptNamedAtExitsSaveQuestionIsInTheWorkspace) {
  TypeAndSaveAs("One.", "ONE");
  MainForm->FileNewItem->Click();
  TypeAndSaveAs("Two.", "TWO");
  MainForm->FileNewItem->Click();
  Script().SetFocus();
  TypeText("Three.");
  MainForm->BringScriptForward(1);
  testing::AnswerMessageBox(Driver(), "Save /.../NONAME3.QMW?", mrYes);
  ChooseFile("THREE");
  ExitKeepingTheProgram();
  EXPECT_EQ(Driver().Pending(), 0);

  EXPECT_EQ(Entry("Script Name 1"), InScripts("TWO.QMW"));
  EXPECT_EQ(Entry("Script Name 2"), InScripts("THREE.QMW")) << "named at its save question";
  EXPECT_EQ(Entry("Script Name 3"), InScripts("ONE.QMW")) << "the script in front comes last";
  StartAgainWithTheWorkspace();
  ASSERT_EQ(DocumentCount, 3);
  EXPECT_EQ(Script().ScriptFileName, InScripts("ONE.QMW"));
}

// A first script to close that has no name leaves nothing to record: the
// next one, named at its save question, is recorded as it closes.
TEST_F(WorkspaceTest, AScriptNamedAtALaterSaveQuestionIsRecordedWhenTheFirstHadNoName) {
  Script().SetFocus();
  TypeText("One.");
  MainForm->FileNewItem->Click();
  Script().SetFocus();
  TypeText("Two.");
  testing::AnswerMessageBox(Driver(), "Save /.../NONAME2.QMW?", mrNo);
  Driver().Expect([](TForm& box) { box.ModalResult = mrYes; }, "are you sure");
  testing::AnswerMessageBox(Driver(), "Save /.../NONAME1.QMW?", mrYes);
  ChooseFile("ONE");
  ExitKeepingTheProgram();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(Entry("Script Name 1"), InScripts("ONE.QMW"));
  EXPECT_EQ(Entry("Script Name 2"), "Empty");
}

TEST_F(WorkspaceTest, AMissingScriptIsSkippedAndTheRestStillOpen) {
  TypeAndSaveAs("One.", "ONE");
  ExitKeepingTheProgram();
  TIniFile ini(SettingsFileName);
  ini.WriteString("WorkSpace", "Script Name 2", InScripts("ONE.QMW"));
  ini.WriteString("WorkSpace", "Script Name 1", InScripts("GONE.QMW"));
  testing::AnswerMessageBox(Driver(), InScripts("GONE.QMW") + " not Found!", mrOk, "Unable to load File...");
  StartAgainWithTheWorkspace();
  ASSERT_EQ(DocumentCount, 1);
  EXPECT_EQ(Script().ScriptFileName, InScripts("ONE.QMW"));
}

// The entries are read in number order up to the first number with no
// script name: an untitled script's gap ends the restore there.
TEST_F(WorkspaceTest, RestoringStopsAtTheFirstMissingEntryNumber) {
  TypeAndSaveAs("One.", "ONE");
  MainForm->FileNewItem->Click();
  TypeAndSaveAs("Three.", "THREE");
  const struct {
    const char* what;
    std::vector<std::pair<int, std::string>> entries;
    std::vector<std::string> opened;
  } cases[] = {
      {"entry 1 missing", {{2, "ONE.QMW"}, {3, "THREE.QMW"}}, {}},
      {"entry 2 missing", {{1, "ONE.QMW"}, {3, "THREE.QMW"}}, {"ONE.QMW"}},
      {"entry 2 empty", {{1, "ONE.QMW"}, {2, ""}, {3, "THREE.QMW"}}, {"ONE.QMW"}},
      {"entries 1 and 2", {{1, "THREE.QMW"}, {2, "ONE.QMW"}}, {"THREE.QMW", "ONE.QMW"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ExitKeepingTheProgram();
    TIniFile ini(SettingsFileName);
    ini.EraseSection("WorkSpace");
    for (const auto& [n, name] : c.entries)
      ini.WriteString("WorkSpace", "Script Name " + std::to_string(n), name.empty() ? "" : InScripts(name));
    StartAgainWithTheWorkspace();
    std::vector<std::string> opened;
    for (const TMDIChild* w : Documents)
      if (w) opened.push_back(ExtractFileName(w->ScriptFileName));
    std::vector<std::string> expected = c.opened;
    std::ranges::sort(opened);
    std::ranges::sort(expected);
    EXPECT_EQ(opened, expected);
    EXPECT_EQ(Entry("Script Name 1"), "Empty") << "the workspace is erased after the restore";
  }
}

TEST_F(WorkspaceTest, ClosingTheLastScriptByHandLeavesNoWorkspace) {
  TypeAndSaveAs("One.", "ONE");
  SaveWorkSpace();
  ASSERT_EQ(Entry("Script Name 1"), InScripts("ONE.QMW"));
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  EXPECT_EQ(Entry("Script Name 1"), "Empty");
}

// Exit with no script open has no scripts to record: the workspace left
// from an earlier run stays for a later start that asks for it.
TEST_F(WorkspaceTest, ExitWithNoScriptOpenKeepsTheWorkspace) {
  TypeAndSaveAs("One.", "ONE");
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  ASSERT_EQ(DocumentCount, 0);
  TIniFile(SettingsFileName).WriteString("WorkSpace", "Script Name 1", InScripts("ONE.QMW"));
  testing::AnswerMessageBox(Driver(), "Exit Quillmaster for Windows?", mrNo);
  MainForm->ExitQuillmasterItem->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(Entry("Script Name 1"), InScripts("ONE.QMW"));

  StartAgainWithTheWorkspace();
  ASSERT_EQ(DocumentCount, 1);
  EXPECT_EQ(Script().ScriptFileName, InScripts("ONE.QMW"));
}

// A settings file that cannot take the workspace keeps no writer in the
// program: Exit asks its save questions as usual; Cancel there leaves the
// script open and the program as it was; No closes it, and as it closes
// the workspace is written: that it could not be kept is said, naming the
// file and why, before the question whether to leave the program.
TEST_F(WorkspaceTest, ExitWithTheSettingsFileRefusedSaysSoAndStillAsksAboutEachScript) {
  const std::string settings = SettingsFilePath();
  const struct {
    const char* what;
    std::function<void()> refuse;
    std::string cause;
    TModalResult save;
    const char* script;
  } cases[] = {
      {"a read-only file, Cancel", [&] { ASSERT_TRUE(SetReadOnly(settings, true)); }, "the file is marked read-only",
       mrCancel, "ONE"},
      {"a read-only file, No", [&] { ASSERT_TRUE(SetReadOnly(settings, true)); }, "the file is marked read-only", mrNo,
       "TWO"},
      {"a full disk, No",
       [] {
         SetFileFaultHook([](TFileStep step, const std::string&) { return step == TFileStep::Write ? ENOSPC : 0; });
       },
       std::strerror(ENOSPC), mrNo, "THREE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (DocumentCount == 0) MainForm->FileNewItem->Click();
    TypeAndSaveAs("One.", c.script);
    TypeText(" More.");
    ASSERT_TRUE(Script().DocumentModified);
    c.refuse();
    std::string said;
    testing::AnswerMessageBox(Driver(), "Save /.../" + std::string(c.script) + ".QMW?", c.save);
    if (c.save == mrNo) {
      Driver().Expect([](TForm& box) { box.ModalResult = mrYes; }, "are you sure");
      Driver().Expect(
          [&said](TForm& box) {
            said = testing::MessageBoxText(box);
            box.ModalResult = mrOk;
          },
          "the workspace not kept");
      testing::AnswerMessageBox(Driver(), "Exit Quillmaster for Windows?", mrNo);
    }
    MainForm->ExitQuillmasterItem->Click();
    SetFileFaultHook(nullptr);
    SetReadOnly(settings, false);
    EXPECT_EQ(Driver().Pending(), 0) << "the save question was asked";
    Driver().Clear();
    if (c.save == mrNo) {
      EXPECT_NE(said.find("workspace"), std::string::npos) << said;
      EXPECT_NE(said.find("Unable to write to " + settings + ": " + c.cause), std::string::npos) << said;
    }
    EXPECT_FALSE(Application->Terminated());
    EXPECT_EQ(MainForm->ExitConfirmed, 0);
    EXPECT_TRUE(Application->OnIdle) << "timed backups go on";
    ASSERT_EQ(DocumentCount, c.save == mrCancel ? 1 : 0);
    if (DocumentCount == 1) {
      EXPECT_TRUE(Script().DocumentModified) << "the changes are still to save";
      Script().DocumentModified = 0;
      MainForm->CloseFileItem->Click();
      Application->ProcessMessages();
    }
  }
}

// A recorded script on a removable disk asks for that disk: Cancel skips
// it, and the rest are still restored.
TEST_F(WorkspaceTest, AScriptOnARemovableDiskAsksForItsDisk) {
  testing::StandInMounts mounts;
  const std::string stick = mounts.Mount("STICK");
  TypeAndSaveAs("One.", "ONE");
  testing::WriteFileText(stick + "/AWAY.QMW", testing::ReadFileText(InScripts("ONE.QMW")));
  ExitKeepingTheProgram();
  TIniFile ini(SettingsFileName);
  ini.EraseSection("WorkSpace");
  ini.WriteString("WorkSpace", "Script Name 1", stick + "/AWAY.QMW");
  ini.WriteString("WorkSpace", "Script Name 2", InScripts("ONE.QMW"));
  testing::AnswerMessageBox(
      Driver(), "Please Insert the Disk into Drive " + AnsiUpperCase(stick + "/") + " with \r\"AWAY.QMW\" on it...",
      mrCancel, PromptTable(5));
  StartAgainWithTheWorkspace();
  EXPECT_EQ(Driver().Pending(), 0) << "the disk is asked for";
  ASSERT_EQ(DocumentCount, 1);
  EXPECT_EQ(Script().ScriptFileName, InScripts("ONE.QMW"));
}

TEST_F(WorkspaceTest, YesAtTheClosePromptSavesTheScriptAndClosesIt) {
  TypeAndSaveAs("One.", "ONE");
  TypeText(" More.");
  ASSERT_TRUE(Script().DocumentModified);
  const std::string before = testing::ReadFileText(InScripts("ONE.QMW"));
  testing::AnswerMessageBox(Driver(), "Save /.../ONE.QMW?", mrYes);
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  EXPECT_EQ(DocumentCount, 0);
  EXPECT_NE(testing::ReadFileText(InScripts("ONE.QMW")), before);
}

// A script closed in tagging mode takes the mode with it: the item is
// unchecked, the main window's caption is its own again, and the next
// script starts outside the mode, entering it (and taking its tagging
// flag) only when asked.
TEST_F(WorkspaceTest, ClosingAScriptInTaggingModeLeavesTheMode) {
  TIniFile(SettingsFileName).WriteBool("Breakdowns", "Checked Code Usage", true);
  TMenuItem* tagging = MainForm->MenuItem("TaggingModeItem");
  const struct {
    const char* how;
    std::function<void()> close;
  } closes[] = {
      {"the Close command", [] { MainForm->CloseFileItem->Click(); }},
      {"Exit, keeping the program", [this] { ExitKeepingTheProgram(); }},
  };
  for (const auto& c : closes) {
    SCOPED_TRACE(c.how);
    if (NoActiveDocument()) MainForm->FileNewItem->Click();
    tagging->Click();
    ASSERT_TRUE(TaggingModeOn());
    ASSERT_EQ(MainForm->Caption(), "Breakdown Tagging Mode");
    const std::string name = " - [" + PathToText(Script().ScriptFileName) + "]";
    EXPECT_EQ(MainForm->TitleBarText(), "Breakdown Tagging Mode" + name) << "the title bar says so";
    c.close();
    Application->ProcessMessages();
    ASSERT_EQ(DocumentCount, 0);
    EXPECT_FALSE(TaggingModeOn());
    EXPECT_FALSE(tagging->Checked());
    EXPECT_EQ(MainForm->Caption(), "Quillmaster for Windows");

    MainForm->FileNewItem->Click();
    EXPECT_FALSE(TaggingModeOn()) << "a new script starts outside the mode";
    EXPECT_EQ(Script().TaggingUsed, 0);
    tagging->Click();
    EXPECT_TRUE(TaggingModeOn());
    EXPECT_EQ(Script().TaggingUsed, 1);
    tagging->Click();
    EXPECT_EQ(MainForm->TitleBarText(), MainWindowText()) << "the program's own title again";
    MainForm->CloseFileItem->Click();
    Application->ProcessMessages();
  }
}

// A close the writer takes back at the save question leaves the script
// open, and so in tagging mode.
TEST_F(WorkspaceTest, CancellingTheCloseKeepsTaggingMode) {
  TIniFile(SettingsFileName).WriteBool("Breakdowns", "Checked Code Usage", true);
  TMenuItem* tagging = MainForm->MenuItem("TaggingModeItem");
  TypeAndSaveAs("One.", "ONE");
  TypeText(" More.");
  ASSERT_TRUE(Script().DocumentModified);
  tagging->Click();
  ASSERT_TRUE(TaggingModeOn());
  const struct {
    const char* how;
    std::function<void()> answer;
  } cancels[] = {
      {"Cancel at the save question", [this] { testing::AnswerMessageBox(Driver(), "Save /.../ONE.QMW?", mrCancel); }},
      {"No, then Cancel at \"are you sure\"",
       [this] {
         testing::AnswerMessageBox(Driver(), "Save /.../ONE.QMW?", mrNo);
         Driver().Expect([](TForm& box) {
           EXPECT_EQ(box.Caption(), "Warning!");
           box.ModalResult = mrCancel;
         });
       }},
  };
  for (const auto& c : cancels) {
    SCOPED_TRACE(c.how);
    c.answer();
    MainForm->CloseFileItem->Click();
    Application->ProcessMessages();
    ASSERT_EQ(DocumentCount, 1);
    EXPECT_TRUE(TaggingModeOn());
    EXPECT_TRUE(tagging->Checked());
    EXPECT_EQ(MainForm->Caption(), "Breakdown Tagging Mode");
  }
  // Closed for real, the mode goes with it.
  testing::AnswerMessageBox(Driver(), "Save /.../ONE.QMW?", mrNo);
  Driver().Expect([](TForm& box) { box.ModalResult = mrYes; });
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  ASSERT_EQ(DocumentCount, 0);
  EXPECT_FALSE(TaggingModeOn());
  EXPECT_FALSE(tagging->Checked());
}

}  // namespace
}  // namespace qm
