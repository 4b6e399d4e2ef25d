#include "shell/backup_on_close.h"

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/program_identity.h"
#include "base/program_options.h"
#include "base/prompt_table.h"
#include "files/disk_utils.h"
#include "files/progress_dialog.h"
#include "files/safe_save.h"
#include "files/save_as.h"
#include "platform/files.h"
#include "script/script_window.h"

namespace qm {

namespace {

bool OnRemovableVolume(const std::string& fileName) { return DriveOf(fileName).Kind == DriveKind::Removable; }

bool SavedThroughJob(const std::string& target) {
  TProgressDlg& progress = ProgressDlg();
  progress.FileFormatCode = 0;
  return progress.Execute(target, false, false);
}

// The copy in the script folder, under the script's name with the script
// extension. A copy there already is replaced only when the writer says
// so; otherwise Save As proposes its name, and the script keeps its own
// name should that come to nothing.
bool SavedOnHardDrive(TMDIChild& script) {
  const std::string title = script.ScriptFileName;
  const std::string target = JoinPath(ScriptDirectory, ChangeFileExt(ExtractFileName(title), "." + ScriptExtension));
  if (!FileExists(target) ||
      AskYesNo("Overwrite the copy of this file that is already on the hard drive?", PromptTable(31), false))
    return SavedThroughJob(target);
  script.SetScriptCaption(target);
  if (ShowSaveAsDialog(target)) return true;
  script.SetScriptCaption(title);
  return false;
}

TCloseCopies CopyToHardDrive(TMDIChild& script) {
  if (!AskYesNo("Should I also save this script onto the Hard Drive?", PromptTable(8), true) ||
      SavedOnHardDrive(script))
    return TCloseCopies::Close;
  return AskYesNo("Unable to Save to Hard Drive!\r\rExit Anyway?", "", false) ? TCloseCopies::Close
                                                                              : TCloseCopies::StayOpen;
}

// The script's file as last saved rather than the text in the window:
// changes the writer chose not to save stay out of the backup.
bool SavedFileCopiedTo(const std::string& scriptFile, const std::string& target) {
  std::string why;
  const auto bytes = ReadFileBytes(scriptFile, &why);
  if (!bytes) {
    ShowFileError("reading " + PathToText(scriptFile), why);
    return false;
  }
  const TDrive volume = DriveOf(target);
  const TSaveOutcome outcome = SaveWithBackup(target, {}, *bytes, false, ModeFor(scriptFile));
  if (!outcome.ok) ShowFileError("writing " + PathToText(target), WriteFailureOn(volume, outcome.cause));
  return outcome.ok;
}

// A removable drive asks for its disk first; Cancel there leaves the
// script without its backup. The backup is the file of the script that
// closes, whichever script the writer has on screen meanwhile.
bool BackedUp(TMDIChild& script) {
  const TDrive drive = DriveOf(BackupDrive);
  if (drive.Kind == DriveKind::Removable &&
      !AskOkCancel("Put a Formatted Disk In Drive " + drive.Name, "Press OK when Ready"))
    return false;
  if (!EnsureDriveReady(BackupDrive)) return false;
  const std::string target = JoinPath(DriveOf(BackupDrive).Folder,
                                      ChangeFileExt(ExtractFileName(script.ScriptFileName), "." + ScriptExtension));
  if (!SavedFileCopiedTo(script.ScriptFileName, target)) return false;
  script.ChangedSinceBackup = script.SavedSinceBackup = 0;
  return true;
}

TCloseCopies BackUpToBackupDrive(TMDIChild& script) {
  const std::string fileName = ExtractFileName(script.ScriptFileName);
  const TModalResult answer = AskYesNoCancel(
      "Backup \"" + PathToText(fileName) + "\" to Drive " + DriveOf(BackupDrive).Root + " ?", PromptTable(9), true);
  if (answer == mrCancel) return TCloseCopies::StayOpen;
  if (answer != mrYes || BackedUp(script)) return TCloseCopies::Close;
  return AskYesNo("Script was NOT backed up successfully!\r\rShould I exit Anyway?", "", false)
             ? TCloseCopies::Close
             : TCloseCopies::StayOpen;
}

}  // namespace

TCloseCopies CopyBeforeClosing(TMDIChild& script) {
  if (script.Editable && OnRemovableVolume(script.ScriptFileName)) return CopyToHardDrive(script);
  if (FloppyBackup && script.SavedSinceBackup) return BackUpToBackupDrive(script);
  return TCloseCopies::Close;
}

}  // namespace qm
