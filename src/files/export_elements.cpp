#include "files/export_elements.h"

#include "script/model/act_labels.h"
#include "script/model/cue_codes.h"
#include "script/model/script_model.h"
#include "script/model/user_list_entries.h"
#include "script/script_window.h"

namespace qm {

bool IsExportedElement(const TScriptDocument& script, const TScriptElement& element) {
  const Byte kind = element.Kind();
  if (IsPageBreakKind(kind)) return false;
  return kind == ekScriptNote || !script.IsUnprintedElement(&element);
}

bool ExportsInCapitals(const TScriptElement& element) {
  return element.format.AllCaps && element.Kind() != ekCharacterName;
}

std::string ExportNumberText(const TScriptDocument& script, const TScriptElement& element) {
  return NumberedElementText(script, element);
}

std::string CueExtensionEntryText(const TScriptDocument& script, const TScriptElement& cue) {
  const Byte code = NormalCueCode(cue.split);
  if (cue.Kind() != ekCharacterName || !CueHasExtension(code)) return {};
  std::string entry = UserListEntry(script.UserLists, TUserList::Extension, CueExtensionEntry(code));
  std::erase(entry, '&');
  return entry;
}

TExportWalk::TExportWalk(TMDIChild& script, bool joinSplits)
    : script_(script), joined_(joinSplits && script.CurrentElement()), assembled_(false) {
  // A walk of the printed pages meets them as the idle pass would have
  // laid them out by now.
  if (!joinSplits) script_.LayOutWhenDue();
  if (joined_) script_.RejoinSplitElements();
  assembled_ = script_.CurrentElement() && !script_.CurrentElement()->text;
  if (assembled_) script_.Assemble();
}

TExportWalk::~TExportWalk() {
  if (joined_) script_.RefreshKeepingCursor();
  else if (assembled_) script_.DisAssemble();
}

}  // namespace qm
