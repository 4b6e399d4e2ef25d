// Making, opening and closing script windows in the open-document table.
#pragma once

#include <string>

#include "base/document_table.h"

namespace qm {

// The names script files have (no extension, .SC? or .QMW), in the open
// dialogs and the start-up file list alike.
inline constexpr const char* ScriptFileMask = "*.;*.SC?;*.QMW";

// Creates a script window for a new or opened script and makes it active;
// false (with the message) when nine are open already.
bool NewDocument(const std::string& fileName);
// Closes the active script (the save prompt comes with the native file).
void CloseActiveScript(bool closeWindow);
// The active script when one is open and may be changed, else null.
TMDIChild* EditableActiveScript();
// Opens a script file into a window (reusing an untouched new one) and
// makes it active; false when nothing was opened. The format is told by the
// file's bytes; `hint` is the load format the writer chose (plain text is
// read as such only when asked for).
bool OpenScriptByName(std::string fileName, Byte hint = 0);
// Lays a freshly loaded script out: the current element opened for
// editing, elements without valid saved lines wrapped, the screen built.
void LayOutLoadedScript(TMDIChild& script);

}  // namespace qm
