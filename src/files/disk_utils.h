// Drive, folder and file checks made before reading or writing, and the
// question before a script is opened a second time. Paths in the old
// program's form (drive letters, backslashes) go through the platform's
// path mapping; a drive is the file system that holds the path.
#pragma once

#include <functional>
#include <string>

namespace qm {

// A file name as a message shows it, in the program's text: a name longer
// than `longest` characters keeps only "/.../" and its own name.
std::string ShownFileName(const std::string& name, std::size_t longest);

// How a drive is probed; tests put in drives that are not ready.
struct TDriveProbes {
  std::function<bool(const std::string& path)> Ready;
  std::function<bool(const std::string& path)> IsCdRom;
};
extern TDriveProbes DriveProbes;

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

}  // namespace qm
