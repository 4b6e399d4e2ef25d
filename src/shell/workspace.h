// The workspace: the open scripts and their windows' places, kept in
// [WorkSpace] of the settings file when the program ends with scripts
// open, and opened again at the next start when the writer chose that.
#pragma once

namespace qm {

class TMDIChild;

// Records every open script that has a name of its own, `front` last (so
// that it is the active one again after the restore; the active script
// when none is given); nothing when the section was written since it was
// last erased.
void SaveWorkSpace(const TMDIChild* front = nullptr);
// Opens the recorded scripts again in their places, then erases the section.
void RestoreWorkSpace();
void ClearWorkSpace();

// The workspace an Exit keeps for the next start, while the Exit runs:
// erased as it begins, then written once, as the first script closes,
// after that script's questions (a name given at its save is in it), with
// the script the writer had in front last. A settings file that cannot
// take it is said, with the file and why, and the scripts close all the
// same.
class TExitWorkSpace {
 public:
  explicit TExitWorkSpace(const TMDIChild* front);
  ~TExitWorkSpace();
  TExitWorkSpace(const TExitWorkSpace&) = delete;
  TExitWorkSpace& operator=(const TExitWorkSpace&) = delete;
};
// A script's window is about to go: an Exit's workspace is written now
// when it is still due.
void RecordWorkSpaceAsScriptCloses();

}  // namespace qm
