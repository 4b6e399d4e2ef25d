// The backup drive: the volume every automatic (non-timed) backup goes to,
// and whether closing a changed script offers one. Chosen on the page
// "Setup Backup Drive" of the program options; the options dialog holds the
// choice until its OK.
#pragma once

#include <string>

#include "platform/controls.h"
#include "platform/file_controls.h"
#include "platform/forms.h"

namespace qm {

struct TBackupChoice {
  bool Prompt = true;  // closing a changed script offers its backup
  std::string Drive;   // a mount folder, or the letter A or B (BackupDrive)
};

class TSetupBackupDriveDlg : public TForm {
 public:
  explicit TSetupBackupDriveDlg(TComponent* owner);
  TFESDriveComboBox* BackupDriveBox = nullptr;
  TCheckBox* NoPromptBox = nullptr;
  TButton* OKBtn = nullptr;
  // Shows the choice: its drive chosen in the list while that is mounted.
  void StartWith(const TBackupChoice& choice);
  // What OK took.
  TBackupChoice Choice;

 private:
  // OK: a CD-ROM and a RAM disk are refused while backups are offered; a
  // drive that is not removable, and offering none, are confirmed.
  bool TakeChoice();
};

// Runs the page on `choice`; true, with the choice changed, on OK.
bool SetupBackupDrive(TBackupChoice& choice);

// The options dialog's button runs the page on the dialog's own copy of
// the choice (taken from the options when first needed); its OK stores
// that copy in the options.
void SetupBackupDriveClick(TForm& optionsDialog);
void StoreBackupDriveChoice(const TForm& optionsDialog);

}  // namespace qm
