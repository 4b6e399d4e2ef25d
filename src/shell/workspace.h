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
// The open scripts recorded afresh for the next start, as Exit does
// before it closes them. A settings file that cannot take them is said,
// with the file and why, and the scripts close all the same.
void RecordWorkSpaceForNextStart();

}  // namespace qm
