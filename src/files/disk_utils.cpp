#include "files/disk_utils.h"

#include <string_view>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/program_identity.h"
#include "base/program_options.h"
#include "platform/cp1252.h"
#include "platform/file_controls.h"
#include "platform/files.h"
#include "platform/mount_table.h"
#include "script/script_window.h"

namespace qm {

std::string ShownFileName(const std::string& name, std::size_t longest) {
  const std::string shown = PathToText(name);
  if (shown.size() <= longest) return shown;
  return "/.../" + ExtractFileName(shown);
}

namespace {

// The letter of a drive the path starts with ("A", "a:", "C:\\SCRIPTS"), or 0.
char DriveLetterOf(const std::string& path) {
  if (path.empty() || (path.size() > 1 && path[1] != ':')) return 0;
  const char letter = AsciiUpper(path[0]);
  return letter >= 'A' && letter <= 'Z' ? letter : 0;
}

bool BareDrive(const std::string& path) { return DriveLetterOf(path) != 0 && path.size() <= 3; }

bool Inside(std::string_view path, std::string_view folder) {
  if (folder == "/") return path.starts_with('/');
  return path == folder || (path.starts_with(folder) && path.size() > folder.size() && path[folder.size()] == '/');
}

std::string FolderOf(const TMountEntry& mount) { return ExcludeTrailingPathDelimiter(mount.MountPoint); }

// The volume mounted last on a folder: a later mount hides the earlier.
const TMountEntry* MountedAt(const std::vector<TMountEntry>& table, const std::string& folder) {
  const TMountEntry* found = nullptr;
  for (const TMountEntry& mount : table)
    if (FolderOf(mount) == folder) found = &mount;
  return found;
}

// The volume that holds the path: the deepest one it lies inside.
const TMountEntry* Holding(const std::vector<TMountEntry>& table, const std::string& path) {
  const TMountEntry* found = nullptr;
  for (const TMountEntry& mount : table)
    if (Inside(path, FolderOf(mount)) && (!found || FolderOf(mount).size() >= FolderOf(*found).size())) found = &mount;
  return found;
}

TDrive MountedDrive(const TMountEntry* mount) {
  const std::string folder = mount ? FolderOf(*mount) : "/";
  const std::string name = PathToText(folder);
  return {folder, name, IncludeTrailingPathDelimiter(name), mount ? KindOfVolume(*mount) : DriveKind::Fixed, true};
}

TDrive MissingDrive(const std::string& folder) {
  const std::string name = PathToText(folder);
  return {folder, name, IncludeTrailingPathDelimiter(name), DriveKind::Removable, false};
}

TDrive NamedByLetter(TDrive drive, char letter) {
  drive.Name = std::string(1, letter) + ":";
  drive.Root = drive.Name + "\\";
  return drive;
}

TDrive LetterDrive(char letter, const std::vector<TMountEntry>& table) {
  if (letter != 'A' && letter != 'B') return NamedByLetter(MountedDrive(Holding(table, "/")), letter);
  const std::vector<std::string> volumes = RemovableVolumes();
  const std::size_t index = static_cast<std::size_t>(letter - 'A');
  if (index < volumes.size()) return NamedByLetter(MountedDrive(MountedAt(table, volumes[index])), letter);
  return NamedByLetter(MissingDrive(""), letter);
}

// The first folder on the way down to the path that is not there.
std::string FirstMissingFolder(const std::string& path) {
  std::string folder;
  for (std::size_t at = 1; at <= path.size(); ++at) {
    if (at < path.size() && path[at] != '/') continue;
    folder = path.substr(0, at);
    if (!DirectoryExists(folder)) break;
  }
  return folder;
}

// The desktop mounts what is plugged in under these, on a folder it makes
// for the volume and takes away again.
constexpr std::string_view MediaPlaces[] = {"/media", "/run/media"};

TDrive PathDrive(const std::string& given, const std::vector<TMountEntry>& table) {
  const std::string path = ExcludeTrailingPathDelimiter(ExpandFileName(given));
  const bool backupFolder = BackupDrive.size() > 1 && !DriveLetterOf(BackupDrive);
  const std::string backup = backupFolder ? ExcludeTrailingPathDelimiter(ExpandFileName(BackupDrive)) : "";
  if (backupFolder && backup != "/" && Inside(path, backup) && !MountedAt(table, backup)) return MissingDrive(backup);
  const TMountEntry* holder = Holding(table, path);
  const std::string held = holder ? FolderOf(*holder) : "/";
  const bool there = DirectoryExists(path) || FileExists(path);
  for (const std::string_view place : MediaPlaces) {
    const bool inPlace = Inside(path, place) && path != place;
    if (inPlace && !there && !(Inside(held, place) && held != place)) return MissingDrive(FirstMissingFolder(path));
  }
  return MountedDrive(holder);
}

bool DriveReadable(const TDrive& drive) {
  return drive.Mounted && DirectoryExists(drive.Folder) && DriveReady(drive.Folder);
}

std::string NotReadyText(const TDrive& drive) {
  if (drive.Kind == DriveKind::CDROM)
    return "That's a CD ROM Drive and you \reither have no disk in the drive, \ror a non-data disk.\r\r"
           "Please insert or replace the disk.";
  return "The Door for Drive " + drive.Name +
         " is NOT closed \ror the Disk in the drive is invalid!\r\r"
         "Please close the door or replace the\rdisk and then continue.";
}

bool Rooted(const std::string& fileName) { return DriveLetterOf(fileName) || fileName.starts_with("/"); }

std::string InScriptFolder(const std::string& fileName) {
  return Rooted(fileName) ? fileName : ScriptDirectory + "/" + fileName;
}

bool SameFile(const std::string& a, const std::string& b) {
  return !a.empty() && ExpandFileName(MapPath(a)) == ExpandFileName(MapPath(b));
}

void GoToWindow(int slot) {
  TMDIChild* window = Documents[static_cast<std::size_t>(slot)];
  SetActiveSlotOf(window);
  window->Show();
  window->SetFocus();
}

}  // namespace

std::vector<std::string> RemovableVolumes() {
  const std::vector<TMountEntry> table = MountTable();
  std::vector<std::string> removable;
  for (const std::string& folder : VolumeFolders(table)) {
    const TMountEntry* mount = MountedAt(table, folder);
    if (mount && KindOfVolume(*mount) == DriveKind::Removable) removable.push_back(folder);
  }
  return removable;
}

TDrive DriveOf(const std::string& pathOrDrive) {
  const std::vector<TMountEntry> table = MountTable();
  const char letter = DriveLetterOf(pathOrDrive);
  if (letter == 'A' || letter == 'B' || BareDrive(pathOrDrive)) return LetterDrive(letter, table);
  return PathDrive(PathOnDrive(pathOrDrive), table);
}

std::string PathOnDrive(const std::string& path) {
  const char letter = DriveLetterOf(path);
  if (letter != 'A' && letter != 'B') return MapPath(path);
  const std::string volume = LetterDrive(letter, MountTable()).Folder;
  const std::size_t rest = path.find_first_not_of("\\/", 2);
  if (volume.empty() || rest == std::string::npos || path.size() <= 2) return volume;
  return MapPath(JoinPath(volume, path.substr(rest)));
}

std::string WriteFailureOn(const TDrive& volume, const std::string& cause) {
  if (volume.Kind != DriveKind::Removable || !volume.Mounted) return cause;
  const TDrive now = DriveOf(volume.Folder);
  if (now.Mounted && now.Folder == volume.Folder) return cause;
  return "The volume " + PathToText(volume.Name) + " was removed during the write";
}

bool EnsureDriveReady(const std::string& pathOrDrive) {
  for (TDrive drive = DriveOf(pathOrDrive); !DriveReadable(drive); drive = DriveOf(pathOrDrive)) {
    if (AskAbortRetry(NotReadyText(drive) + "\r\rShould I retry?", "Warning", true) != mrRetry) return false;
  }
  return true;
}

bool IsFileReadOnly(const std::string& fileName) {
  const std::string named = InScriptFolder(fileName);
  if (!EnsureDriveReady(named)) return false;
  const std::string path = PathOnDrive(named);
  return FileExists(path) && IsReadOnly(path);
}

bool DirectoryExistsOnDrive(const std::string& path) {
  const std::string folder = ExcludeTrailingPathDelimiter(PathOnDrive(path));
  if (BareDrive(path) || (!folder.empty() && folder == DriveOf(path).Folder)) return EnsureDriveReady(path);
  return !folder.empty() && DirectoryExists(folder);
}

namespace {

// The first slot but `except` whose script window holds the file; 0 for none.
int SlotHolding(const std::string& fileName, int except) {
  for (int n = 1; n <= DocumentCount && n <= MaxDocuments; ++n)
    if (n != except && Documents[static_cast<std::size_t>(n)] &&
        SameFile(Documents[static_cast<std::size_t>(n)]->ScriptFileName, fileName))
      return n;
  return 0;
}

}  // namespace

bool ConfirmOpenAgain(const std::string& fileName) {
  const int slot = SlotHolding(fileName, 0);
  if (slot == 0) return false;
  const std::string window = "Window #" + std::to_string(slot);
  const std::string shown = PathToText(fileName);
  if (AskTypeYes("The script " + shown + " is already open in " + window +
                     " and opening it twice can cause you great confusion and possible loss of editing "
                     "changes if you save them both!\r\rShould I REALLY open this script twice?",
                 ""))
    return false;
  if (slot != ActiveDocument && AskYesNo("Go to the open script " + shown + " in " + window + "?", "", true))
    GoToWindow(slot);
  return true;
}

int OtherWindowHolding(const std::string& fileName) { return SlotHolding(fileName, ActiveDocument); }

bool ConfirmSaveOverOpenScript(const std::string& fileName, int slot) {
  return AskTypeYes("The script " + PathToText(fileName) + " is already open in Window #" + std::to_string(slot) +
                        " and saving this script under its name can cause you great confusion and possible loss "
                        "of editing changes if you save them both!\r\rShould I REALLY save this script under the "
                        "same name?",
                    "");
}

}  // namespace qm
