// Loading and saving the program options: the fields of the main window
// (program_options.h), the globals below and the main window's state, by
// section and key of QUILLPAD.INI.
#pragma once

#include <functional>
#include <string>

#include "platform/menus.h"
#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

// ---- Program-wide options --------------------------------------------------

extern Word AutosaveInterval;          // [Program Settings] "Autosave Interval", minutes
extern bool MouseMenu;                 // [Program Settings] "Mouse Menu"
extern std::string ScriptExtension;    // [Program Settings] "Script Extension", without the dot
extern bool AllowPageBreakAtElipses;   // [Program Settings] "Allow Page Break At Elipses"
extern bool FloppyBackup;              // [Save/Retrieve] "Floppy Backup"
extern char BackupDrive;               // [Save/Retrieve] "Backup Drive"
extern bool ProprietaryFormatOnly;     // [Editing Options] "Proprietary Format Only"
extern Byte PrintDirection;            // [Printing Options] "Print Direction"
extern bool BracketDialogueNumbers;    // [Animation Options] "Bracket Dia Numbering"
extern Byte SpeechNumberFlag;          // [Animation Options] "Speech Num Pos", lowest bit inverted
extern bool DisplayPageBreakType;      // [Display Settings] "Display Page Break Type"
extern bool AllCapNames;               // [Spelling] "All Cap Names"
extern bool JokeyPrompts;              // [Producer Help] "Offer"
extern bool UseWinColors;              // [Program Options] "Use Win Colors"

// The colours of the script windows while UseWinColors is false.
struct TScreenColors {
  TColor Window = clWindow;
  TColor Text = clWindowText;
  TColor Highlight = clHighlight;
  TColor HighlightText = clHighlightText;
  friend bool operator==(const TScreenColors&, const TScreenColors&) = default;
};
extern TScreenColors ScreenColors;

// The formats of automatic and forced page-break elements, set at start-up.
extern TElementFormat AutoPageBreakFormat;
extern TElementFormat ForcedPageBreakFormat;

// Shows the script-directory dialog once: true when the user chose a
// folder (ScriptDirectory then names it), false when the user cancelled.
// The dialog's module sets it; while it is unset, a missing script folder
// ends the loading of the settings.
extern std::function<bool()> ScriptDirectoryDialog;

// ---- Loading and saving ------------------------------------------------------

// Reads every option into MainForm and the globals, in a fixed order, and
// applies it. Reload is false at start-up, which also sets the page-break
// formats, clears a temporary file left behind, works out the program and
// script folders and reads the backup drive and the recent scripts; after
// the configuration wizard, Reload is true and those are skipped.
// False when there is no main window, or when no usable script folder was
// found: the disk for a removable folder was not inserted, or the
// script-directory dialog was cancelled. Start-up then ends; the options
// not yet read keep their values.
bool LoadProgramSettings(bool reload);

// Writes the options back. Writes nothing before they were loaded (zoom 0)
// or while there is no main window. False, with the reason in *error, when
// the settings file refused a write; it never throws, so that shut-down
// can go on.
bool SaveProgramSettings(std::string* error = nullptr);

// The printer set-up command: runs the set-up dialog it is given and, when
// the user chose another printer, asks whether to keep using it instead of
// the desktop's default one and stores the answer. False when the answer
// could not be stored.
bool AskKeepSelectedPrinter(const std::function<void()>& runPrinterSetup);

// The undo ring's number of levels: 0 while undo is switched off, else
// [Program Settings] "Max Undo Levels" kept within the ring's slots.
constexpr int MaxUndoLevels = 20;
Byte ReadUndoLevels();

// ---- Short cuts set from the options -----------------------------------------

// Menu items of the main window tagged for it get Alt + the first letter of
// their caption, or lose their short cut.
constexpr int AltKeyItemTag = 2373;
void SetAltKeyShortCuts(bool enable);
// Codes of the deletion-key lists: 0 none, 1 Ctrl+Del, 2 Alt+Del,
// 3 Ctrl+Backspace, 4 Ctrl+Home, 5 Alt+Home, 6 Ctrl+End, 7 Alt+End. A
// higher code leaves the item as it is.
void SetDeleteKeyShortCut(TMenuItem& item, Byte code);

}  // namespace qm
