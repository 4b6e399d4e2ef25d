// The form of the page "Setup Backup Drive".
#include "platform/dialog_builder.h"
#include "shell/backup_drive.h"

namespace qm {

namespace {

using enum TDialogItemKind;

}  // namespace

TSetupBackupDriveDlg::TSetupBackupDriveDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogFormClient(*this, "SetupBackupDriveDlg", "Setup Backup Drive", 416, 218);
  BuildDialog(
      *this,
      TDialogTable{
          {Label, "PromptLabel", "Select a Drive for all automatic (non-timed) backups to be saved to:", {8, 12, 0, 0}},
      });
  BackupDriveBox = MakeControl<TFESDriveComboBox>(this, this, "BackupDriveBox", 8, 34, 400, 22);
  TDialogTable t = {
      {Label,
       "NoteLabel",
       "We HIGHLY recomend that you ONLY select a removable drive such as a floppy disk for your backup drive as "
       "otherwise it is not an effective backup!",
       {8, 70, 400, 60}},
      {CheckBox, "NoPromptBox", "Don't Prompt for Automatic Backups", {8, 140, 400, 19}},
  };
  for (TDialogItem& row : ButtonRow(sbOK | sbCancel, {230, 182, 80, 25}, 90)) t.push_back(row);
  BuildDialog(*this, t);
  auto* note = DialogControl<TLabel>(*this, "NoteLabel");
  note->AutoSize = false;
  note->WordWrap = true;
  note->SetBounds(8, 70, 400, 60);
  NoPromptBox = DialogControl<TCheckBox>(*this, "NoPromptBox");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  OKBtn->ModalResult = mrNone;
  OKBtn->OnClick = [this](TObject*) {
    if (TakeChoice()) ModalResult = mrOk;
  };
}

}  // namespace qm
