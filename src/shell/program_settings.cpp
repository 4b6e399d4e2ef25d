#include "shell/program_settings.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <limits>

#include "platform/cp1252.h"
#include "script/model/standard_formats.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/office_button.h"
#include "platform/profile.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "files/disk_utils.h"
#include "platform/printer.h"
#include "base/global_state.h"
#include "base/ini_file.h"
#include "base/option_keys.h"
#include "shell/main_form.h"
#include "shell/right_panel.h"
#include "shell/display_options.h"
#include "shell/key_overrides.h"
#include "shell/settings_keys.h"
#include "shell/status_line.h"
#include "shell/tool_bar.h"
#include "story/runtime_player.h"

namespace qm {

std::function<bool()> ScriptDirectoryDialog;

namespace {

const GlobalState reset([] { ScriptDirectoryDialog = nullptr; });

// ---- Sections ----------------------------------------------------------------

constexpr const char* ProgramSettingsSection = "Program Settings";
constexpr const char* SaveRetrieveSection = "Save/Retrieve";
constexpr const char* InteractiveSection = "Interactive";
constexpr const char* EditingSection = "Editing Options";
constexpr const char* PrintingSection = "Printing Options";
constexpr const char* AnimationSection = "Animation Options";
constexpr const char* SmartCheckSection = "SmartCheck";
constexpr const char* DisplaySection = "Display Settings";
constexpr const char* SpellingSection = "Spelling";
constexpr const char* RevisionSection = "Revision Options";
constexpr const char* LastScriptsSection = "Last Scripts";
constexpr const char* KeyboardSection = "KeyBoard Layout";
constexpr const char* ProgramOptionsSection = "Program Options";
constexpr const char* ScreenColorsSection = "Screen Colors";
constexpr const char* OverrideKeysSection = "Override Keys";

// ---- Keys that map one to one onto a place -------------------------------------

using Options = TProgramOptions;
using Key = OptionKey<Options>;

// Numbers beyond what a field holds stop at its limits instead of wrapping.
template <typename T>
T ClampTo(int value) {
  return static_cast<T>(std::clamp<int>(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

// The groups below follow the order in which loading reads them.

const Key StartupKeys[] = {
    Key::Number(ProgramSettingsSection, "Startup Choice", &Options::StartupChoice, 0),
    Key::Flag(ProgramSettingsSection, "Autogenerate File Names", &Options::AutogenerateFileNames, true),
    Key::Number(ProgramSettingsSection, "Autosave Interval", &AutosaveInterval, 15),
    Key::NotWritten(Key::Flag(ProgramSettingsSection, "Backup Prompt", &Options::BackupPrompt, true)),
    Key::Number(ProgramSettingsSection, "Pagination Delay", &Options::PaginationDelay, 10),
    Key::Flag(ProgramSettingsSection, "No Auto Pagination", &Options::NoAutoPagination, false),
};

const Key InteractiveKeys[] = {
    Key::Flag(InteractiveSection, "Smart Arrows", &Options::SmartArrows, true),
    Key::Flag(InteractiveSection, "Auto Variable Input", &Options::AutoVariableInput, true),
    Key::Flag(InteractiveSection, "Each Jump Position on New Page", &Options::EachJumpPositionOnNewPage, false),
    Key::Flag(InteractiveSection, "Print Reference Pg Numbers", &Options::PrintReferencePgNumbers, true),
};

const Key MouseKeys[] = {
    Key::Flag(ProgramSettingsSection, "Allow Menu To Move Mouse", &Options::AllowMenuToMoveMouse, false),
    Key::Flag(ProgramSettingsSection, "Mouse Click Kills Block", &Options::MouseClickKillsBlock, true),
    Key::Flag(ProgramSettingsSection, "Stay for Block", &Options::StayForBlock, false),
    Key::Flag(ProgramSettingsSection, "Move to Right Click", &Options::MoveToRightClick, false),
    Key::Flag(ProgramSettingsSection, "Select On Mouse Up", &Options::SelectOnMouseUp, false),
    Key::Flag(ProgramSettingsSection, "Use PowerPanel", &Options::UsePowerPanel, true),
    Key::Flag(ProgramSettingsSection, "Mouse Menu", &MouseMenu, true),
    Key::Text(ProgramSettingsSection, "Script Extension", &ScriptExtension, "QMW", 255),
};

const Key EditingAltKeys[] = {
    Key::Flag(EditingSection, "Proprietary Format Only", &ProprietaryFormatOnly, false),
    Key::Flag(EditingSection, "Show Cut/Paste Progress", &Options::ShowCutPasteProgress, false),
    Key::Flag(EditingSection, "Strip Known Times Only", &Options::StripKnownTimesOnly, false),
    Key::Flag(EditingSection, "Show Retrieve Progress", &Options::ShowRetrieveProgress, true),
    Key::Flag(EditingSection, "Use SmartTab", &Options::UseSmartTab, true),
    Key::Flag(EditingSection, "Use SmartTabPlus", &Options::UseSmartTabPlus, false),
    Key::Flag(EditingSection, "Use AltKeys", &Options::UseAltKeys, false),
    Key::Flag(EditingSection, "Use Ultimate AltKeys", &Options::UseUltimateAltKeys, true),
};

const Key EditingQuickTypeKeys[] = {
    Key::Flag(EditingSection, "Use QuickType", &Options::UseQuickType, true),
    Key::Flag(EditingSection, "Display Char Name List", &Options::DisplayCharNameList, true),
    Key::FlagFollowing(EditingSection, "AutoAddTimeDay", &Options::AutoAddTimeDay, &Options::UseQuickType),
    Key::Flag(EditingSection, "AutoAddSceneBody", &Options::AutoAddSceneBody, true),
    Key::FlagFollowing(EditingSection, "Keep Running Transitions", &Options::KeepRunningTransitions,
                       &Options::UseQuickType),
    Key::Flag(EditingSection, "Keep Running Extensions", &Options::KeepRunningExtensions, false),
    Key::FlagFollowing(EditingSection, "Keep Running Shots", &Options::KeepRunningShots, &Options::UseQuickType),
    Key::Flag(EditingSection, "Hide Mouse", &Options::HideMouse, true),
    Key::Flag(EditingSection, "Password Protect", &Options::PasswordProtect, false),
    Key::Flag(EditingSection, "Allow Typeover", &Options::AllowTypeover, true),
    Key::Flag(EditingSection, "Allow Text Mode", &Options::AllowTextMode, true),
};

const Key PrintingKeys[] = {
    Key::Text(PrintingSection, "Substitute Font", &Options::SubstituteFont, "Courier Old", 100),
    Key::Text(PrintingSection, "Display Font", &Options::DisplayFont, "Courier New", 100),
    Key::Text(PrintingSection, "Fax Modem Name", &Options::FaxModemName, "", 100),
    Key::Number(PrintingSection, "Print Direction", &PrintDirection, 0),
    Key::Number(PrintingSection, "Darken Courier New", &Options::DarkenCourierNew, 1),
    Key::Flag(PrintingSection, "Print Final More", &Options::PrintFinalMore, false),
    Key::Flag(PrintingSection, "Print Colored Text", &Options::PrintColoredText, true),
    Key::Flag(PrintingSection, "Always Compress QPress Files", &Options::AlwaysCompressQPressFiles, false),
    Key::Flag(PrintingSection, "Print Entire Scene Pages", &Options::PrintEntireScenePages, false),
};

const Key AnimationKeys[] = {
    Key::NotWritten(Key::Flag(AnimationSection, "Bracket Dia Numbering", &BracketDialogueNumbers, true)),
};

const Key SmartCheckKeys[] = {
    Key::Flag(SmartCheckSection, "Auto-Run", &Options::SmartCheckAutoRun, true),
    Key::Flag(SmartCheckSection, "Blank Space", &Options::SmartCheckBlankSpace, true),
    Key::Flag(SmartCheckSection, "Blank Element", &Options::SmartCheckBlankElement, true),
    Key::Flag(SmartCheckSection, "No Dialogue", &Options::SmartCheckNoDialogue, true),
    Key::Flag(SmartCheckSection, "Second Name", &Options::SmartCheckSecondName, true),
    Key::Flag(SmartCheckSection, "Require Matched Extensions", &Options::SmartCheckRequireMatchedExtensions, false),
    Key::Flag(SmartCheckSection, "Beep On Error", &Options::SmartCheckBeepOnError, true),
    Key::Flag(SmartCheckSection, "Ignore Blanks With Revision Mark", &Options::SmartCheckIgnoreBlanksWithRevisionMark,
              true),
    Key::Flag(SmartCheckSection, "Find Widowed Omitteds", &Options::SmartCheckFindWidowedOmitteds, true),
};

const Key BottomContinuedKeys[] = {
    Key::Flag(PrintingSection, "Bottom Continued", &Options::BottomContinued, true),
};

const Key ExpertKeys[] = {
    Key::Flag(ProgramSettingsSection, "Expert Prompting", &Options::ExpertPrompting, false),
    Key::Flag(ProgramSettingsSection, "Allow Page Break At Elipses", &AllowPageBreakAtElipses, false),
};

const Key EditingMouseKeys[] = {
    Key::Flag(EditingSection, "Drag and Drop Break", &Options::DragAndDropBreak, true),
    Key::Flag(EditingSection, "Mouse Blocks by Words", &Options::MouseBlocksByWords, true),
    Key::Flag(EditingSection, "Mouse Block Start Word", &Options::MouseBlockStartWord, false),
    Key::Flag(EditingSection, "Format Kills Block", &Options::FormatKillsBlock, true),
    Key::Flag(EditingSection, "Enter to Character Name", &Options::EnterToCharacterName, false),
    Key::Flag(EditingSection, "Enter in Note is HR", &Options::EnterInNoteIsHR, false),
    Key::Flag(EditingSection, "Tab to Parenth", &Options::TabToParenth, false),
    Key::Flag(EditingSection, "Skip Name Hide", &Options::SkipNameHide, true),
};

const Key DisplayHeadersKeys[] = {
    Key::Flag(DisplaySection, "Display Headers", &Options::DisplayHeaders, true),
};

const Key RightScrollKeys[] = {
    Key::Flag(ProgramSettingsSection, "Right Scroll By Screen", &Options::RightScrollByScreen, true),
};

const Key PageBreakTypeKeys[] = {
    Key::Flag(DisplaySection, "Display Page Break Type", &DisplayPageBreakType, true),
};

// "Sentence Spacing" is read and written on its own: the file holds a count.
const Key SpellingKeys[] = {
    Key::Number(SpellingSection, "Default Language", &Options::DefaultLanguage, 1),
    Key::Flag(SpellingSection, "Real-Time Spell Check", &Options::RealTimeSpellCheck, true),
    Key::Flag(SpellingSection, "Real-Time Autocorect", &Options::RealTimeAutocorrect, true),
    Key::Number(SpellingSection, "Autocorect Max Length", &Options::AutocorrectMaxLength, 25),
    Key::Flag(SpellingSection, "Correct MIstakes", &Options::CorrectMistakes, true),
    Key::Flag(SpellingSection, "Allow Swears in Thesaurus", &Options::AllowSwearsInThesaurus, false),
    Key::Flag(SpellingSection, "Name Capitalization", &Options::NameCapitalization, false),
    Key::Flag(SpellingSection, "All Cap Names", &AllCapNames, false),
    Key::Flag(SpellingSection, "Sentence Capitalization", &Options::SentenceCapitalization, true),
    Key::Flag(SpellingSection, "Right Parenths is Sentence End", &Options::RightParenthsIsSentenceEnd, false),
    Key::Flag(SpellingSection, "Capitalize after Shots", &Options::CapitalizeAfterShots, false),
    Key::Flag(SpellingSection, "AutoSentence Spacing", &Options::AutoSentenceSpacing, true),
    Key::Flag(SpellingSection, "Prompt on Multiples", &Options::PromptOnMultiples, true),
    Key::Flag(SpellingSection, "Beep On Unknown", &Options::BeepOnUnknown, true),
    Key::Flag(SpellingSection, "NonRealTimeCorrection", &Options::NonRealTimeCorrection, true),
    Key::Flag(SpellingSection, "IgnoreCaps", &Options::IgnoreCaps, true),
};

const Key ControlSKeys[] = {
    Key::Flag(ProgramSettingsSection, "Control S is Save", &Options::ControlSIsSave, false),
};

const Key RevisionKeys[] = {
    Key::Flag(RevisionSection, "Print After Threshold", &Options::PrintAfterThreshold, true),
    Key::Flag(RevisionSection, "Use Revision Threshhold", &Options::UseRevisionThreshold, true),
    Key::Flag(RevisionSection, "Use Plain Asterisk", &Options::UsePlainAsterisk, false),
    Key::Flag(RevisionSection, "Asterisk New A-Pages", &Options::AsteriskNewAPages, false),
    Key::Flag(RevisionSection, "Put Asterisk On Line Under Header", &Options::PutAsteriskOnLineUnderHeader, false),
    Key::Flag(RevisionSection, "Mark All Cuts", &Options::MarkAllCuts, true),
    Key::Number(RevisionSection, "Revision Threshold", &Options::RevisionThreshold, 15),
    Key::Flag(RevisionSection, "Combine Omitted Pages", &Options::CombineOmittedPages, true),
    Key::Flag(RevisionSection, "Auto Update Headers", &Options::AutoUpdateHeaders, true),
    Key::Flag(RevisionSection, "Show Colored Pages", &Options::ShowColoredPages, true),
    Key::Flag(RevisionSection, "Count APage Continued", &Options::CountAPageContinued, true),
};

const Key BookmarkKeys[] = {
    Key::Flag(ProgramSettingsSection, "Start At Bookmark", &Options::StartAtBookmark, true),
    Key::Flag(ProgramSettingsSection, "Color As Background", &Options::ColorAsBackground, false),
};

const Key KeyboardKeys[] = {
    Key::Number(KeyboardSection, "Goto Top", &Options::GotoTopKeys, 3),
    Key::Number(KeyboardSection, "Goto Bottom", &Options::GotoBottomKeys, 3),
    Key::Number(KeyboardSection, "Delete Word", &Options::DeleteWordKeys, 1),
    Key::Number(KeyboardSection, "Delete Left Word", &Options::DeleteLeftWordKeys, 3),
    Key::Number(KeyboardSection, "Delete To Eol", &Options::DeleteToEolKeys, 6),
    Key::Flag(KeyboardSection, "Ctrl Key Cut/Paste", &Options::CtrlKeyCutPaste, false),
};

const Key ProducerHelpKeys[] = {
    Key::NotWritten(Key::Flag("Producer Help", "Offer", &JokeyPrompts, true)),
};

// ---- Keys with rules of their own ------------------------------------------------

// A file the previous run meant to delete. The settings file is text
// that anything may have written, so only a temporary file of ours goes:
// by its name, in the runtime or the settings folder. A settings file that
// cannot be written must not stop start-up: the name is then simply tried
// again.
void DeleteLeftOverTempFile(TIniFile& ini) {
  const std::string name = ini.ReadString("Pending", "Temp File", "");
  if (!story::IsPlayerTempName(ExtractFileName(name)) ||
      !DeleteOwnFileIn(name, {RuntimeFolder(), ExtractFileDir(SettingsFilePath())}))
    return;
  try {
    ini.WriteString("Pending", "Temp File", "");
  } catch (const EIniFileError&) {
  }
}

// A folder on a removable volume (a path on drive A or B among them) may
// simply have its disk out.
bool OnFloppyDrive(const std::string& path) { return !path.empty() && DriveOf(path).Kind == DriveKind::Removable; }

bool ScriptDirectoryUsable() { return ScriptDirectory.size() >= 2 && DirectoryExistsOnDrive(ScriptDirectory); }

// A folder on a removable volume that is not mounted asks for its disk;
// a folder that is not there is chosen in the script-directory dialog
// until one is, or the user gives up.
bool EnsureScriptDirectory() {
  const TDrive drive = DriveOf(ScriptDirectory);
  if (drive.Kind == DriveKind::Removable && !drive.Mounted) {
    const std::string name = drive.Name.ends_with(':') ? drive.Name.substr(0, drive.Name.size() - 1) : drive.Name;
    if (!AskOkCancel("Insert a Disk into Drive " + name + " and press OK when ready.", "")) return false;
    if (!EnsureDriveReady(ScriptDirectory)) return false;
  }
  // A folder an old file names on drive A or B is that folder on its volume.
  if (const std::string here = PathOnDrive(ScriptDirectory); DriveOf(ScriptDirectory).Mounted && !here.empty())
    ScriptDirectory = ExcludeTrailingPathDelimiter(here);
  while (!ScriptDirectoryUsable()) {
    if (!ScriptDirectoryDialog) return false;
    Screen->SetCursor(crDefault);
    if (!ScriptDirectoryDialog()) return false;
  }
  return true;
}

// The program's own folder is not the user's to write in, so new scripts
// go to a folder of the user's (QUILLMASTER_HOME's when it is set).
std::string DefaultScriptDirectory() {
  if (const char* home = std::getenv("QUILLMASTER_HOME"); home && *home) return JoinPath(home, "Scripts");
  const std::string documents = JoinPath(HomeFolder(), "Documents");
  return JoinPath(DirectoryExists(documents) ? documents : HomeFolder(), "Quillmaster Scripts");
}

bool ReadFolders(TIniFile& ini, Options& o) {
  ProgramDirectory = IncludeTrailingPathDelimiter(LongPathName(ProgramFolder()));
  const std::string fallback = DefaultScriptDirectory();
  const std::string folder = ini.ReadString(ProgramSettingsSection, "Script Directory", fallback);
  ScriptDirectory = ini.ReadString(ProgramSettingsSection, "Long Script Directory", folder);
  if (!ScriptDirectory.empty() && ScriptDirectory.back() == '/') ScriptDirectory.pop_back();
  if (ScriptDirectory == fallback) ForceDirectories(ScriptDirectory);
  if (!EnsureScriptDirectory()) return false;
  o.UseLastDir = ini.ReadBool(ProgramSettingsSection, "Use Last Dir", false);
  return true;
}

void WriteFolders(TIniFile& ini, const Options& o) {
  ini.WriteString(ProgramSettingsSection, "Script Directory", LongPathName(ScriptDirectory));
  ini.WriteString(ProgramSettingsSection, "Long Script Directory", ScriptDirectory);
  ini.WriteBool(ProgramSettingsSection, "Use Last Dir", o.UseLastDir);
}

// The backup drive is the folder its volume is mounted on, or a letter: A
// or B for the first or second removable volume, as an old file or the
// old drive flag gives it.
void ReadBackupDrive(const TIniFile& ini, bool reload) {
  FloppyBackup = ini.ReadBool(SaveRetrieveSection, "Floppy Backup", true);
  std::string drive;
  if (!reload && !ini.ReadString(SaveRetrieveSection, "Backup Drive", "").empty())
    drive = ini.ReadString(SaveRetrieveSection, "Backup Drive", "A");
  else drive = ini.ReadBool(SaveRetrieveSection, "Drive A:", false) ? "B" : "A";
  BackupDrive = drive.size() == 1 || drive.starts_with('/') ? drive : "A";
}

void WriteBackupDrive(TIniFile& ini) {
  ini.WriteBool(SaveRetrieveSection, "Floppy Backup", FloppyBackup);
  ini.WriteString(SaveRetrieveSection, "Backup Drive", BackupDrive);
}

void ReadZoom(const TIniFile& ini, Options& o) {
  const int screenDefault = Screen->Width() == 800 ? 90 : 75;
  const int zoom = ini.ReadInteger(ProgramSettingsSection, "Zoom Size", screenDefault);
  o.ZoomSize = static_cast<Word>(zoom < 50 || zoom > 150 ? 90 : zoom);
}

void ReadSpeechNumberFlag(const TIniFile& ini) {
  SpeechNumberFlag = static_cast<Byte>(ClampTo<Byte>(ini.ReadInteger(AnimationSection, "Speech Num Pos", 0)) ^ 1);
}

constexpr int MaxSentenceBlanks = 9;

void SetSentenceSpacing(Options& o, int count) {
  if (count == 0) count = 2;
  o.SentenceSpacing.assign(static_cast<std::size_t>(std::clamp(count, 0, MaxSentenceBlanks)), ' ');
}

std::string Numbered(const char* key, int number) { return key + std::to_string(number); }

void ReadLastScripts(const TIniFile& ini) {
  for (int i = 0; i < LastScriptCount; ++i) {
    LastScriptsBuffer[i].Name = ini.ReadString(LastScriptsSection, Numbered("Long ", i + 1), "");
    LastScriptsBuffer[i].Folder = ini.ReadString(LastScriptsSection, Numbered("Path ", i + 1), "");
  }
}

void WriteLastScripts(TIniFile& ini) {
  for (int i = 0; i < LastScriptCount; ++i) {
    ini.WriteString(LastScriptsSection, Numbered("Long ", i + 1), LastScriptsBuffer[i].Name);
    ini.WriteString(LastScriptsSection, Numbered("Path ", i + 1), LastScriptsBuffer[i].Folder);
  }
}

// Scripts that are gone leave the list, except those on removable disks,
// which may simply not be inserted; the rest move up to close the gaps.
void CleanUpLastScripts() {
  for (TLastScript& entry : LastScriptsBuffer)
    if (!entry.Empty() && !OnFloppyDrive(entry.Folder) && !FileExists(entry.FullName())) entry.Clear();
  for (int pass = 0; pass < LastScriptCount; ++pass)
    for (int i = 0; i + 1 < LastScriptCount; ++i)
      if (LastScriptsBuffer[i].Empty()) {
        LastScriptsBuffer[i] = LastScriptsBuffer[i + 1];
        LastScriptsBuffer[i + 1].Clear();
      }
}

// A stored printer is used instead of the desktop's default one only when
// it is still there under the same name at the same place.
void SelectStoredPrinter(const TIniFile& ini) {
  TPrinter& printer = *Printer();
  const TStringList& names = printer.Printers();
  if (names.Count() == 0) return;
  const int current = printer.PrinterIndex();
  const std::string currentName = current >= 0 ? names[current] : std::string();
  const TStoredPrinter stored = ReadStoredPrinter(ini, currentName);
  if (!stored.KeepDefault) return;
  const int index = stored.Index;
  if (index != current && index >= 0 && index < names.Count() && names[index] == stored.Name)
    printer.SetPrinterIndex(index);
}

void WritePrinter(TIniFile& ini) {
  TPrinter& printer = *Printer();
  const TStringList& names = printer.Printers();
  const int index = printer.PrinterIndex();
  if (names.Count() == 0 || index < 0) return;
  TStoredPrinter stored;
  stored.Index = index;
  stored.Name = names[index];
  WriteOptionKeys(ini, stored, StoredPrinterKeys);
}

// ---- Colours by the class library's names ------------------------------------

struct ColorName {
  TColor color;
  const char* name;
};

constexpr TColor SystemColor(int index) { return clSystemColor | index; }

constexpr ColorName ColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {SystemColor(0), "clScrollBar"},
    {SystemColor(1), "clBackground"},
    {SystemColor(2), "clActiveCaption"},
    {SystemColor(3), "clInactiveCaption"},
    {SystemColor(4), "clMenu"},
    {SystemColor(5), "clWindow"},
    {SystemColor(6), "clWindowFrame"},
    {SystemColor(7), "clMenuText"},
    {SystemColor(8), "clWindowText"},
    {SystemColor(9), "clCaptionText"},
    {SystemColor(10), "clActiveBorder"},
    {SystemColor(11), "clInactiveBorder"},
    {SystemColor(12), "clAppWorkSpace"},
    {SystemColor(13), "clHighlight"},
    {SystemColor(14), "clHighlightText"},
    {SystemColor(15), "clBtnFace"},
    {SystemColor(16), "clBtnShadow"},
    {SystemColor(17), "clGrayText"},
    {SystemColor(18), "clBtnText"},
    {SystemColor(19), "clInactiveCaptionText"},
    {SystemColor(20), "clBtnHighlight"},
    {SystemColor(21), "cl3DDkShadow"},
    {SystemColor(22), "cl3DLight"},
    {SystemColor(23), "clInfoText"},
    {SystemColor(24), "clInfoBk"},
    {clNone, "clNone"},
};

std::string ColorToString(TColor color) {
  for (const ColorName& c : ColorNames)
    if (c.color == color) return c.name;
  static const char digits[] = "0123456789ABCDEF";
  std::string text = "$";
  for (int shift = 28; shift >= 0; shift -= 4) text += digits[(static_cast<std::uint32_t>(color) >> shift) & 0xF];
  return text;
}

// A text that is neither a colour name nor a number gives the fallback.
TColor StringToColor(const std::string& text, TColor fallback) {
  for (const ColorName& c : ColorNames)
    if (SameText(text, c.name)) return c.color;
  return ParseNumber(text).value_or(fallback);
}

struct ScreenColorKey {
  const char* key;
  TColor TScreenColors::*color;
};
constexpr ScreenColorKey ScreenColorKeys[] = {
    {"Window", &TScreenColors::Window},
    {"Text", &TScreenColors::Text},
    {"Highlight", &TScreenColors::Highlight},
    {"Highlight Text", &TScreenColors::HighlightText},
};

void ReadScreenColors(const TIniFile& ini) {
  UseWinColors = ini.ReadBool(ProgramOptionsSection, "Use Win Colors", true);
  if (UseWinColors) return;
  const TScreenColors system{};
  for (const ScreenColorKey& k : ScreenColorKeys) {
    const TColor fallback = system.*k.color;
    ScreenColors.*k.color =
        StringToColor(ini.ReadString(ScreenColorsSection, k.key, ColorToString(fallback)), fallback);
  }
}

// Colours that are the desktop's own are not stored at all.
void WriteScreenColors(TIniFile& ini) {
  ini.WriteBool(ProgramOptionsSection, "Use Win Colors", UseWinColors);
  if (UseWinColors || ScreenColors == TScreenColors{}) {
    ini.EraseSection(ScreenColorsSection);
    return;
  }
  for (const ScreenColorKey& k : ScreenColorKeys)
    ini.WriteString(ScreenColorsSection, k.key, ColorToString(ScreenColors.*k.color));
}

void ReadOverrideKeys(const TIniFile& ini, Options& o) {
  for (int i = 0; i < KeyOverrideCount; ++i)
    o.KeyOverrideTable[i] = ClampTo<Word>(ini.ReadInteger(OverrideKeysSection, std::to_string(i), 0));
}

void WriteOverrideKeys(TIniFile& ini, const Options& o) {
  for (int i = 0; i < KeyOverrideCount; ++i)
    ini.WriteInteger(OverrideKeysSection, std::to_string(i), o.KeyOverrideTable[i]);
}

void WriteScreenSize(TIniFile& ini, const TMainForm& form) {
  const TScreenPlace place{form.WindowState == TWindowState::wsMaximized, form.Left, form.Top, form.Width, form.Height};
  WriteOptionKey(ini, place, ScreenMaximizedKey);
  WriteOptionKeys(ini, place, ScreenBoundsKeys);
}

// ---- The whole load and save -----------------------------------------------------

bool ReadProgramSettings(TIniFile& ini, TMainForm& o, bool reload) {
  if (!reload) {
    DeleteLeftOverTempFile(ini);
    if (!ReadFolders(ini, o)) return false;
  }
  ReadBackupDrive(ini, reload);
  ReadOptionKeys(ini, o, StartupKeys);
  ReadZoom(ini, o);

  ReadOptionKeys(ini, o, InteractiveKeys);
  ReadOptionKeys(ini, o, MouseKeys);
  ReadOptionKeys(ini, o, EditingAltKeys);
  SetAltKeyShortCuts(o.UseAltKeys);
  ReadOptionKeys(ini, o, EditingQuickTypeKeys);
  o.StatusLine().StyleInsertPrompt();
  ReadOptionKeys(ini, o, PrintingKeys);
  ReadOptionKeys(ini, o, AnimationKeys);
  ReadSpeechNumberFlag(ini);
  ReadOptionKeys(ini, o, SmartCheckKeys);
  ReadOptionKeys(ini, o, BottomContinuedKeys);

  ReadOptionKeys(ini, o, ExpertKeys);
  ReadOptionKeys(ini, o, EditingMouseKeys);
  ReadOptionKeys(ini, o, DisplayHeadersKeys);
  ReadOptionKeys(ini, o, RightScrollKeys);
  o.RightPanel().ShowScrollHint(false);

  ReadOptionKeys(ini, o, PageBreakTypeKeys);
  ReadOptionKeys(ini, o, SpellingKeys);
  const int sentenceBlanks = ini.ReadInteger(SpellingSection, "Sentence Spacing", 2);
  ReadOptionKeys(ini, o, ControlSKeys);
  ReadOptionKeys(ini, o, RevisionKeys);
  ReadOptionKeys(ini, o, BookmarkKeys);
  if (!reload) {
    ReadLastScripts(ini);
    CleanUpLastScripts();
  }
  SetSentenceSpacing(o, sentenceBlanks);

  ReadOptionKeys(ini, o, KeyboardKeys);
  ApplyKeyboardLayout(o);
  ReadOptionKeys(ini, o, ProducerHelpKeys);
  SelectStoredPrinter(ini);
  ReadScreenColors(ini);
  ReadOverrideKeys(ini, o);
  ApplyKeyOverrides();
  ReadDisplayOptions(ini);
  return true;
}

void WriteProgramSettings(TIniFile& ini, const TMainForm& o) {
  WriteOverrideKeys(ini, o);
  WriteScreenSize(ini, o);
  WriteBackupDrive(ini);
  WriteFolders(ini, o);
  WriteOptionKeys(ini, o, StartupKeys);
  ini.WriteInteger(ProgramSettingsSection, "Zoom Size", o.ZoomSize);
  WriteOptionKeys(ini, o, MouseKeys);
  WriteOptionKeys(ini, o, InteractiveKeys);
  WriteOptionKeys(ini, o, EditingAltKeys);
  SetAltKeyShortCuts(o.UseAltKeys);
  WriteOptionKeys(ini, o, EditingQuickTypeKeys);
  WriteOptionKeys(ini, o, EditingMouseKeys);
  WriteOptionKeys(ini, o, PrintingKeys);
  WriteOptionKeys(ini, o, BottomContinuedKeys);
  WriteOptionKeys(ini, o, ExpertKeys);
  WriteOptionKeys(ini, o, RightScrollKeys);
  WriteOptionKeys(ini, o, DisplayHeadersKeys);
  WriteOptionKeys(ini, o, PageBreakTypeKeys);
  WriteOptionKeys(ini, o, SpellingKeys);
  ini.WriteInteger(SpellingSection, "Sentence Spacing", static_cast<int>(o.SentenceSpacing.size()));
  WriteOptionKeys(ini, o, ControlSKeys);
  WriteOptionKeys(ini, o, BookmarkKeys);
  WriteOptionKeys(ini, o, SmartCheckKeys);
  WriteLastScripts(ini);
  WriteOptionKeys(ini, o, RevisionKeys);
  WriteOptionKeys(ini, o, KeyboardKeys);
  if (MainForm) ini.WriteBool("Menu Bar", "Two Rows", MainForm->ToolBar().TwoRows());
  WriteDisplayOptions(ini);
  WritePrinter(ini);
  WriteScreenColors(ini);
}

}  // namespace

bool LoadProgramSettings(bool reload) {
  if (MainForm == nullptr) return false;
  if (!reload) SetPageBreakFormats();
  TIniFile ini = OpenSettingsFile();
  const bool loaded = ReadProgramSettings(ini, *MainForm, reload);
  BuildPromptTable(JokeyPrompts);
  return loaded;
}

bool SaveLastScripts(std::string* error) {
  try {
    TIniFile ini = OpenSettingsFile();
    WriteLastScripts(ini);
    return true;
  } catch (const EIniFileError& e) {
    if (error) *error = e.what();
    return false;
  }
}

bool SaveProgramSettings(std::string* error) {
  if (MainForm == nullptr || MainForm->ZoomSize == 0) return true;
  try {
    TIniFile ini = OpenSettingsFile();
    ProfileWriteBatch batch(ini.FileName());
    WriteProgramSettings(ini, *MainForm);
    MainForm->RightPanel().ShowScrollHint(true);
    if (batch.Commit()) return true;
    throw EIniFileError(ini.FileName());
  } catch (const EIniFileError& e) {
    if (error) *error = e.what();
    return false;
  }
}

bool AskKeepSelectedPrinter(const std::function<void()>& runPrinterSetup) {
  TPrinter& printer = *Printer();
  const int before = printer.PrinterIndex();
  if (runPrinterSetup) runPrinterSetup();
  if (printer.PrinterIndex() == before) return true;
  const bool keep =
      AskYesNo("Should I always use the currently Selected Printer in place of the Windows default printer?",
               PromptTable(4), true);
  try {
    TIniFile ini = OpenSettingsFile();
    TStoredPrinter stored;
    stored.KeepDefault = keep;
    WriteOptionKey(ini, stored, KeepPrinterKey);
    return true;
  } catch (const EIniFileError&) {
    return false;
  }
}

namespace {

// Menu items belong to the item above them, not to the form, so the
// tagged ones are found by walking the menu tree.
void SetAltKeyShortCutsBelow(TMenuItem& parent, bool enable) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem& item = *parent.Items(i);
    SetAltKeyShortCutsBelow(item, enable);
    if (item.Tag != AltKeyItemTag) continue;
    const std::string& caption = item.Caption();
    const Byte letter = caption.empty() ? 0 : AnsiUpper(static_cast<Byte>(caption[0]));
    item.ShortCut = enable && letter != 0 ? ShortCut(letter, ssAlt) : TShortCut{0};
  }
}

}  // namespace

void SetAltKeyShortCuts(bool enable) {
  if (MainForm == nullptr || MainForm->MainMenu == nullptr) return;
  SetAltKeyShortCutsBelow(*MainForm->MainMenu->Items(), enable);
  if (MainForm->AltKeysMenu) MainForm->SetupMenuCaptions();
}

void SetDeleteKeyShortCut(TMenuItem& item, Byte code) {
  struct Key {
    Word key;
    TShiftFlag shift;
  };
  static constexpr Key keys[] = {{VK_DELETE, ssCtrl}, {VK_DELETE, ssAlt}, {VK_BACK, ssCtrl}, {VK_HOME, ssCtrl},
                                 {VK_HOME, ssAlt},    {VK_END, ssCtrl},   {VK_END, ssAlt}};
  if (code == 0) item.ShortCut = TShortCut{0};
  else if (static_cast<std::size_t>(code) <= std::size(keys))
    item.ShortCut = ShortCut(keys[code - 1].key, keys[code - 1].shift);
}

namespace {

// The Goto Top or Bottom item and its hidden block-extending twin, which
// is out of use while the item has no key.
void SetGotoShortCuts(TMenuItem& item, TMenuItem& twin, Byte code, Word key) {
  static constexpr unsigned shifts[] = {ssCtrl, ssAlt, ssCtrl | ssAlt};
  twin.Enabled = true;
  if (code == 0) {
    item.ShortCut = TShortCut{0};
    twin.ShortCut = TShortCut{0};
    twin.Enabled = false;
  } else if (code <= std::size(shifts)) {
    item.ShortCut = ShortCut(key, shifts[code - 1]);
    twin.ShortCut = ShortCut(key, shifts[code - 1] | ssShift);
  }
}

// The clipboard buttons' hints name the keys the layout gives them.
void ShowClipboardKeyHints(bool ctrlKeys) {
  const auto hint = [](const char* name, const char* text) {
    if (TOfficeButton* b = MainForm->ToolBar().Button(name)) b->Hint = text;
  };
  hint("CutBtn", ctrlKeys ? "Cut|Quick Key: <CTRL+X>" : "Cut|Quick Key: <SHIFT+DEL>");
  hint("CopyBtn", ctrlKeys ? "Copy|Quick Key: <CTRL+C>" : "Copy|Quick Key: <CTRL+INS>");
  hint("PasteBtn", ctrlKeys ? "Paste|Quick Key: <CTRL+V>" : "Paste|Quick Key: <SHIFT+INS>");
  hint("IndexCardBtn", ctrlKeys ? "Index Card View|View as Index Card Mode" : "Index Card View|Quick Key: <CTRL+V>");
}

}  // namespace

void ApplyKeyboardLayout(const TProgramOptions& o) {
  if (MainForm == nullptr || MainForm->MenuItem("CutItem") == nullptr) return;
  const auto item = [](const char* name) -> TMenuItem& { return *MainForm->MenuItem(name); };
  item("CutItem").ShortCut = o.CtrlKeyCutPaste ? ShortCut('X', ssCtrl) : ShortCut(VK_DELETE, ssShift);
  item("CopyItem").ShortCut = o.CtrlKeyCutPaste ? ShortCut('C', ssCtrl) : ShortCut(VK_INSERT, ssCtrl);
  item("PasteItem").ShortCut = o.CtrlKeyCutPaste ? ShortCut('V', ssCtrl) : ShortCut(VK_INSERT, ssShift);
  item("IndexCardItem").ShortCut = o.CtrlKeyCutPaste ? TShortCut{0} : ShortCut('V', ssCtrl);
  ShowClipboardKeyHints(o.CtrlKeyCutPaste);
  SetDeleteKeyShortCut(item("DeleteWordItem"), o.DeleteWordKeys);
  SetDeleteKeyShortCut(item("DeleteLeftWordItem"), o.DeleteLeftWordKeys);
  SetDeleteKeyShortCut(item("DeleteToEolItem"), o.DeleteToEolKeys);
  SetGotoShortCuts(item("GotoTopItem"), item("AltGotoTopItem"), o.GotoTopKeys, VK_HOME);
  SetGotoShortCuts(item("GotoBottomItem"), item("AltGotoBottomItem"), o.GotoBottomKeys, VK_END);
}

}  // namespace qm
