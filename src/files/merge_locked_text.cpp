#include "files/merge_locked_text.h"

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "script/script_window.h"

namespace qm {

bool ScriptIsSaved(int slot) {
  const TMDIChild* script = Documents[static_cast<std::size_t>(slot)];
  if (!script) return false;
  return AnsiUpperCase(script->ScriptFileName).find("NONAME") == std::string::npos && !script->DocumentModified &&
         FileExists(script->ScriptFileName);
}

void ShowMergeLockedText() {
  if (DocumentCount != 2) {
    ShowMessageBox(MergeNeedsTwoScriptsMessage, "Attention");
    return;
  }
  if (!ScriptIsSaved(1) || !ScriptIsSaved(2)) {
    ShowMessageBox(MergeNeedsSavedScriptsMessage, "Attention");
    return;
  }
  ShowMessageBox(MergeWizardMissingMessage, "Attention");
}

}  // namespace qm
