#include "files/disk_utils.h"

#include <cctype>

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/program_identity.h"
#include "base/program_options.h"
#include "platform/files.h"
#include "script/script_window.h"
#include "base/document_table.h"
#include "base/global_state.h"

namespace qm {

std::string ShownFileName(const std::string& name, std::size_t longest) {
  const std::string shown = PathToText(name);
  if (shown.size() <= longest) return shown;
  return "/.../" + ExtractFileName(shown);
}

TDriveProbes DriveProbes;

namespace {

const GlobalState reset([] {
  DriveProbes.Ready = [](const std::string& path) { return DriveReady(path); };
  DriveProbes.IsCdRom = [](const std::string& path) { return DriveKindOf(path) == DriveKind::CDROM; };
});

bool HasDriveLetter(const std::string& path) {
  const bool letter = !path.empty() && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return letter && (path.size() == 1 || path[1] == ':');
}

// A bare drive letter names the drive of the root folder.
std::string MappedPath(const std::string& pathOrDrive) {
  const std::string mapped = HasDriveLetter(pathOrDrive) && pathOrDrive.size() <= 3 ? "" : MapPath(pathOrDrive);
  return mapped.empty() ? "/" : mapped;
}

std::string DriveLabel(const std::string& pathOrDrive, const std::string& mapped) {
  if (HasDriveLetter(pathOrDrive)) return std::string(1, static_cast<char>(std::toupper(pathOrDrive[0])));
  return DriveOfPath(mapped);
}

std::string NotReadyText(const std::string& pathOrDrive, const std::string& mapped) {
  if (DriveProbes.IsCdRom(mapped))
    return "That's a CD ROM Drive and you \reither have no disk in the drive, \ror a non-data disk.\r\r"
           "Please insert or replace the disk.";
  return "The Door for Drive " + DriveLabel(pathOrDrive, mapped) +
         ": is NOT closed \ror the Disk in the drive is invalid!\r\r"
         "Please close the door or replace the\rdisk and then continue.";
}

std::string InScriptFolder(const std::string& fileName) {
  const bool rooted = HasDriveLetter(fileName) || fileName.starts_with("/") || fileName.starts_with("\\");
  return MapPath(rooted ? fileName : ScriptDirectory + "/" + fileName);
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

bool EnsureDriveReady(const std::string& pathOrDrive) {
  const std::string mapped = MappedPath(pathOrDrive);
  while (!DriveProbes.Ready(mapped)) {
    if (AskAbortRetry(NotReadyText(pathOrDrive, mapped) + "\r\rShould I retry?", "Warning", true) != mrRetry)
      return false;
  }
  return true;
}

bool IsFileReadOnly(const std::string& fileName) {
  const std::string path = InScriptFolder(fileName);
  return EnsureDriveReady(path) && FileExists(path) && IsReadOnly(path);
}

bool DirectoryExistsOnDrive(const std::string& path) {
  const std::string folder = ExcludeTrailingPathDelimiter(MappedPath(path));
  if (folder == "/") return EnsureDriveReady(path);
  return DirectoryExists(folder);
}

bool ConfirmOpenAgain(const std::string& fileName) {
  int slot = 0;
  for (int n = 1; n <= DocumentCount && n <= MaxDocuments && slot == 0; ++n)
    if (Documents[static_cast<std::size_t>(n)] &&
        SameFile(Documents[static_cast<std::size_t>(n)]->ScriptFileName, fileName))
      slot = n;
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

}  // namespace qm
