#include "shell/abnormal_exit.h"

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/program_identity.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "shell/main_form.h"

namespace qm {

bool CheckAbnormalExit() {
  bool retrieved = false;
  TIniFile ini(SettingsFileName);
  const bool exitedNormally = ini.ReadBool("Pending", "Exited Normally", true);
  if (!exitedNormally && !FindFiles(ScriptDirectory, "*.TMB").empty()) {
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
