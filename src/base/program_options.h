// The program options: fields of the main window, loaded from and saved
// to the settings file (see program_settings.h). Each starts at the
// default its key has in an empty settings file.
#pragma once

#include <array>
#include <string>

#include "platform/types.h"

namespace qm {

// Slots 0-25 are Alt+A to Alt+Z, 26-51 Ctrl+A to Ctrl+Z; 0 is no override.
constexpr int KeyOverrideCount = 52;

struct TProgramOptions {
  // [Program Settings]
  bool UseLastDir = false;
  Byte StartupChoice = 0;  // 0 new script, 1 file list, 2 open dialog, 3 last script, 4 workspace
  Word ZoomSize = 0;       // percent; 0 until the settings are loaded
  bool AutogenerateFileNames = true;
  bool BackupPrompt = true;
  Byte PaginationDelay = 10;  // tenths of a second
  bool NoAutoPagination = false;
  bool AllowMenuToMoveMouse = false;
  bool MouseClickKillsBlock = true;
  bool StayForBlock = false;
  bool MoveToRightClick = false;
  bool SelectOnMouseUp = false;
  bool UsePowerPanel = true;
  bool ExpertPrompting = false;
  bool RightScrollByScreen = true;
  bool ControlSIsSave = false;
  bool StartAtBookmark = true;
  bool ColorAsBackground = false;

  // [Interactive]
  bool SmartArrows = true;
  bool AutoVariableInput = true;
  bool EachJumpPositionOnNewPage = false;
  bool PrintReferencePgNumbers = true;

  // [Editing Options]
  bool ShowCutPasteProgress = false;
  bool StripKnownTimesOnly = false;
  bool ShowRetrieveProgress = true;
  bool UseSmartTab = true;
  bool UseSmartTabPlus = false;
  bool UseAltKeys = false;
  bool UseUltimateAltKeys = true;
  bool UseQuickType = true;
  bool DisplayCharNameList = true;
  bool AutoAddTimeDay = true;  // missing from the file: follows UseQuickType
  bool AutoAddSceneBody = true;
  bool KeepRunningTransitions = true;  // missing from the file: follows UseQuickType
  bool KeepRunningExtensions = false;
  bool KeepRunningShots = true;  // missing from the file: follows UseQuickType
  bool HideMouse = true;
  bool PasswordProtect = false;
  bool AllowTypeover = true;
  bool AllowTextMode = true;
  // Not stored: word-processor mode, switched by "Normal WP Mode" (Ctrl+W)
  // while text mode is allowed; Tab then types blanks.
  bool WordProcessorMode = false;
  bool DragAndDropBreak = true;
  bool MouseBlocksByWords = true;
  bool MouseBlockStartWord = false;
  bool FormatKillsBlock = true;
  bool EnterToCharacterName = false;
  bool EnterInNoteIsHR = false;
  bool TabToParenth = false;
  bool SkipNameHide = true;

  // [Printing Options]
  std::string SubstituteFont = "Courier Old";  // at most 100 characters
  std::string DisplayFont = "Courier New";     // at most 100 characters
  std::string FaxModemName;                    // at most 100 characters
  Byte DarkenCourierNew = 1;                   // 0 normal to 3 darkest
  bool PrintFinalMore = false;
  bool PrintColoredText = true;
  bool AlwaysCompressQPressFiles = false;
  bool PrintEntireScenePages = false;
  bool BottomContinued = true;

  // [SmartCheck]
  bool SmartCheckAutoRun = true;
  bool SmartCheckBlankSpace = true;
  bool SmartCheckBlankElement = true;
  bool SmartCheckNoDialogue = true;
  bool SmartCheckSecondName = true;
  bool SmartCheckRequireMatchedExtensions = false;
  bool SmartCheckBeepOnError = true;
  bool SmartCheckIgnoreBlanksWithRevisionMark = true;
  bool SmartCheckFindWidowedOmitteds = true;

  // [Display Settings]
  bool DisplayHeaders = true;

  // [Spelling]
  Word DefaultLanguage = 1;
  std::string SentenceSpacing = "  ";  // the blanks after a sentence, at most 9
  bool RealTimeSpellCheck = true;
  bool RealTimeAutocorrect = true;
  Byte AutocorrectMaxLength = 25;
  bool CorrectMistakes = true;
  bool AllowSwearsInThesaurus = false;
  bool NameCapitalization = false;
  bool SentenceCapitalization = true;
  bool RightParenthsIsSentenceEnd = false;
  bool CapitalizeAfterShots = false;
  bool AutoSentenceSpacing = true;
  bool PromptOnMultiples = true;
  bool BeepOnUnknown = true;
  bool NonRealTimeCorrection = true;
  bool IgnoreCaps = true;

  // [Revision Options]
  bool PrintAfterThreshold = true;
  bool UseRevisionThreshold = true;
  bool UsePlainAsterisk = false;
  bool AsteriskNewAPages = false;
  bool PutAsteriskOnLineUnderHeader = false;
  bool MarkAllCuts = true;
  Byte RevisionThreshold = 15;
  bool CombineOmittedPages = true;
  bool AutoUpdateHeaders = true;
  bool ShowColoredPages = true;
  bool CountAPageContinued = true;

  // [KeyBoard Layout]
  Byte GotoTopKeys = 3;         // 0..3
  Byte GotoBottomKeys = 3;      // 0..3
  Byte DeleteWordKeys = 1;      // 0..7
  Byte DeleteLeftWordKeys = 3;  // 0..7
  Byte DeleteToEolKeys = 6;     // 0..7
  bool CtrlKeyCutPaste = false;

  // [Override Keys]
  std::array<Word, KeyOverrideCount> KeyOverrideTable{};
};

}  // namespace qm

namespace qm {

// Program-wide options kept outside the main window, loaded and saved with
// the rest (shell/program_settings.h).

extern Word AutosaveInterval;         // [Program Settings] "Autosave Interval", minutes
extern bool MouseMenu;                // [Program Settings] "Mouse Menu"
extern std::string ScriptExtension;   // [Program Settings] "Script Extension", without the dot
extern bool AllowPageBreakAtElipses;  // [Program Settings] "Allow Page Break At Elipses"
extern bool FloppyBackup;             // [Save/Retrieve] "Floppy Backup"
extern std::string BackupDrive;       // [Save/Retrieve] "Backup Drive": a mount folder, or A or B
extern bool ProprietaryFormatOnly;    // [Editing Options] "Proprietary Format Only"
extern Byte PrintDirection;           // [Printing Options] "Print Direction"
extern bool BracketDialogueNumbers;   // [Animation Options] "Bracket Dia Numbering"
extern Byte SpeechNumberFlag;         // [Animation Options] "Speech Num Pos", lowest bit inverted
extern bool DisplayPageBreakType;     // [Display Settings] "Display Page Break Type"
extern bool AllCapNames;              // [Spelling] "All Cap Names"
extern bool JokeyPrompts;             // [Producer Help] "Offer"
extern bool UseWinColors;             // [Program Options] "Use Win Colors"

// The colours of the script windows while UseWinColors is false.
struct TScreenColors {
  TColor Window = clWindow;
  TColor Text = clWindowText;
  TColor Highlight = clHighlight;
  TColor HighlightText = clHighlightText;
  friend bool operator==(const TScreenColors&, const TScreenColors&) = default;
};
extern TScreenColors ScreenColors;

// The options of the running program: the main window's, or, before there
// is one (and in tests of single parts), a set of defaults at 100% zoom.
TProgramOptions& ProgramOptions();
// The main window gives its options while it exists, and null as it goes.
void UseProgramOptions(TProgramOptions* options);

}  // namespace qm
