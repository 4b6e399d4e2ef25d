// Drive, folder and file checks made before reading or writing, and the
// question before a script is opened a second time.
//
// A drive of the old program is a mounted volume here, named by the
// folder it is mounted on. The letters A and B, the floppy drives, name
// the first and the second removable volume mounted; any other letter
// names the file system's root. A path lies on the volume that holds it,
// or on one that is not mounted: a path in the desktop's place for
// plugged-in media that is not there while no volume is mounted over it,
// or a path in the backup drive's folder while no volume is. A drive that
// is not ready is a volume that is not mounted, or cannot be read.
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"

namespace qm {

// A file name as a message shows it, in the program's text: a name longer
// than `longest` characters keeps only "/.../" and its own name.
std::string ShownFileName(const std::string& name, std::size_t longest);

struct TDrive {
  std::string Folder;  // where it is (or was) mounted; empty for a letter no volume answers
  std::string Name;    // as messages name it: "A:", or the folder
  std::string Root;    // its top as messages name it: "A:\", or the folder and "/"
  DriveKind Kind = DriveKind::Unknown;
  bool Mounted = false;
};
// The drive a path, a drive letter or a mount folder names, as the table
// of mounted volumes has it now.
TDrive DriveOf(const std::string& pathOrDrive);
// The removable volumes mounted now, in the table's order.
std::vector<std::string> RemovableVolumes();
// The path as a path here: one that starts with the letter of a floppy
// drive lies on that drive's volume (empty when none is mounted).
std::string PathOnDrive(const std::string& path);

// The cause to give for a failed write to a file on `volume` (its drive
// as it was before the write): a removable volume no longer mounted was
// removed, whatever else the system said; otherwise `cause`.
std::string WriteFailureOn(const TDrive& volume, const std::string& cause);
// True once the drive of the path (or drive letter) can be read; until
// then asks whether to retry, with the CD-ROM or the drive-door message.
bool EnsureDriveReady(const std::string& pathOrDrive);
// A file that exists on a ready drive and is marked read-only; a name
// without a folder is taken in the script folder.
bool IsFileReadOnly(const std::string& fileName);
// The path (a trailing separator ignored) names a folder; a drive's root
// counts when the drive is ready.
bool DirectoryExistsOnDrive(const std::string& path);
// False when no open script window holds the file (the caller opens it)
// or when the user insists on opening it twice; otherwise true, after
// offering to go to the window that holds it.
bool ConfirmOpenAgain(const std::string& fileName);
// The slot of a script window other than the active one that holds the
// file; 0 when none does.
int OtherWindowHolding(const std::string& fileName);
// Whether the active script may take the name of the file that window
// `slot` holds: asked gravely, since two windows holding one name write
// over each other's text at their saves.
bool ConfirmSaveOverOpenScript(const std::string& fileName, int slot);

}  // namespace qm
