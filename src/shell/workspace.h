// The workspace: the open scripts and their windows' places, kept in
// [WorkSpace] of the settings file when the program ends with scripts
// open, and opened again at the next start when the writer chose that.
#pragma once

namespace qm {

// Records every open script that has a name of its own; nothing when the
// section was written since it was last erased.
void SaveWorkSpace();
// Opens the recorded scripts again in their places, then erases the section.
void RestoreWorkSpace();
void ClearWorkSpace();

}  // namespace qm
