// Choosing the backup drive.
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "base/prompt_table.h"
#include "files/disk_utils.h"
#include "platform/files.h"
#include "shell/backup_drive.h"

namespace qm {

namespace {

constexpr const char* ChoiceName = "BackupDriveChoice";

// The options dialog's copy of the choice, made with the dialog's first
// use of it and gone with the dialog.
class TBackupChoiceHolder : public TComponent {
 public:
  explicit TBackupChoiceHolder(TComponent* owner) : TComponent(owner) {
    Name = ChoiceName;
    Choice = {FloppyBackup, BackupDrive};
  }
  TBackupChoice Choice;
};

TBackupChoiceHolder* HolderOf(const TForm& dialog) {
  return dynamic_cast<TBackupChoiceHolder*>(dialog.FindComponent(ChoiceName));
}

}  // namespace

void TSetupBackupDriveDlg::StartWith(const TBackupChoice& choice) {
  Choice = choice;
  NoPromptBox->SetChecked(!choice.Prompt);
  BackupDriveBox->ReadDrives();
  const std::string mounted = DriveOf(choice.Drive).Mounted ? DriveOf(choice.Drive).Folder : std::string();
  BackupDriveBox->SetItemIndex(mounted.empty() ? -1 : BackupDriveBox->Items.IndexOf(PathToText(mounted)));
}

bool TSetupBackupDriveDlg::TakeChoice() {
  const bool prompt = !NoPromptBox->Checked();
  const std::string chosen = BackupDriveBox->Drive();
  if (prompt && !chosen.empty()) {
    const DriveKind kind = DriveOf(chosen).Kind;
    if (kind == DriveKind::CDROM) {
      ShowMessageBox("You cannot select a CDROM Drive as your backup drive as it's a read-only drive!",
                     PromptTable(14));
      return false;
    }
    if (kind == DriveKind::RamDisk) {
      ShowMessageBox("You cannot select a RAM DISK as your backup drive as it's not a real drive!", PromptTable(14));
      return false;
    }
    if (kind != DriveKind::Removable &&
        !AskTypeYes("Are you ABSOLUTELY SURE that you wish to designate a non-removable drive as your backup drive?  "
                    "This will mean that all backups of the script will be subject to the same potential problems "
                    "as the rest of this computer!",
                    "Warning"))
      return false;
  }
  if (!prompt && Choice.Prompt &&
      !AskTypeYes("Are you ABSOLUTELY SURE that you don't want to be prompted to make a backup when you save/exit "
                  "any script?\r\rChoosing YES will mean that should your hard disk crash, you'll be much less likely "
                  "to have a current back-up!",
                  "Warning"))
    return false;
  // With no drive chosen (the one kept is not mounted) the drive stays.
  Choice = {prompt, chosen.empty() ? Choice.Drive : chosen};
  return true;
}

bool SetupBackupDrive(TBackupChoice& choice) {
  TSetupBackupDriveDlg dialog(nullptr);
  dialog.StartWith(choice);
  if (dialog.ShowModal() != mrOk) return false;
  choice = dialog.Choice;
  return true;
}

void SetupBackupDriveClick(TForm& optionsDialog) {
  TBackupChoiceHolder* holder = HolderOf(optionsDialog);
  if (!holder) holder = new TBackupChoiceHolder(&optionsDialog);
  SetupBackupDrive(holder->Choice);
}

void StoreBackupDriveChoice(const TForm& optionsDialog) {
  const TBackupChoiceHolder* holder = HolderOf(optionsDialog);
  if (!holder) return;
  FloppyBackup = holder->Choice.Prompt;
  BackupDrive = holder->Choice.Drive;
}

}  // namespace qm
