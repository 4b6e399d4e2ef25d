#include "shell/program_start.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "files/foreign_files.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "script/script_window.h"
#include "shell/app_messages.h"
#include "shell/documents.h"
#include "base/ini_file.h"
#include "base/program_options.h"
#include "base/program_identity.h"
#include "base/prompt_table.h"
#include "shell/main_form.h"
#include "platform/office_button.h"
#include "shell/tool_bar.h"
#include "support/message_box_answers.h"
#include "support/native_scripts.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "support/stand_in_mounts.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

TEST(CommandLine, LeadingSwitchesAreSkippedAndTheRestJoined) {
  const struct {
    std::vector<std::string> params;
    const char* name;
  } cases[] = {
      {{}, ""},
      {{"A.QMW"}, "A.QMW"},
      {{"/WARDN", "A.QMW"}, "A.QMW"},
      {{"\\NM", "/X", "MY", "SCRIPT.QMW"}, "MY SCRIPT.QMW"},
      {{"\"MY", "SCRIPT.QMW\""}, "MY SCRIPT.QMW"},
      {{"/A", "/B"}, ""},
      {{"A.QMW", "/LATER"}, "A.QMW /LATER"},
      {{"-dash.qmw"}, "-dash.qmw"},
  };
  for (const auto& c : cases) EXPECT_EQ(ScriptNameFromCommandLine(c.params), c.name);
}

// A name handed from a second start comes back byte for byte, whatever
// blanks and quotes the desktop let it hold.
TEST(CommandLine, ANameHandedOverComesBackWhole) {
  testing::TempFolder folder;
  for (const std::string name : {"two  blanks.qmw", "My \"Draft\".qmw", " leading.qmw", "blank after.qmw "}) {
    SCOPED_TRACE(name);
    const std::string path = testing::WriteFileText(folder.File(name), "x");
    EXPECT_EQ(ScriptNameFromCommandLine({path}), path);
    EXPECT_EQ(ScriptNameFromCommandLine(SplitHandOffText(HandOffText({"/NM", path}))), path);
  }
}

// A current folder and a script folder of one test's own; the current
// folder is put back at its end.
struct CommandLineFolders {
  CommandLineFolders() {
    ScriptDirectory = scripts.Path();
    ScriptExtension = "QMW";
    std::filesystem::current_path(here.Path());
  }
  ~CommandLineFolders() { std::filesystem::current_path(old); }
  testing::TempFolder here;
  testing::TempFolder scripts;
  const std::string old = std::filesystem::current_path();
};

// A bare name is the current folder's file when one is there, else the
// script folder's; the same on a first start and when handed over.
TEST(CommandLine, ABareNameIsTheCurrentFoldersFileElseTheScriptFolders) {
  {
    const CommandLineFolders folders;
    const testing::TempFolder& here = folders.here;
    const testing::TempFolder& scripts = folders.scripts;
    testing::WriteFileText(here.File("HERE.QMW"), "x");
    EXPECT_EQ(CommandLineScriptPath("HERE.QMW", true), here.File("HERE.QMW"));
    EXPECT_EQ(CommandLineScriptPath("HERE", true), here.File("HERE.QMW"));
    EXPECT_EQ(CommandLineScriptPath("AWAY.QMW", true), scripts.File("AWAY.QMW"));
    EXPECT_EQ(CommandLineScriptPath("HERE.QMW", false), scripts.File("HERE.QMW")) << "handed over: not here";
  }
  EXPECT_EQ(ScriptNameFromCommandLine({"--", "--headless"}), "--headless");
  EXPECT_EQ(ScriptNameFromCommandLine({"/NM", "--", "/X"}), "/X");
}

// A name is read as it is given first: the script extension is added only
// when no file of that very name is there, in the current folder or the
// script folder; the same on a first start and when handed over.
TEST(CommandLine, TheExtensionIsAddedOnlyWhenNoFileHasTheNameAsGiven) {
  const CommandLineFolders folders;
  const testing::TempFolder& here = folders.here;
  const testing::TempFolder& scripts = folders.scripts;
  std::filesystem::create_directory(here.File("sub"));
  for (const char* name : {"--headless", "NOTES", "DRAFT.QMW", "sub/PLAIN", "ENDS."})
    testing::WriteFileText(here.File(name), "x");
  for (const char* name : {"README", "PLAN.QMW"}) testing::WriteFileText(scripts.File(name), "x");
  const struct {
    std::vector<std::string> params;
    std::string opens;
  } cases[] = {
      {{"--", "--headless"}, here.File("--headless")},
      {{"NOTES"}, here.File("NOTES")},
      {{"ENDS."}, here.File("ENDS.")},
      {{"DRAFT"}, here.File("DRAFT.QMW")},
      {{"README"}, scripts.File("README")},
      {{"PLAN"}, scripts.File("PLAN.QMW")},
      {{"GONE"}, scripts.File("GONE.QMW")},
      {{"sub/PLAIN"}, "sub/PLAIN"},
      {{"sub/NONE"}, "sub/NONE.QMW"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.params.back());
    const std::string name = ScriptNameFromCommandLine(c.params);
    EXPECT_EQ(CommandLineScriptPath(name, true), c.opens);
    const std::string received = ScriptNameFromCommandLine(SplitHandOffText(HandOffText(HandOffParameters(c.params))));
    EXPECT_EQ(ExpandFileName(CommandLineScriptPath(received, false)), ExpandFileName(c.opens)) << "handed over";
  }
}

// A second start hands the running instance, which has a current folder
// and a script folder of its own, the name so that it opens the same
// file: a file here or a name with a folder part by its whole path, a bare
// name not here as it is, for the script folder.
TEST(CommandLine, ASecondStartHandsOverTheNameOfTheFileMeant) {
  const CommandLineFolders folders;
  const testing::TempFolder& here = folders.here;
  const testing::TempFolder& scripts = folders.scripts;
  std::filesystem::create_directory(here.File("sub"));
  for (const char* name : {"HERE.QMW", "-dash.QMW", "sub/IN.QMW"}) testing::WriteFileText(here.File(name), "x");
  const struct {
    const char* what;
    std::vector<std::string> params;
    std::vector<std::string> switches;  // handed first
    std::string name;                   // handed as the name
    std::string opens;                  // by the running instance
  } cases[] = {
      {"in the current folder", {"HERE.QMW"}, {}, here.File("HERE.QMW"), here.File("HERE.QMW")},
      {"in the current folder, no extension", {"HERE"}, {}, here.File("HERE.QMW"), here.File("HERE.QMW")},
      {"not in the current folder", {"AWAY.QMW"}, {}, "AWAY.QMW", scripts.File("AWAY.QMW")},
      {"not in the current folder, no extension", {"AWAY"}, {}, "AWAY", scripts.File("AWAY.QMW")},
      {"after switches", {"/NM", "AWAY.QMW"}, {"/NM"}, "AWAY.QMW", scripts.File("AWAY.QMW")},
      {"with a folder part", {"sub/IN.QMW"}, {}, here.File("sub/IN.QMW"), here.File("sub/IN.QMW")},
      {"with a folder part, not there", {"sub/NONE.QMW"}, {}, here.File("sub/NONE.QMW"), here.File("sub/NONE.QMW")},
      {"after --, in the current folder", {"--", "-dash.QMW"}, {}, here.File("-dash.QMW"), here.File("-dash.QMW")},
      {"after --, not in the current folder", {"--", "-gone.QMW"}, {}, "-gone.QMW", scripts.File("-gone.QMW")},
      {"after --, a name like a switch", {"--", "\\odd.QMW"}, {}, "\\odd.QMW", scripts.File("\\odd.QMW")},
      {"after --, a name at the root like a switch", {"--", "/NM"}, {}, "/NM.QMW", "/NM.QMW"},
      {"after --, a name that begins with a blank", {"--", " lead.QMW"}, {}, " lead.QMW", scripts.File(" lead.QMW")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<std::string> handed = HandOffParameters(c.params);
    EXPECT_FALSE(handed.empty());
    if (handed.empty()) continue;
    EXPECT_EQ(handed.back(), c.name);
    EXPECT_TRUE(std::equal(c.switches.begin(), c.switches.end(), handed.begin())) << HandOffText(handed);
    const std::string received = ScriptNameFromCommandLine(SplitHandOffText(HandOffText(handed)));
    EXPECT_EQ(CommandLineScriptPath(received, false), c.opens) << HandOffText(handed);
  }
}

using testing::ScriptThatOpensAtOnce;

using StartupTest = testing::ProgramFixture;

TEST_F(StartupTest, StartsWithTheMainWindowAndOneEmptyScript) {
  ASSERT_TRUE(Started());
  ASSERT_NE(MainForm, nullptr);
  EXPECT_TRUE(MainForm->Visible);
  EXPECT_EQ(Application->Title(), "Quillmaster for Windows");
  EXPECT_EQ(DocumentCount, 1);
  EXPECT_EQ(ActiveDocument, 1);
  TMDIChild& script = Script();
  EXPECT_EQ(script.ElementCount(), 1);
  EXPECT_EQ(script.CurrentElement()->Kind(), ekAction);
  EXPECT_EQ(script.CaretLine(), 1);
  EXPECT_EQ(script.CaretColumn(), 0);
  EXPECT_EQ(ExtractFileName(script.ScriptFileName), "NONAME1.QMW");
  EXPECT_FALSE(NoActiveDocument());
}

class StartupChoiceTest : public testing::ProgramFixture {
 protected:
  void SetUp() override {
    InitialSettings = {{"Program Settings", "Startup Choice", "3"}};
    ProgramFixture::SetUp();
  }
};

TEST_F(StartupChoiceTest, MostRecentScriptWithNoneRecordedOpensNothing) {
  ASSERT_TRUE(Started());
  EXPECT_EQ(DocumentCount, 0);
  EXPECT_TRUE(NoActiveDocument());
}

// The most recent script kept on a removable volume asks for its disk
// first; Cancel there opens nothing, OK opens it.
TEST_F(StartupChoiceTest, MostRecentScriptOnARemovableVolumeAsksForItsDisk) {
  testing::StandInMounts mounts;
  const std::string stick = mounts.Mount("STICK");
  testing::WriteFileText(stick + "/LAST.QMW", testing::ScriptThatOpensAtOnce());
  const std::string question =
      "Please Insert the Disk into Drive " + PathToText(stick) + "\rthat has \"LAST.QMW\" on it...";
  for (const TModalResult answer : {mrCancel, mrOk}) {
    SCOPED_TRACE(answer == mrOk ? "OK" : "Cancel");
    ASSERT_EQ(DocumentCount, 0);
    LastScriptsBuffer[0] = {"LAST.QMW", stick};
    StartupFileTaken = true;
    testing::AnswerMessageBox(Driver(), question, answer, PromptTable(5));
    MainForm->SetupMenusEtc();
    EXPECT_EQ(Driver().Pending(), 0) << "the disk is asked for";
    EXPECT_EQ(DocumentCount, answer == mrOk ? 1 : 0);
  }
  EXPECT_EQ(Script().ScriptFileName, stick + "/LAST.QMW");
}

// Names from the command line and the settings are the system's bytes:
// a script of any name the desktop can make opens, shows its name, and
// stays among the recent scripts.
class NamesOutsideTheCodePageTest : public testing::ProgramFixture {
 protected:
  const std::vector<std::string> names_ = {"Caf\xC3\xA9 Noir.qmw", "\xD0\x9A\xD1\x83\xD1\x85\xD0\xBD\xD1\x8F.qmw",
                                           "\xE5\x8E\xA8\xE6\x88\xBF.qmw", "\xF0\x9F\x8E\xAC.qmw"};
  void SetUp() override {
    const std::string script = ScriptThatOpensAtOnce();
    for (const std::string& name : names_) testing::WriteFileText(scripts_.File(name), script);
    Arguments = {scripts_.File(names_[0])};
    for (int i = 1; i <= 3; ++i) {
      InitialSettings.push_back({"Last Scripts", "Long " + std::to_string(i), names_[static_cast<std::size_t>(i)]});
      InitialSettings.push_back({"Last Scripts", "Path " + std::to_string(i), scripts_.Path()});
    }
    ProgramFixture::SetUp();
  }
  testing::TempFolder scripts_;
};

TEST_F(NamesOutsideTheCodePageTest, OpenFromTheCommandLineAndStayAmongTheRecentScripts) {
  ASSERT_EQ(DocumentCount, 1);
  EXPECT_EQ(Script().ScriptFileName, scripts_.File(names_[0]));
  EXPECT_EQ(MainWindowText(), "Quillmaster for Windows - [" + scripts_.Path() + "/Caf\xE9 Noir.qmw]");
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(LastScriptsBuffer[static_cast<std::size_t>(i)].Name, names_[static_cast<std::size_t>(i + 1)]);
    EXPECT_EQ(LastScriptsBuffer[static_cast<std::size_t>(i)].Folder, scripts_.Path());
  }
}

// A first save stopped before it took its name left only its complete new
// file in the script folder: the name on the command line offers it, as
// File > Open does, rather than saying there is no such script.
class StoppedFirstSaveOnTheCommandLineTest : public testing::ProgramFixture,
                                             public ::testing::WithParamInterface<std::string> {
 protected:
  void SetUp() override {
    // The current folder holds no script of the name.
    std::filesystem::current_path(here_.Path());
    testing::WriteFileText(scripts_.File("FIRST.QMW.999999-1.new~"), ScriptThatOpensAtOnce());
    InitialSettings = {{"Program Settings", "Long Script Directory", scripts_.Path()}};
    Arguments = {GetParam() == "full path" ? scripts_.File("FIRST.QMW") : GetParam()};
    ProgramFixture::SetUp();
  }
  void TearDown() override {
    ProgramFixture::TearDown();
    std::filesystem::current_path(old_);
  }
  void BeforeStart() override {
    testing::AnswerMessageBox(Driver(),
                              "The last save of " + scripts_.File("FIRST.QMW") +
                                  " was stopped before it was finished, and left a newer version of the script "
                                  "beside it.\r\rShould I open that newer version?",
                              mrYes, "Attention");
  }
  const std::string old_ = std::filesystem::current_path();
  testing::TempFolder here_;
  testing::TempFolder scripts_;
};

TEST_P(StoppedFirstSaveOnTheCommandLineTest, IsOffered) {
  ASSERT_TRUE(Started());
  Application->ProcessMessages();
  EXPECT_TRUE(Driver().PendingDescriptions().empty()) << "the stopped save was offered";
  ASSERT_EQ(DocumentCount, 1);
  EXPECT_EQ(Script().ScriptFileName, scripts_.File("FIRST.QMW"));
  EXPECT_FALSE(testing::ElementsOf(Script()).empty());
}

INSTANTIATE_TEST_SUITE_P(Names, StoppedFirstSaveOnTheCommandLineTest,
                         ::testing::Values("FIRST.QMW", "FIRST", "full path"), [](const auto& info) {
                           return info.param == "full path" ? "FullPath"
                                  : info.param == "FIRST"   ? "NoExtension"
                                                            : "BareName";
                         });

// The file is looked at before it is handed on to be loaded; the refusal is
// still said once.
class NewerWordStarOnTheCommandLineTest : public testing::ProgramFixture {
 protected:
  void SetUp() override {
    testing::WriteFileText(scripts_.File("new.ws"), std::string("\x1D\x7D\0\0header", 10));
    Arguments = {scripts_.File("new.ws")};
    ProgramFixture::SetUp();
  }
  void BeforeStart() override { testing::AnswerMessageBox(Driver(), NewerWordStarMessage, mrOk, "Attention"); }
  testing::TempFolder scripts_;
};

TEST_F(NewerWordStarOnTheCommandLineTest, IsRefusedOnce) {
  Application->ProcessMessages();
  EXPECT_TRUE(Driver().PendingDescriptions().empty()) << "the refusal was said";
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<testing::ElementSpec>{{ekAction, ""}}));
}

using DocumentTableTest = testing::ProgramFixture;

TEST_F(DocumentTableTest, ATenthScriptIsRefusedAndTheActiveSlotStays) {
  for (int i = 2; i <= 9; ++i) ASSERT_TRUE(NewDocument("/tmp/NONAME" + std::to_string(i) + ".QMW"));
  EXPECT_EQ(DocumentCount, 9);
  ActiveDocument = 4;
  testing::AnswerMessageBox(Driver(), "Sorry... but you can ONLY have 9 documents open at any one time.", mrOk);
  EXPECT_FALSE(NewDocument("/tmp/NONAME10.QMW"));
  EXPECT_EQ(DocumentCount, 9);
  EXPECT_EQ(ActiveDocument, 4);
}

TEST_F(DocumentTableTest, ClosingASlotMovesTheLaterOnesDown) {
  for (int i = 2; i <= 4; ++i) ASSERT_TRUE(NewDocument("/tmp/NONAME" + std::to_string(i) + ".QMW"));
  TMDIChild* third = Documents[3];
  TMDIChild* fourth = Documents[4];
  ActiveDocument = 2;
  CloseActiveScript(true);
  Application->ProcessMessages();
  EXPECT_EQ(DocumentCount, 3);
  EXPECT_EQ(Documents[2], third);
  EXPECT_EQ(Documents[3], fourth);
  EXPECT_EQ(Documents[4], nullptr);
  ActiveDocument = 3;
  CloseActiveScript(true);
  Application->ProcessMessages();
  EXPECT_EQ(ActiveDocument, 2) << "an active slot above the count comes down to it";
}

TEST_F(DocumentTableTest, ActivatingAWindowMakesItsOwnSlotActive) {
  ASSERT_TRUE(NewDocument("/tmp/NONAME2.QMW"));
  TMDIChild* first = Documents[1];
  first->Activate();
  EXPECT_EQ(ActiveDocument, 1);
  TMDIChild stranger(nullptr);
  stranger.SetChildNumber();
  EXPECT_EQ(ActiveDocument, 1) << "a window without a slot changes nothing";
}

// Ending the program writes the settings file once, not once per key, and
// clears away the new files of a run that was killed while it wrote.
TEST_F(DocumentTableTest, ExitWritesTheSettingsFileInOnePass) {
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  ASSERT_GT(gone, 0);
  int status = 0;
  waitpid(gone, &status, 0);
  const std::string stale = ".QUILLPAD.INI.tmp" + std::to_string(gone) + "-7";
  testing::WriteFileText(JoinPath(ConfigFolder(), stale), "[Program Settings]\nZoom");
  int writes = 0;
  SetFileFaultHook([&](TFileStep step, const std::string& path) {
    if (step == TFileStep::Rename && path == SettingsFilePath()) ++writes;
    return 0;
  });
  TCloseAction action = TCloseAction::caFree;
  MainForm->FormClose(MainForm, action);
  SetFileFaultHook(nullptr);
  EXPECT_EQ(writes, 1);
  EXPECT_TRUE(TIniFile(SettingsFilePath()).ReadBool("Pending", "Exited Normally", false));
  EXPECT_EQ(TIniFile(SettingsFilePath()).ReadInteger("Program Settings", "Zoom Size", 0), MainForm->ZoomSize);
  EXPECT_FALSE(FileExists(JoinPath(ConfigFolder(), stale)));
}

TEST_F(DocumentTableTest, ExitAsksAndNoKeepsTheProgramRunning) {
  Driver().Expect([](TForm& box) {
    EXPECT_NE(box.Caption().find("miss you"), std::string::npos);
    box.ModalResult = mrNo;
  });
  MainForm->ExitQuillmasterItem->Click();
  EXPECT_FALSE(Application->Terminated());
  EXPECT_EQ(MainForm->ExitConfirmed, 0);
  EXPECT_EQ(DocumentCount, 0);
  Driver().Expect([](TForm& box) { box.ModalResult = mrYes; });
  MainForm->ExitQuillmasterItem->Click();
  EXPECT_TRUE(Application->Terminated());
}

// Panels made for an 800-pixel screen grow on a wide screen of fine
// resolution; the tool bar only when the set-up program did not fit it.
class WideScreenTest : public testing::ProgramFixture {
 protected:
  void BeforeStart() override {
    Backend().ScreenSettings().Width = 1600;
    Backend().ScreenSettings().PixelsPerInch = 120;
  }
  int Side(const char* button) { return MainForm->ToolBar().Button(button)->Width; }
};

TEST_F(WideScreenTest, TheDesignedToolBarGrowsWithTheScreenAtStartUp) {
  EXPECT_EQ(Side("FileNewBtn"), 44) << "24 by 9/10 is 22, by 1600/800 is 44";
  EXPECT_EQ(MainForm->ToolBar().Panel()->ClientHeight(), 44 + 6) << "still one row of the new height";
}

class ArialProgramFontTest : public testing::ProgramFixture {
 protected:
  void BeforeStart() override { TIniFile(SettingsFileName).WriteString("Main Font", "Name", "Arial"); }
};

TEST_F(ArialProgramFontTest, TheBarTheElementBoxAndItsListTakeAnArialProgramFont) {
  EXPECT_EQ(MainForm->ToolBar().Panel()->Font.Name(), "Arial");
  EXPECT_EQ(MainForm->ToolBar().CurrentElement()->Font.Name(), "Arial");
  EXPECT_EQ(MainForm->ElementPopDownList->Font.Name(), "Arial");
}

TEST_F(WideScreenTest, TheRightAndStatusPanelsGrowAndAFittedToolBarStays) {
  const struct {
    int width, dpi;
    bool fits;
    int panel, button;
  } cases[] = {
      {1600, 120, false, 60, 44},  // both grow by two
      {1600, 120, true, 60, 22},   // a fitted tool bar stays
      {1600, 96, false, 30, 22},   // an ordinary resolution keeps everything
      {800, 120, false, 30, 22},   // and so does a screen of 800 pixels
  };
  for (const auto& c : cases) {
    auto* status = dynamic_cast<TWinControl*>(MainForm->FindComponent("StatusPanel"));
    auto* right = dynamic_cast<TWinControl*>(MainForm->FindComponent("RightPanel"));
    ASSERT_TRUE(status && right);
    status->SetBounds(status->Left(), status->Top(), status->Width(), 30);
    right->SetBounds(right->Left(), right->Top(), 30, right->Height());
    MainForm->ToolBar().SetupToolBars(true);
    Backend().ScreenSettings().Width = c.width;
    Backend().ScreenSettings().PixelsPerInch = c.dpi;
    ScaleForWideScreen(c.fits);
    EXPECT_EQ(status->Height(), c.panel) << c.width << " " << c.dpi << " " << c.fits;
    EXPECT_EQ(right->Width(), c.panel) << c.width << " " << c.dpi << " " << c.fits;
    EXPECT_EQ(Side("FileNewBtn"), c.button) << c.width << " " << c.dpi << " " << c.fits;
  }
}

}  // namespace
}  // namespace qm
