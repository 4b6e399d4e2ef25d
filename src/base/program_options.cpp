#include "base/program_options.h"

#include "base/global_state.h"

namespace qm {

Word AutosaveInterval;
bool MouseMenu;
std::string ScriptExtension;
bool AllowPageBreakAtElipses;
bool FloppyBackup;
std::string BackupDrive;
bool ProprietaryFormatOnly;
Byte PrintDirection;
bool BracketDialogueNumbers;
Byte SpeechNumberFlag;
bool DisplayPageBreakType;
bool AllCapNames;
bool JokeyPrompts;
bool UseWinColors;
TScreenColors ScreenColors;

namespace {

TProgramOptions fallback;
TProgramOptions* current;

const GlobalState reset([] {
  fallback = TProgramOptions{};
  fallback.ZoomSize = 100;
  current = nullptr;
  AutosaveInterval = 15;
  MouseMenu = true;
  ScriptExtension = "QMW";
  AllowPageBreakAtElipses = false;
  FloppyBackup = true;
  BackupDrive = "A";
  ProprietaryFormatOnly = false;
  PrintDirection = 0;
  BracketDialogueNumbers = true;
  SpeechNumberFlag = 1;
  DisplayPageBreakType = true;
  AllCapNames = false;
  JokeyPrompts = true;
  UseWinColors = true;
  ScreenColors = {};
});

}  // namespace

TProgramOptions& ProgramOptions() { return current ? *current : fallback; }

void UseProgramOptions(TProgramOptions* options) { current = options; }

}  // namespace qm
