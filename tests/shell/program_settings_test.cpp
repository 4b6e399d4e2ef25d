#include "shell/program_settings.h"

#include <gtest/gtest.h>

#include "support/message_box_answers.h"

#include <unistd.h>

#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>

#include "files/undo_ring.h"
#include "platform/files.h"
#include "script/model/standard_formats.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "base/global_state.h"
#include "base/ini_file.h"
#include "platform/controls.h"
#include "shell/main_form.h"
#include "shell/right_panel.h"
#include "support/platform_fixture.h"
#include "support/stand_in_mounts.h"

namespace qm {
namespace {

using Getter = std::function<std::string()>;

std::string Text(bool v) { return v ? "1" : "0"; }
std::string Text(Byte v) { return std::to_string(v); }
std::string Text(Word v) { return std::to_string(v); }
std::string Text(const std::string& v) { return v; }

template <class T>
Getter Field(T TProgramOptions::*m) {
  return [m] { return Text(MainForm->*m); };
}
template <class T>
Getter Global(T* g) {
  return [g] { return Text(*g); };
}
Getter OverrideKey(int slot) {
  return [slot] { return Text(MainForm->KeyOverrideTable[slot]); };
}

using O = TProgramOptions;

// Every key with its default in an empty file, a value that is not the
// default, where it lands, and whether saving writes it back.
struct KeyRow {
  const char* section;
  const char* key;
  const char* defaultValue;
  const char* otherValue;
  Getter place;
  bool written = true;
};

std::vector<KeyRow> AllKeys() {
  const char* PS = "Program Settings";
  const char* ED = "Editing Options";
  const char* PR = "Printing Options";
  const char* SC = "SmartCheck";
  const char* SP = "Spelling";
  const char* RV = "Revision Options";
  const char* KB = "KeyBoard Layout";
  return {
      {PS, "Use Last Dir", "0", "1", Field(&O::UseLastDir)},
      {PS, "Startup Choice", "0", "4", Field(&O::StartupChoice)},
      {PS, "Zoom Size", "75", "120", Field(&O::ZoomSize)},
      {PS, "Autogenerate File Names", "1", "0", Field(&O::AutogenerateFileNames)},
      {PS, "Autosave Interval", "15", "30", Global(&AutosaveInterval)},
      {PS, "Backup Prompt", "1", "0", Field(&O::BackupPrompt), false},
      {PS, "Pagination Delay", "10", "25", Field(&O::PaginationDelay)},
      {PS, "No Auto Pagination", "0", "1", Field(&O::NoAutoPagination)},
      {PS, "Allow Menu To Move Mouse", "0", "1", Field(&O::AllowMenuToMoveMouse)},
      {PS, "Mouse Click Kills Block", "1", "0", Field(&O::MouseClickKillsBlock)},
      {PS, "Stay for Block", "0", "1", Field(&O::StayForBlock)},
      {PS, "Move to Right Click", "0", "1", Field(&O::MoveToRightClick)},
      {PS, "Select On Mouse Up", "0", "1", Field(&O::SelectOnMouseUp)},
      {PS, "Use PowerPanel", "1", "0", Field(&O::UsePowerPanel)},
      {PS, "Mouse Menu", "1", "0", Global(&MouseMenu)},
      {PS, "Script Extension", "QMW", "SCR", Global(&ScriptExtension)},
      {PS, "Expert Prompting", "0", "1", Field(&O::ExpertPrompting)},
      {PS, "Allow Page Break At Elipses", "0", "1", Global(&AllowPageBreakAtElipses)},
      {PS, "Right Scroll By Screen", "1", "0", Field(&O::RightScrollByScreen)},
      {PS, "Control S is Save", "0", "1", Field(&O::ControlSIsSave)},
      {PS, "Start At Bookmark", "1", "0", Field(&O::StartAtBookmark)},
      {PS, "Color As Background", "0", "1", Field(&O::ColorAsBackground)},
      {"Save/Retrieve", "Floppy Backup", "1", "0", Global(&FloppyBackup)},
      {"Save/Retrieve", "Backup Drive", "A", "/media/writer/STICK", [] { return BackupDrive; }},
      {"Interactive", "Smart Arrows", "1", "0", Field(&O::SmartArrows)},
      {"Interactive", "Auto Variable Input", "1", "0", Field(&O::AutoVariableInput)},
      {"Interactive", "Each Jump Position on New Page", "0", "1", Field(&O::EachJumpPositionOnNewPage)},
      {"Interactive", "Print Reference Pg Numbers", "1", "0", Field(&O::PrintReferencePgNumbers)},
      {ED, "Proprietary Format Only", "0", "1", Global(&ProprietaryFormatOnly)},
      {ED, "Show Cut/Paste Progress", "0", "1", Field(&O::ShowCutPasteProgress)},
      {ED, "Strip Known Times Only", "0", "1", Field(&O::StripKnownTimesOnly)},
      {ED, "Show Retrieve Progress", "1", "0", Field(&O::ShowRetrieveProgress)},
      {ED, "Use SmartTab", "1", "0", Field(&O::UseSmartTab)},
      {ED, "Use SmartTabPlus", "0", "1", Field(&O::UseSmartTabPlus)},
      {ED, "Use AltKeys", "0", "1", Field(&O::UseAltKeys)},
      {ED, "Use Ultimate AltKeys", "1", "0", Field(&O::UseUltimateAltKeys)},
      {ED, "Use QuickType", "1", "0", Field(&O::UseQuickType)},
      {ED, "Display Char Name List", "1", "0", Field(&O::DisplayCharNameList)},
      {ED, "AutoAddTimeDay", "1", "0", Field(&O::AutoAddTimeDay)},
      {ED, "AutoAddSceneBody", "1", "0", Field(&O::AutoAddSceneBody)},
      {ED, "Keep Running Transitions", "1", "0", Field(&O::KeepRunningTransitions)},
      {ED, "Keep Running Extensions", "0", "1", Field(&O::KeepRunningExtensions)},
      {ED, "Keep Running Shots", "1", "0", Field(&O::KeepRunningShots)},
      {ED, "Hide Mouse", "1", "0", Field(&O::HideMouse)},
      {ED, "Password Protect", "0", "1", Field(&O::PasswordProtect)},
      {ED, "Allow Typeover", "1", "0", Field(&O::AllowTypeover)},
      {ED, "Allow Text Mode", "1", "0", Field(&O::AllowTextMode)},
      {ED, "Drag and Drop Break", "1", "0", Field(&O::DragAndDropBreak)},
      {ED, "Mouse Blocks by Words", "1", "0", Field(&O::MouseBlocksByWords)},
      {ED, "Mouse Block Start Word", "0", "1", Field(&O::MouseBlockStartWord)},
      {ED, "Format Kills Block", "1", "0", Field(&O::FormatKillsBlock)},
      {ED, "Enter to Character Name", "0", "1", Field(&O::EnterToCharacterName)},
      {ED, "Enter in Note is HR", "0", "1", Field(&O::EnterInNoteIsHR)},
      {ED, "Tab to Parenth", "0", "1", Field(&O::TabToParenth)},
      {ED, "Skip Name Hide", "1", "0", Field(&O::SkipNameHide)},
      {PR, "Substitute Font", "Courier Old", "Letter Gothic", Field(&O::SubstituteFont)},
      {PR, "Display Font", "Courier New", "Courier Prime", Field(&O::DisplayFont)},
      {PR, "Fax Modem Name", "", "Modem \xE9", Field(&O::FaxModemName)},
      {PR, "Print Direction", "0", "1", Global(&PrintDirection)},
      {PR, "Darken Courier New", "1", "3", Field(&O::DarkenCourierNew)},
      {PR, "Print Final More", "0", "1", Field(&O::PrintFinalMore)},
      {PR, "Print Colored Text", "1", "0", Field(&O::PrintColoredText)},
      {PR, "Always Compress QPress Files", "0", "1", Field(&O::AlwaysCompressQPressFiles)},
      {PR, "Print Entire Scene Pages", "0", "1", Field(&O::PrintEntireScenePages)},
      {PR, "Bottom Continued", "1", "0", Field(&O::BottomContinued)},
      {"Animation Options", "Bracket Dia Numbering", "1", "0", Global(&BracketDialogueNumbers), false},
      {SC, "Auto-Run", "1", "0", Field(&O::SmartCheckAutoRun)},
      {SC, "Blank Space", "1", "0", Field(&O::SmartCheckBlankSpace)},
      {SC, "Blank Element", "1", "0", Field(&O::SmartCheckBlankElement)},
      {SC, "No Dialogue", "1", "0", Field(&O::SmartCheckNoDialogue)},
      {SC, "Second Name", "1", "0", Field(&O::SmartCheckSecondName)},
      {SC, "Require Matched Extensions", "0", "1", Field(&O::SmartCheckRequireMatchedExtensions)},
      {SC, "Beep On Error", "1", "0", Field(&O::SmartCheckBeepOnError)},
      {SC, "Ignore Blanks With Revision Mark", "1", "0", Field(&O::SmartCheckIgnoreBlanksWithRevisionMark)},
      {SC, "Find Widowed Omitteds", "1", "0", Field(&O::SmartCheckFindWidowedOmitteds)},
      {"Display Settings", "Display Headers", "1", "0", Field(&O::DisplayHeaders)},
      {"Display Settings", "Display Page Break Type", "1", "0", Global(&DisplayPageBreakType)},
      {SP, "Default Language", "1", "3", Field(&O::DefaultLanguage)},
      {SP, "Real-Time Spell Check", "1", "0", Field(&O::RealTimeSpellCheck)},
      {SP, "Real-Time Autocorect", "1", "0", Field(&O::RealTimeAutocorrect)},
      {SP, "Autocorect Max Length", "25", "40", Field(&O::AutocorrectMaxLength)},
      {SP, "Correct MIstakes", "1", "0", Field(&O::CorrectMistakes)},
      {SP, "Allow Swears in Thesaurus", "0", "1", Field(&O::AllowSwearsInThesaurus)},
      {SP, "Name Capitalization", "0", "1", Field(&O::NameCapitalization)},
      {SP, "All Cap Names", "0", "1", Global(&AllCapNames)},
      {SP, "Sentence Capitalization", "1", "0", Field(&O::SentenceCapitalization)},
      {SP, "Right Parenths is Sentence End", "0", "1", Field(&O::RightParenthsIsSentenceEnd)},
      {SP, "Capitalize after Shots", "0", "1", Field(&O::CapitalizeAfterShots)},
      {SP, "AutoSentence Spacing", "1", "0", Field(&O::AutoSentenceSpacing)},
      {SP, "Prompt on Multiples", "1", "0", Field(&O::PromptOnMultiples)},
      {SP, "Beep On Unknown", "1", "0", Field(&O::BeepOnUnknown)},
      {SP, "NonRealTimeCorrection", "1", "0", Field(&O::NonRealTimeCorrection)},
      {SP, "IgnoreCaps", "1", "0", Field(&O::IgnoreCaps)},
      {RV, "Print After Threshold", "1", "0", Field(&O::PrintAfterThreshold)},
      {RV, "Use Revision Threshhold", "1", "0", Field(&O::UseRevisionThreshold)},
      {RV, "Use Plain Asterisk", "0", "1", Field(&O::UsePlainAsterisk)},
      {RV, "Asterisk New A-Pages", "0", "1", Field(&O::AsteriskNewAPages)},
      {RV, "Put Asterisk On Line Under Header", "0", "1", Field(&O::PutAsteriskOnLineUnderHeader)},
      {RV, "Mark All Cuts", "1", "0", Field(&O::MarkAllCuts)},
      {RV, "Revision Threshold", "15", "30", Field(&O::RevisionThreshold)},
      {RV, "Combine Omitted Pages", "1", "0", Field(&O::CombineOmittedPages)},
      {RV, "Auto Update Headers", "1", "0", Field(&O::AutoUpdateHeaders)},
      {RV, "Show Colored Pages", "1", "0", Field(&O::ShowColoredPages)},
      {RV, "Count APage Continued", "1", "0", Field(&O::CountAPageContinued)},
      {KB, "Goto Top", "3", "0", Field(&O::GotoTopKeys)},
      {KB, "Goto Bottom", "3", "1", Field(&O::GotoBottomKeys)},
      {KB, "Delete Word", "1", "2", Field(&O::DeleteWordKeys)},
      {KB, "Delete Left Word", "3", "5", Field(&O::DeleteLeftWordKeys)},
      {KB, "Delete To Eol", "6", "7", Field(&O::DeleteToEolKeys)},
      {KB, "Ctrl Key Cut/Paste", "0", "1", Field(&O::CtrlKeyCutPaste)},
      {"Producer Help", "Offer", "1", "0", Global(&JokeyPrompts), false},
      {"Program Options", "Use Win Colors", "1", "0", Global(&UseWinColors)},
      {"Override Keys", "0", "0", "5", OverrideKey(0)},
      {"Override Keys", "25", "0", "43", OverrideKey(25)},
      {"Override Keys", "26", "0", "12", OverrideKey(26)},
      {"Override Keys", "51", "0", "1", OverrideKey(51)},
  };
}

class ProgramSettingsTest : public testing::PlatformFixture {
 protected:
  void SetUp() override {
    PlatformFixture::SetUp();
    GlobalState::ResetAll();
    programEnv_ = std::make_unique<testing::ScopedEnv>("QUILLMASTER_PROGRAM_FOLDER", Home() + "/program");
    ForceDirectories(ScriptsFolder());
    NewMainForm();
  }
  void TearDown() override {
    delete MainForm;
    programEnv_.reset();
    PlatformFixture::TearDown();
  }

  // A fresh start: every global and the main window as a new run has them.
  void NewMainForm() {
    delete MainForm;
    GlobalState::ResetAll();
    MainForm = new TMainForm(nullptr);
  }
  // QUILLMASTER_HOME holds what the program writes by default.
  std::string ScriptsFolder() const { return Home() + "/Scripts"; }
  std::string IniPath() const { return HomeFile("QUILLPAD.INI"); }
  TIniFile Ini() const { return TIniFile(IniPath()); }
  void Set(const char* section, const char* key, const std::string& value) { Ini().WriteString(section, key, value); }
  std::optional<std::string> Stored(const char* section, const char* key) const {
    if (!Ini().ValueExists(section, key)) return std::nullopt;
    return Ini().ReadString(section, key, "");
  }
  std::string Bytes() const {
    std::ifstream in(IniPath(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void ForgetSettingsFile() { DeleteFile(IniPath()); }
  void AddSecondPrinter() {
    Backend().PrinterList().push_back(
        std::make_unique<RecordingPrinter>("Second Printer", 600, TPoint{5100, 6600}, TPoint{150, 150}));
    Printer()->Refresh();
  }

  // The questions of the settings come up in a message box whose text is
  // its label "Message".
  void AnswerQuestion(const std::string& text, TModalResult answer) {
    testing::AnswerMessageBox(Driver(), text, answer);
  }

  std::unique_ptr<testing::ScopedEnv> programEnv_;
};

TEST_F(ProgramSettingsTest, AnEmptySettingsFileGivesEveryDefault) {
  ASSERT_TRUE(LoadProgramSettings(false));
  for (const KeyRow& row : AllKeys()) EXPECT_EQ(row.place(), row.defaultValue) << "[" << row.section << "] " << row.key;
  EXPECT_EQ(MainForm->SentenceSpacing, "  ");
  EXPECT_EQ(SpeechNumberFlag, 1);
  EXPECT_EQ(ScriptDirectory, ScriptsFolder());
  EXPECT_EQ(ProgramDirectory, Home() + "/program/");
  EXPECT_EQ(ScreenColors, TScreenColors{});
  for (const TLastScript& entry : LastScriptsBuffer) EXPECT_TRUE(entry.Empty());
  EXPECT_FALSE(FileExists(IniPath()));
}

TEST_F(ProgramSettingsTest, EveryKeyIsReadAndSavedBackOrLeftAlone) {
  const std::vector<KeyRow> keys = AllKeys();
  for (const KeyRow& row : keys) Set(row.section, row.key, row.otherValue);
  ASSERT_TRUE(LoadProgramSettings(false));
  for (const KeyRow& row : keys) EXPECT_EQ(row.place(), row.otherValue) << "load [" << row.section << "] " << row.key;

  ForgetSettingsFile();
  ASSERT_TRUE(SaveProgramSettings());
  for (const KeyRow& row : keys) {
    const std::optional<std::string> stored = Stored(row.section, row.key);
    if (row.written) EXPECT_EQ(stored, row.otherValue) << "save [" << row.section << "] " << row.key;
    else EXPECT_EQ(stored, std::nullopt) << "save [" << row.section << "] " << row.key;
  }

  NewMainForm();
  ASSERT_TRUE(LoadProgramSettings(false));
  for (const KeyRow& row : keys)
    if (row.written) {
      EXPECT_EQ(row.place(), row.otherValue) << "reload [" << row.section << "] " << row.key;
    }
}

// The right scroll bar's hint tells what a click with Ctrl does: the
// settings read word it one way, the settings saved the other.
TEST_F(ProgramSettingsTest, TheRightScrollBarsHintSaysWhatCtrlDoes) {
  const struct {
    bool byScreen;
    const char* read;
    const char* saved;
  } cases[] = {
      {true, "|Press <CTRL> when clicking for Random Access scrolling",
       "|Press <CTRL> when clicking for Random Access Scrolling"},
      {false, "|Press <CTRL> when clicking to scroll up/down by a Screen",
       "|Press <CTRL> when clicking to scroll up/down by Screen"},
      {true, "|Press <CTRL> when clicking for Random Access scrolling",
       "|Press <CTRL> when clicking for Random Access Scrolling"},
  };
  ASSERT_TRUE(LoadProgramSettings(false));
  const TScrollBar& bar = *MainForm->RightPanel().RightScroll;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.byScreen ? "by screen" : "random access");
    Set("Program Settings", "Right Scroll By Screen", Text(c.byScreen));
    ASSERT_TRUE(LoadProgramSettings(true));
    EXPECT_EQ(bar.Hint(), c.read);
    ASSERT_TRUE(SaveProgramSettings());
    EXPECT_EQ(bar.Hint(), c.saved);
  }
}

TEST_F(ProgramSettingsTest, ZoomFollowsTheScreenAndStaysBetween50And150) {
  const struct {
    int screenWidth;
    const char* stored;  // null: missing
    int expected;
  } cases[] = {
      {800, nullptr, 90}, {640, nullptr, 75}, {1024, "160", 90}, {1024, "40", 90},  {1024, "150", 150},
      {1024, "50", 50},   {800, "151", 90},   {1024, "49", 90},  {1024, "abc", 75},
  };
  for (const auto& c : cases) {
    NewMainForm();
    ForgetSettingsFile();
    if (c.stored) Set("Program Settings", "Zoom Size", c.stored);
    Backend().ScreenSettings().Width = c.screenWidth;
    ASSERT_TRUE(LoadProgramSettings(false));
    EXPECT_EQ(MainForm->ZoomSize, c.expected) << c.screenWidth << " " << (c.stored ? c.stored : "missing");
  }
}

TEST_F(ProgramSettingsTest, SentenceSpacingKeepsAtMostNineBlanks) {
  const struct {
    const char* stored;
    std::size_t blanks;
  } cases[] = {{nullptr, 2}, {"0", 2}, {"1", 1}, {"5", 5}, {"9", 9}, {"12", 9}, {"-3", 0}, {"x", 2}};
  for (const auto& c : cases) {
    NewMainForm();
    ForgetSettingsFile();
    if (c.stored) Set("Spelling", "Sentence Spacing", c.stored);
    ASSERT_TRUE(LoadProgramSettings(false));
    const std::string label = c.stored ? c.stored : "missing";
    EXPECT_EQ(MainForm->SentenceSpacing, std::string(c.blanks, ' ')) << label;
    ASSERT_TRUE(SaveProgramSettings());
    EXPECT_EQ(Stored("Spelling", "Sentence Spacing"), std::to_string(c.blanks)) << label;
  }
}

// The backup drive is kept as the folder its volume is mounted on; a
// letter (an old file's, or the old drive flag's) stays a letter.
TEST_F(ProgramSettingsTest, BackupDriveComesFromItsKeyOrTheOldDriveFlag) {
  const struct {
    const char* backupDrive;  // null: missing
    const char* driveA;       // null: missing
    bool reload;
    const char* expected;
  } cases[] = {
      {nullptr, "1", false, "B"},
      {"", "1", false, "B"},
      {"C", "1", false, "C"},
      {"AB", nullptr, false, "A"},
      {"C", "1", true, "B"},
      {"C", nullptr, true, "A"},
      {"b", nullptr, false, "b"},
      {"/media/writer/STICK", nullptr, false, "/media/writer/STICK"},
      {"/media/writer/STICK", "1", true, "B"},
      {"media/writer/STICK", nullptr, false, "A"},
  };
  for (const auto& c : cases) {
    NewMainForm();
    ForgetSettingsFile();
    if (c.backupDrive) Set("Save/Retrieve", "Backup Drive", c.backupDrive);
    if (c.driveA) Set("Save/Retrieve", "Drive A:", c.driveA);
    ASSERT_TRUE(LoadProgramSettings(c.reload));
    EXPECT_EQ(BackupDrive, c.expected) << (c.backupDrive ? c.backupDrive : "missing") << " reload " << c.reload;
    ASSERT_TRUE(SaveProgramSettings());
    EXPECT_EQ(Stored("Save/Retrieve", "Backup Drive"), c.expected);
  }
}

TEST_F(ProgramSettingsTest, NumbersAreKeptWithinWhatTheirPlaceHolds) {
  const struct {
    const char* section;
    const char* key;
    const char* stored;
    Getter place;
    const char* expected;
  } cases[] = {
      {"Spelling", "Autocorect Max Length", "300", Field(&O::AutocorrectMaxLength), "255"},
      {"Spelling", "Autocorect Max Length", "-5", Field(&O::AutocorrectMaxLength), "0"},
      {"Program Settings", "Autosave Interval", "70000", Global(&AutosaveInterval), "65535"},
      {"Override Keys", "7", "70000", OverrideKey(7), "65535"},
      {"Revision Options", "Revision Threshold", "0x20", Field(&O::RevisionThreshold), "32"},
      {"Animation Options", "Speech Num Pos", "0", Global(&SpeechNumberFlag), "1"},
      {"Animation Options", "Speech Num Pos", "1", Global(&SpeechNumberFlag), "0"},
      {"Animation Options", "Speech Num Pos", "2", Global(&SpeechNumberFlag), "3"},
      {"Animation Options", "Speech Num Pos", "300", Global(&SpeechNumberFlag), "254"},
      {"KeyBoard Layout", "Goto Top", "9", Field(&O::GotoTopKeys), "9"},
  };
  for (const auto& c : cases) {
    NewMainForm();
    ForgetSettingsFile();
    Set(c.section, c.key, c.stored);
    ASSERT_TRUE(LoadProgramSettings(false));
    EXPECT_EQ(c.place(), c.expected) << c.key << "=" << c.stored;
  }
}

TEST_F(ProgramSettingsTest, UndoLevelsStayWithinTheRing) {
  const struct {
    const char* disableUndo;  // null: missing
    const char* maxLevels;    // null: missing
    int expected;
  } cases[] = {
      {nullptr, nullptr, 20}, {nullptr, "3", 3}, {nullptr, "25", 20},  {nullptr, "-3", 0},
      {"1", "5", 0},          {"0", "0x0A", 10}, {nullptr, "abc", 20}, {"0", "0", 0},
  };
  for (const auto& c : cases) {
    ForgetSettingsFile();
    if (c.disableUndo) Set("Program Settings", "Disable Undo", c.disableUndo);
    if (c.maxLevels) Set("Program Settings", "Max Undo Levels", c.maxLevels);
    EXPECT_EQ(ReadUndoLevels(), c.expected)
        << (c.disableUndo ? c.disableUndo : "-") << " " << (c.maxLevels ? c.maxLevels : "-");
  }
}

TEST_F(ProgramSettingsTest, RunningListsFollowQuickTypeUnlessStored) {
  Set("Editing Options", "Use QuickType", "0");
  Set("Editing Options", "Keep Running Shots", "1");
  ASSERT_TRUE(LoadProgramSettings(false));
  EXPECT_FALSE(MainForm->AutoAddTimeDay);
  EXPECT_FALSE(MainForm->KeepRunningTransitions);
  EXPECT_TRUE(MainForm->KeepRunningShots);
  EXPECT_TRUE(MainForm->AutoAddSceneBody);
  EXPECT_FALSE(MainForm->KeepRunningExtensions);
}

TEST_F(ProgramSettingsTest, StartUpSetsThePageBreakFormats) {
  ASSERT_TRUE(LoadProgramSettings(false));
  const std::array<Byte, 12> autoBytes{0, 0, 0, 0, 0, 0, 8, 10, 0, 12, 0, 0};
  const std::array<Byte, 12> forcedBytes{0, 0, 0, 0, 0, 0, 12, 10, 0, 12, 0, 0};
  EXPECT_EQ(AutoPageBreakFormat.ToBytes(), autoBytes);
  EXPECT_EQ(ForcedPageBreakFormat.ToBytes(), forcedBytes);
}

TEST_F(ProgramSettingsTest, ReloadLeavesTheStartUpKeysAlone) {
  const std::string scratch = Home() + "/scratch.tmp";
  std::ofstream(scratch) << "x";
  ASSERT_TRUE(LoadProgramSettings(false));
  AutoPageBreakFormat.LeftMargin = 7;
  LastScriptsBuffer[0] = {"KEEP.QMW", "A:\\"};

  const std::string other = Home() + "/other";
  ForceDirectories(other);
  Set("Program Settings", "Long Script Directory", other);
  Set("Program Settings", "Use Last Dir", "1");
  Set("Last Scripts", "Long 1", "NEW.QMW");
  Set("Pending", "Temp File", scratch);
  Set("Editing Options", "Use QuickType", "0");
  ASSERT_TRUE(LoadProgramSettings(true));

  EXPECT_EQ(ScriptDirectory, ScriptsFolder());
  EXPECT_FALSE(MainForm->UseLastDir);
  EXPECT_EQ(LastScriptsBuffer[0].Name, "KEEP.QMW");
  EXPECT_TRUE(FileExists(scratch));
  EXPECT_EQ(AutoPageBreakFormat.LeftMargin, 7);
  EXPECT_FALSE(MainForm->UseQuickType);
}

TEST_F(ProgramSettingsTest, AFileLeftByTheLastRunIsDeleted) {
  const std::string scratch = Home() + "/RT-TEMP.SCR";
  std::ofstream(scratch) << "x";
  Set("Pending", "Temp File", scratch);
  ASSERT_TRUE(LoadProgramSettings(false));
  EXPECT_FALSE(FileExists(scratch));
  EXPECT_EQ(Stored("Pending", "Temp File"), "");

  NewMainForm();
  Set("Pending", "Temp File", Home() + "/gone.tmp");
  ASSERT_TRUE(LoadProgramSettings(false));
  EXPECT_EQ(Stored("Pending", "Temp File"), Home() + "/gone.tmp");
}

// The settings file is text anyone may have put there: it names only a
// temporary file of ours, in our own folders, or nothing is deleted.
TEST_F(ProgramSettingsTest, TheLeftOverTempFileIsOnlyEverOneOfOurs) {
  const std::string run = RuntimeFolder();
  ASSERT_TRUE(ForceDirectories(run));
  const std::string elsewhere = Home() + "/elsewhere";
  ASSERT_TRUE(ForceDirectories(elsewhere));
  const std::string precious = elsewhere + "/precious.txt";
  const std::string settings = Home() + "/QUILLPAD.INI";
  ASSERT_EQ(symlink(elsewhere.c_str(), (Home() + "/linked").c_str()), 0);
  const struct {
    const char* what;
    std::string named;    // the value of [Pending] "Temp File"
    std::string planted;  // a link put there first, to `precious`
    std::string victim;   // the file that must stay
  } kept[] = {
      {"a file elsewhere", precious, "", precious},
      {"the settings file itself", settings, "", settings},
      {"our name, in another folder", elsewhere + "/RT-TEMP.SCR", "", elsewhere + "/RT-TEMP.SCR"},
      {"our name, out of our folder by ..", run + "/../elsewhere/RT-TEMP.SCR", "", elsewhere + "/RT-TEMP.SCR"},
      {"our name, through a linked folder", Home() + "/linked/RT-TEMP.SCR", "", elsewhere + "/RT-TEMP.SCR"},
      {"our name, planted as a link", run + "/RT-TEMP.SCR", run + "/RT-TEMP.SCR", precious},
  };
  for (const auto& c : kept) {
    SCOPED_TRACE(c.what);
    std::ofstream(precious) << "keep me";
    std::ofstream(elsewhere + "/RT-TEMP.SCR") << "not ours";
    if (!c.planted.empty()) {
      ASSERT_EQ(symlink(precious.c_str(), c.planted.c_str()), 0);
    }
    Set("Pending", "Temp File", c.named);
    Set("Marker", "Kept", "1");
    NewMainForm();
    ASSERT_TRUE(LoadProgramSettings(false));
    EXPECT_TRUE(FileExists(c.victim));
    EXPECT_TRUE(FileExists(precious));
    EXPECT_EQ(Stored("Marker", "Kept"), "1") << "the settings file is whole";
    if (!c.planted.empty()) unlink(c.planted.c_str());
  }
  for (const std::string& ours : {run + "/RT-TEMP.SCR", run + "/4242.RT-TEMP.SCR", Home() + "/4242.RT-TEMP.SCR"}) {
    SCOPED_TRACE(ours);
    std::ofstream(ours) << "left by the last run";
    Set("Pending", "Temp File", ours);
    NewMainForm();
    ASSERT_TRUE(LoadProgramSettings(false));
    EXPECT_FALSE(FileExists(ours));
    EXPECT_EQ(Stored("Pending", "Temp File"), "");
  }
}

TEST_F(ProgramSettingsTest, ScriptFolderComesFromItsTwoKeysWithoutATrailingSlash) {
  const std::string a = Home() + "/a";
  const std::string b = Home() + "/b";
  ForceDirectories(a);
  ForceDirectories(b);
  const struct {
    const char* shortKey;  // null: missing
    const char* longKey;   // null: missing
    std::string expected;
  } cases[] = {
      {nullptr, nullptr, ScriptsFolder()},
      {"a/", nullptr, a},
      {"a", "b/", b},
      {nullptr, "b", b},
  };
  for (const auto& c : cases) {
    NewMainForm();
    ForgetSettingsFile();
    if (c.shortKey) Set("Program Settings", "Script Directory", Home() + "/" + c.shortKey);
    if (c.longKey) Set("Program Settings", "Long Script Directory", Home() + "/" + c.longKey);
    ASSERT_TRUE(LoadProgramSettings(false));
    EXPECT_EQ(ScriptDirectory, c.expected);
    ASSERT_TRUE(SaveProgramSettings());
    EXPECT_EQ(Stored("Program Settings", "Script Directory"), c.expected);
    EXPECT_EQ(Stored("Program Settings", "Long Script Directory"), c.expected);
  }
}

TEST_F(ProgramSettingsTest, AMissingScriptFolderIsChosenUntilOneExists) {
  Set("Program Settings", "Long Script Directory", Home() + "/missing");
  const std::string chosen = Home() + "/chosen";
  ForceDirectories(chosen);
  int shown = 0;
  ScriptDirectoryDialog = [&] {
    EXPECT_EQ(Screen->Cursor(), crDefault);
    ScriptDirectory = ++shown == 1 ? Home() + "/still-missing" : chosen;
    return true;
  };
  Screen->SetCursor(5);
  ASSERT_TRUE(LoadProgramSettings(false));
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(ScriptDirectory, chosen);
}

TEST_F(ProgramSettingsTest, GivingUpOnTheScriptFolderEndsLoadingThere) {
  const struct {
    const char* what;
    bool withDialog;
  } cases[] = {{"dialog cancelled", true}, {"no dialog to ask with", false}};
  for (const auto& c : cases) {
    NewMainForm();
    Set("Program Settings", "Long Script Directory", Home() + "/missing");
    Set("Editing Options", "Use QuickType", "0");
    int shown = 0;
    if (c.withDialog)
      ScriptDirectoryDialog = [&] {
        ++shown;
        return false;
      };
    EXPECT_FALSE(LoadProgramSettings(false)) << c.what;
    EXPECT_EQ(shown, c.withDialog ? 1 : 0) << c.what;
    EXPECT_TRUE(MainForm->UseQuickType) << c.what;
    EXPECT_EQ(MainForm->ZoomSize, 0) << c.what;
  }
}

// A script folder on a removable volume that is not mounted asks for its
// disk; once it is in, the folder is the one on that volume.
TEST_F(ProgramSettingsTest, AScriptFolderOnAnUnmountedRemovableVolumeAsksForItsDiskFirst) {
  testing::StandInMounts mounts;
  // The desktop mounts a stick on a folder of its own there, made as it mounts.
  const std::string media = DirectoryExists("/media") ? "/media/qm-no-such-stick" : "/media";
  const std::string door = "The Door for Drive A: is NOT closed \ror the Disk in the drive is invalid!\r\r"
                           "Please close the door or replace the\rdisk and then continue.\r\rShould I retry?";
  const struct {
    std::string folder;
    std::string question;  // "" none
    TModalResult answer;
    bool putIn;       // the volume mounted while the question shows
    bool retryAsked;  // the not-ready question follows, answered Abort
    bool loaded;
    std::string scriptFolder;
  } cases[] = {
      {"a:\\SCRIPTS", "Insert a Disk into Drive A and press OK when ready.", IDCANCEL, false, false, false, ""},
      {"a:\\SCRIPTS", "Insert a Disk into Drive A and press OK when ready.", IDOK, false, true, false, ""},
      {"a:\\SCRIPTS", "Insert a Disk into Drive A and press OK when ready.", IDOK, true, false, true,
       mounts.Folder("STICK") + "/SCRIPTS"},
      {"/media/qm-no-such-stick/Scripts", "Insert a Disk into Drive " + media + " and press OK when ready.", IDCANCEL,
       false, false, false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    mounts.Unmount(mounts.Folder("STICK"));
    NewMainForm();
    Set("Program Settings", "Long Script Directory", c.folder);
    int shown = 0;
    ScriptDirectoryDialog = [&] {
      ++shown;
      return false;
    };
    Driver().Expect([&](TForm& box) {
      EXPECT_EQ(testing::MessageBoxText(box), c.question);
      if (c.putIn) ForceDirectories(mounts.Mount("STICK") + "/SCRIPTS");
      box.ModalResult = c.answer;
    });
    if (c.retryAsked) AnswerQuestion(door, IDABORT);
    EXPECT_EQ(LoadProgramSettings(false), c.loaded);
    EXPECT_EQ(shown, 0);
    if (c.loaded) {
      EXPECT_EQ(ScriptDirectory, c.scriptFolder);
    }
  }
  // A folder on a removable volume that is mounted asks nothing.
  mounts.Mount("STICK");
  NewMainForm();
  Set("Program Settings", "Long Script Directory", "A:\\SCRIPTS");
  EXPECT_TRUE(LoadProgramSettings(false));
  EXPECT_EQ(ScriptDirectory, mounts.Folder("STICK") + "/SCRIPTS");
}

TEST_F(ProgramSettingsTest, RecentScriptsThatAreGoneLeaveTheListAndTheRestMoveUp) {
  const std::string folder = Home() + "/recent/";
  const std::string longFolder = Home() + "/recent/" + std::string(60, 'f') + "/";
  ForceDirectories(longFolder);
  for (const char* name : {"ONE.QMW", "TWO.QMW", "THREE.QMW"}) std::ofstream(folder + name) << "x";
  std::ofstream(longFolder + "A VERY LONG SCRIPT NAME THAT GOES ON AND ON AND ON.QMW") << "x";
  const TLastScript one{"ONE.QMW", folder}, two{"TWO.QMW", folder}, three{"THREE.QMW", folder};
  const TLastScript gone{"GONE.QMW", folder}, floppy{"DISK.QMW", "A:\\SCRIPTS\\"}, empty{};
  const TLastScript longOne{"A VERY LONG SCRIPT NAME THAT GOES ON AND ON AND ON.QMW", longFolder};
  const struct {
    std::array<TLastScript, 3> stored;
    std::array<TLastScript, 3> expected;
  } cases[] = {
      {{gone, two, three}, {two, three, empty}},      {{one, gone, three}, {one, three, empty}},
      {{gone, gone, three}, {three, empty, empty}},   {{empty, empty, three}, {three, empty, empty}},
      {{floppy, gone, two}, {floppy, two, empty}},    {{longOne, one, empty}, {longOne, one, empty}},
      {{empty, empty, empty}, {empty, empty, empty}},
  };
  for (const auto& c : cases) {
    NewMainForm();
    ForgetSettingsFile();
    for (int i = 0; i < 3; ++i) {
      Set("Last Scripts", ("Long " + std::to_string(i + 1)).c_str(), c.stored[i].Name);
      Set("Last Scripts", ("Path " + std::to_string(i + 1)).c_str(), c.stored[i].Folder);
    }
    ASSERT_TRUE(LoadProgramSettings(false));
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(LastScriptsBuffer[i], c.expected[i])
          << "entry " << i + 1 << ": " << LastScriptsBuffer[i].Name << " in " << LastScriptsBuffer[i].Folder;
    ASSERT_TRUE(SaveProgramSettings());
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(Stored("Last Scripts", ("Long " + std::to_string(i + 1)).c_str()), c.expected[i].Name);
      EXPECT_EQ(Stored("Last Scripts", ("Path " + std::to_string(i + 1)).c_str()), c.expected[i].Folder);
    }
  }
}

TEST_F(ProgramSettingsTest, NothingIsSavedBeforeTheSettingsWereLoaded) {
  ASSERT_TRUE(SaveProgramSettings());
  EXPECT_FALSE(FileExists(IniPath()));
  delete MainForm;
  EXPECT_TRUE(SaveProgramSettings());
  EXPECT_FALSE(LoadProgramSettings(false));
  EXPECT_FALSE(FileExists(IniPath()));
}

TEST_F(ProgramSettingsTest, ScreenColorsAreStoredOnlyWhenTheyAreNotTheDesktopsOwn) {
  const struct {
    const char* what;
    const char* useWinColors;
    std::array<const char*, 4> stored;  // null: missing
    TScreenColors loaded;
    std::array<const char*, 4> saved;  // all null: the section is erased
  } cases[] = {
      {"desktop colours in use", "1", {"clRed", "clRed", "clRed", "clRed"}, {}, {}},
      {"own colours",
       "0",
       {"clRed", "$00123456", "CLNAVY", "clWhite"},
       {clRed, 0x123456, clNavy, clWhite},
       {"clRed", "$00123456", "clNavy", "clWhite"}},
      {"none stored", "0", {}, {}, {}},
      {"a damaged colour",
       "0",
       {"purple-ish", "clBlack", nullptr, "$0000FF00"},
       {clWindow, clBlack, clHighlight, clLime},
       {"clWindow", "clBlack", "clHighlight", "clLime"}},
  };
  const char* keys[] = {"Window", "Text", "Highlight", "Highlight Text"};
  for (const auto& c : cases) {
    NewMainForm();
    ForgetSettingsFile();
    Set("Program Options", "Use Win Colors", c.useWinColors);
    for (int i = 0; i < 4; ++i)
      if (c.stored[i]) Set("Screen Colors", keys[i], c.stored[i]);
    ASSERT_TRUE(LoadProgramSettings(false));
    EXPECT_EQ(ScreenColors, c.loaded) << c.what;
    ASSERT_TRUE(SaveProgramSettings());
    EXPECT_EQ(Ini().SectionExists("Screen Colors"), c.saved[0] != nullptr) << c.what;
    for (int i = 0; i < 4; ++i)
      if (c.saved[i]) {
        EXPECT_EQ(Stored("Screen Colors", keys[i]), c.saved[i]) << c.what << " " << keys[i];
      }
  }
}

TEST_F(ProgramSettingsTest, AStoredPrinterIsUsedOnlyWhenItIsStillThere) {
  const struct {
    const char* keepDefault;
    const char* index;
    const char* name;  // null: missing
    int expected;
  } cases[] = {
      {"1", "1", "Second Printer", 1},   {"0", "1", "Second Printer", 0},    {"1", "1", "Other Printer", 0},
      {"1", "5", "Second Printer", 0},   {"1", "-1", "Headless Printer", 0}, {"1", "1", nullptr, 0},
      {"1", "0", "Headless Printer", 0},
  };
  AddSecondPrinter();
  for (const auto& c : cases) {
    NewMainForm();
    ForgetSettingsFile();
    Printer()->SetPrinterIndex(0);
    Set("Printer", "Keep Default", c.keepDefault);
    Set("Printer", "Index", c.index);
    if (c.name) Set("Printer", "Name", c.name);
    ASSERT_TRUE(LoadProgramSettings(false));
    EXPECT_EQ(Printer()->PrinterIndex(), c.expected) << c.keepDefault << " " << c.index << " " << c.name;
  }

  ASSERT_TRUE(SaveProgramSettings());
  EXPECT_EQ(Stored("Printer", "Index"), "0");
  EXPECT_EQ(Stored("Printer", "Name"), "Headless Printer");
  Printer()->SetPrinterIndex(1);
  ASSERT_TRUE(SaveProgramSettings());
  EXPECT_EQ(Stored("Printer", "Index"), "1");
  EXPECT_EQ(Stored("Printer", "Name"), "Second Printer");
}

TEST_F(ProgramSettingsTest, WithoutPrintersNothingIsStoredForThem) {
  Backend().PrinterList().clear();
  Printer()->Refresh();
  Set("Printer", "Keep Default", "1");
  ASSERT_TRUE(LoadProgramSettings(false));
  ASSERT_TRUE(SaveProgramSettings());
  EXPECT_EQ(Stored("Printer", "Index"), std::nullopt);
  EXPECT_EQ(Stored("Printer", "Name"), std::nullopt);
}

TEST_F(ProgramSettingsTest, TheMainWindowsPlaceIsSaved) {
  ASSERT_TRUE(LoadProgramSettings(false));
  MainForm->SetBounds(10, 20, 640, 480);
  ASSERT_TRUE(SaveProgramSettings());
  const std::pair<const char*, const char*> place[] = {
      {"Maximized", "0"}, {"Left", "10"}, {"Top", "20"}, {"Width", "640"}, {"Height", "480"}};
  for (auto [key, value] : place) EXPECT_EQ(Stored("Screen Size", key), value) << key;
  MainForm->WindowState = TWindowState::wsMaximized;
  ASSERT_TRUE(SaveProgramSettings());
  EXPECT_EQ(Stored("Screen Size", "Maximized"), "1");
}

TEST_F(ProgramSettingsTest, AFrozenSettingsFileIsNeverChanged) {
  const std::string frozen = "[Override]\nFreeze INI=1\n[Spelling]\nSentence Spacing=12\n";
  std::ofstream(IniPath(), std::ios::binary) << frozen;
  ASSERT_TRUE(LoadProgramSettings(false));
  EXPECT_EQ(MainForm->SentenceSpacing.size(), 9u);
  EXPECT_TRUE(SaveProgramSettings());
  EXPECT_EQ(Bytes(), frozen);
}

TEST_F(ProgramSettingsTest, ARefusedSaveIsReportedWithoutThrowing) {
  ASSERT_TRUE(LoadProgramSettings(false));
  Set("Spelling", "IgnoreCaps", "1");
  ASSERT_TRUE(SetReadOnly(IniPath(), true));
  std::string error;
  bool saved = true;
  EXPECT_NO_THROW(saved = SaveProgramSettings(&error));
  EXPECT_FALSE(saved);
  EXPECT_EQ(error, "Unable to write to " + IniPath() + ": the file is marked read-only");
  SetReadOnly(IniPath(), false);
  // Shut-down goes on and can still mark the clean exit.
  EXPECT_NO_THROW(Ini().WriteBool("Pending", "Exited Normally", true));
  EXPECT_EQ(Stored("Pending", "Exited Normally"), "1");
}

TEST_F(ProgramSettingsTest, TaggedMenuItemsGetAltLetterShortCuts) {
  // Items of the main menu at two depths, as the menus hold them.
  TMenuItem* top = MainForm->MainMenu->Items()->AddItem("Keys");
  TMenuItem* sub = top->AddItem("More");
  const auto item = [](TMenuItem* parent, const char* caption, int tag, TShortCut shortCut) {
    TMenuItem* made = parent->AddItem(caption, {}, shortCut);
    made->Tag = tag;
    return made;
  };
  TMenuItem* alice = item(top, "alice", AltKeyItemTag, 0);
  TMenuItem* bob = item(sub, "Bob", AltKeyItemTag, 0);
  TMenuItem* other = item(top, "Other", 0, ShortCut(VK_F5, 0));

  Set("Editing Options", "Use AltKeys", "1");
  ASSERT_TRUE(LoadProgramSettings(false));
  EXPECT_EQ(alice->ShortCut(), ShortCut('A', ssAlt));
  EXPECT_EQ(bob->ShortCut(), ShortCut('B', ssAlt));
  EXPECT_EQ(other->ShortCut(), ShortCut(VK_F5, 0));

  MainForm->UseAltKeys = false;
  ASSERT_TRUE(SaveProgramSettings());
  EXPECT_EQ(alice->ShortCut(), 0);
  EXPECT_EQ(bob->ShortCut(), 0);
  EXPECT_EQ(other->ShortCut(), ShortCut(VK_F5, 0));
}

TEST_F(ProgramSettingsTest, DeletionKeyCodesGiveTheirShortCuts) {
  const TShortCut before = ShortCut(VK_F9, 0);
  const struct {
    Byte code;
    TShortCut expected;
  } cases[] = {
      {0, 0},
      {1, ShortCut(VK_DELETE, ssCtrl)},
      {2, ShortCut(VK_DELETE, ssAlt)},
      {3, ShortCut(VK_BACK, ssCtrl)},
      {4, ShortCut(VK_HOME, ssCtrl)},
      {5, ShortCut(VK_HOME, ssAlt)},
      {6, ShortCut(VK_END, ssCtrl)},
      {7, ShortCut(VK_END, ssAlt)},
      {8, before},
      {255, before},
  };
  for (const auto& c : cases) {
    TMenuItem item(nullptr);
    item.ShortCut = before;
    SetDeleteKeyShortCut(item, c.code);
    EXPECT_EQ(item.ShortCut(), c.expected) << int(c.code);
  }
}

TEST_F(ProgramSettingsTest, ChoosingAnotherPrinterAsksWhetherToKeepIt) {
  AddSecondPrinter();
  const struct {
    int chosen;
    std::optional<TModalResult> answer;  // none: no question
    bool readOnly;
    std::optional<std::string> stored;
  } cases[] = {{1, IDYES, false, "1"},
               {0, IDNO, false, "0"},
               {0, std::nullopt, false, std::nullopt},
               {1, IDYES, true, "0"}};  // the answer cannot be stored: reported, the old one stays
  for (const auto& c : cases) {
    ForgetSettingsFile();
    if (c.readOnly) {
      Set("Printer", "Keep Default", "0");
      ASSERT_TRUE(SetReadOnly(IniPath(), true));
    }
    if (c.answer)
      AnswerQuestion("Should I always use the currently Selected Printer in place of the Windows default printer?",
                     *c.answer);
    EXPECT_EQ(AskKeepSelectedPrinter([&] { Printer()->SetPrinterIndex(c.chosen); }), !c.readOnly) << c.chosen;
    SetReadOnly(IniPath(), false);
    EXPECT_EQ(Stored("Printer", "Keep Default"), c.stored) << c.chosen;
  }
}

}  // namespace
}  // namespace qm
