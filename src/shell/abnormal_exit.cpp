#include "shell/abnormal_exit.h"

#include "base/document_table.h"
#include "base/ini_file.h"
#include "files/native_file.h"
#include "base/message_boxes.h"
#include "base/program_identity.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "shell/main_form.h"

namespace qm {

namespace {

// Timed backups to retrieve: a .TMB, or the complete version a stopped
// first backup of a slot left beside its name.
bool TimedBackupsLeft() {
  if (!FindFiles(ScriptDirectory, "*.TMB").empty()) return true;
  for (int slot = 1; slot <= MaxDocuments; ++slot)
    if (StoppedSaveToOffer(ScriptDirectory + "/SAVE" + std::to_string(slot) + ".TMB")) return true;
  return false;
}

}  // namespace

bool CheckAbnormalExit() {
  bool retrieved = false;
  TIniFile ini(SettingsFileName);
  const bool exitedNormally = ini.ReadBool("Pending", "Exited Normally", true);
  if (!exitedNormally && TimedBackupsLeft()) {
    Application->OnIdle = nullptr;
    MessageBeep(0);
    if (AskYesNo("Quillmaster for Windows was exited Abnormally!\r\rDo you want to retrieve any of the timed Backups?",
                 "", true)) {
      retrieved = true;
      MainForm->FileOpenItemClick(nullptr);
    }
  }
  try {
    ini.WriteBool("Pending", "Exited Normally", false);
  } catch (const EIniFileError&) {
  }
  Application->OnIdle = [](TObject* s, bool& done) { MainForm->AppIdle(s, done); };
  Application->OnActivate = [](TObject* s) { MainForm->BackFromSomewhere(s); };
  for (int i = 0; i < MainForm->MainMenu->Items()->Count(); ++i) MainForm->MainMenu->Items()->Items(i)->Enabled = true;
  return retrieved;
}

}  // namespace qm
