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

// The item of drive A or B (its name's first letter) writes the script to
// that removable volume under the name of its file.
void TMainForm::BackupToDriveClick(TObject* sender) {
  const auto* item = dynamic_cast<const TComponent*>(sender);
  TMDIChild* script = ActiveScript();
  if (!item || item->Name.empty() || !script) return;
  const std::string drive(1, item->Name[0]);
  if (EnsureDriveReady(drive)) BackupTo(JoinPath(DriveOf(drive).Folder, ExtractFileName(script->ScriptFileName)));
  FocusActiveScript();
}

}  // namespace qm
