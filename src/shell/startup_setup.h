// The set-up that runs while the program starts: settings, clipboard
// formats, the printer and the main window's place, then the first script.
#pragma once

#include "platform/types.h"

namespace qm {

// The registered numbers of the program's own clipboard formats.
extern UINT NativeClipboardFormat;    // "Quillmaster Text"
extern UINT RtfClipboardFormat;       // "Rich Text Format"
extern UINT StoryDevClipboardFormat;  // "StoryDev Exchange"
// Set when [Program] "Lock Options" or [Override] "Freeze INI" holds.
extern bool AdministratorLock;

// False when the settings could not be loaded: start-up then ends.
bool SetupApplication();
// Shows the main window once the set-up has run.
void FinishStartup();

}  // namespace qm
