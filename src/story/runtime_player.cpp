#include "story/runtime_player.h"

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "platform/files.h"
#include "platform/process.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"

namespace qm::story {

namespace {

// The temporary save clears the modified state; playing changes nothing.
struct TModifiedState {
  explicit TModifiedState(const TMDIChild& s)
      : document(s.DocumentModified), sinceBackup(s.ModifiedSinceBackup), thisSession(s.ModifiedThisSession),
        hint(s.Hint) {}
  void RestoreTo(TMDIChild& s) const {
    s.DocumentModified = document;
    s.ModifiedSinceBackup = sinceBackup;
    s.ModifiedThisSession = thisSession;
    s.Hint = hint;
  }
  Byte document, sinceBackup, thisSession;
  std::string hint;
};

}  // namespace

int CurrentElementOrdinal(const TMDIChild& script) {
  int ordinal = 1;
  for (const TScriptElement* e = script.FirstElement; e && e != script.CurrentElement; e = e->next) ++ordinal;
  return ordinal;
}

std::string PlayerParameters(const std::string& tempFile, int ordinal) {
  return "\"" + tempFile + "\" " + std::to_string(ordinal);
}

void PlayInteractiveScript(const TPlayerServices& services) {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  const std::optional<std::string> player = FindProgram(PlayerProgram);
  if (!player) {
    ShowMessageBox("Cannot find Run-Time Player!", PromptTable(0));
    FocusActiveScript();
    return;
  }
  // Always the one temporary name, whatever the script's own extension: the
  // player is told this name and this name is removed.
  const std::string tempFile = JoinPath(ProgramFolder(), PlayerTempName);
  const TModifiedState modified(*script);
  const std::string title = script->ScriptFileName;
  const bool saved = services.SaveScript(tempFile);
  script->SetScriptCaption(title);
  if (saved) services.RunAndWait(*player, PlayerParameters(tempFile, CurrentElementOrdinal(*script)));
  DeleteFile(tempFile);
  modified.RestoreTo(*script);
  script->Invalidate();
  FocusActiveScript();
}

}  // namespace qm::story
