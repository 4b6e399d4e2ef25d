#include "story/runtime_player.h"

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "platform/files.h"
#include "platform/ipc.h"
#include "platform/process.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"

namespace qm::story {

namespace {

// The temporary save clears the modified state; playing changes nothing.
struct TModifiedState {
  explicit TModifiedState(const TMDIChild& s)
      : document(s.DocumentModified),
        sinceBackup(s.ModifiedSinceBackup),
        thisSession(s.ModifiedThisSession),
        savedSinceBackup(s.SavedSinceBackup),
        hint(s.Hint) {}
  void RestoreTo(TMDIChild& s) const {
    s.DocumentModified = document;
    s.ModifiedSinceBackup = sinceBackup;
    s.ModifiedThisSession = thisSession;
    s.SavedSinceBackup = savedSinceBackup;
    s.Hint = hint;
  }
  Byte document, sinceBackup, thisSession, savedSinceBackup;
  std::string hint;
};

}  // namespace

int CurrentElementOrdinal(const TMDIChild& script) {
  int ordinal = 1;
  for (const TScriptElement* e = script.FirstElement; e && e != script.CurrentElement(); e = e->next) ++ordinal;
  return ordinal;
}

std::vector<std::string> PlayerArguments(const std::string& tempFile, int ordinal) {
  return {tempFile, std::to_string(ordinal)};
}

std::string PlayerTempFile() { return JoinPath(RuntimeFolder(), ProcessFileName(CurrentProcess(), PlayerTempName)); }

bool IsPlayerTempName(std::string_view fileName) {
  if (fileName == PlayerTempName) return true;
  const std::optional<std::uint32_t> process = ProcessOfFileName(fileName);
  return process && fileName == ProcessFileName(*process, PlayerTempName);
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
  const std::string tempFile = PlayerTempFile();
  const TModifiedState modified(*script);
  const std::string title = script->ScriptFileName;
  const bool saved = PrepareRuntimeFolder(RuntimeFolder()) && services.SaveScript(tempFile);
  script->SetScriptCaption(title);
  if (saved) services.RunAndWait(*player, PlayerArguments(tempFile, CurrentElementOrdinal(*script)));
  DeleteFile(tempFile);
  modified.RestoreTo(*script);
  script->Invalidate();
  FocusActiveScript();
}

}  // namespace qm::story
