// The File menu's backups to a removable volume.
#include "base/document_table.h"
#include "base/program_options.h"
#include "files/disk_utils.h"
#include "files/progress_dialog.h"
#include "platform/files.h"
#include "script/editing/document_modified.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/main_form.h"

namespace qm {

// The backup is a copy: the script keeps its name and, when its own file
// lacks changes still, its modified state, so that closing asks to save;
// its own file holds no more than it did.
bool TMainForm::BackupTo(const std::string& target) {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  const bool modified = script->DocumentModified != 0;
  const Byte savedSinceBackup = script->SavedSinceBackup;
  TProgressDlg& progress = ProgressDlg();
  progress.FileFormatCode = 0;
  const bool saved = progress.Execute(target, false, false);
  script->SavedSinceBackup = savedSinceBackup;
  if (modified && !NoActiveDocument()) SetDocumentModified(true, false);
  script->Invalidate();
  return saved;
}

namespace {

// The volume of a drive letter is the backup drive's, however either is named.
bool IsBackupDrive(const std::string& drive) {
  const std::string folder = DriveOf(drive).Folder;
  return !folder.empty() && folder == DriveOf(BackupDrive).Folder;
}

}  // namespace

// The item of drive A or B (its name's first letter) writes the script to
// that removable volume under the name of its file. On the backup drive
// it is the backup the close would offer: the drive then lacks nothing of
// the script.
void TMainForm::BackupToDriveClick(TObject* sender) {
  const auto* item = dynamic_cast<const TComponent*>(sender);
  TMDIChild* script = ActiveScript();
  if (!item || item->Name.empty() || !script) return;
  const std::string drive(1, item->Name[0]);
  if (EnsureDriveReady(drive) && BackupTo(JoinPath(DriveOf(drive).Folder, ExtractFileName(script->ScriptFileName))) &&
      IsBackupDrive(drive))
    script->ChangedSinceBackup = script->SavedSinceBackup = 0;
  FocusActiveScript();
}

}  // namespace qm
