// Loading and saving the program options: the fields of the main window
// (program_options.h), the globals below and the main window's state, by
// section and key of QUILLPAD.INI.
#pragma once

#include <functional>
#include <string>

#include "platform/menus.h"
#include "platform/types.h"
#include "base/program_options.h"
#include "script/model/script_model.h"

namespace qm {

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

// Writes the three recent scripts alone, at once: a cleared list must not
// come back after a crash. False, with the reason in *error, when the
// settings file refused the write.
bool SaveLastScripts(std::string* error = nullptr);

// The printer set-up command: runs the set-up dialog it is given and, when
// the user chose another printer, asks whether to keep using it instead of
// the desktop's default one and stores the answer. False when the answer
// could not be stored.
bool AskKeepSelectedPrinter(const std::function<void()>& runPrinterSetup);

// ---- Short cuts set from the options -----------------------------------------

// Menu items of the main window tagged for it get Alt + the first letter of
// their caption, or lose their short cut.
constexpr int AltKeyItemTag = 2373;
void SetAltKeyShortCuts(bool enable);
// The keys of the clipboard, deletion and go-to items as the keyboard
// layout options choose them.
void ApplyKeyboardLayout(const TProgramOptions& options);
// Codes of the deletion-key lists: 0 none, 1 Ctrl+Del, 2 Alt+Del,
// 3 Ctrl+Backspace, 4 Ctrl+Home, 5 Alt+Home, 6 Ctrl+End, 7 Alt+End. A
// higher code leaves the item as it is.
void SetDeleteKeyShortCut(TMenuItem& item, Byte code);

}  // namespace qm
