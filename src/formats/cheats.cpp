#include "formats/cheats.h"

#include "base/message_boxes.h"
#include "formats/cheat_dialogs.h"
#include "formats/draft_refresh.h"
#include "formats/element_format_controls.h"
#include "script/editing/document_modified.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr const char* NotCheatable = "Page Breaks cannot be cheated.";

}  // namespace

bool CheatElement(TMDIChild& script) {
  TScriptElement* e = script.CurrentElement;
  if (!e) return false;
  if (FormatSlotOfKind(e->Kind()) < 0) {
    ShowMessageBox(NotCheatable, "");
    return false;
  }
  TCheatElementDlg dialog(nullptr);
  LoadElementFormat(dialog, "", e->format, script.FontNameTable);
  TElementFormat format = e->format;
  for (;;) {
    if (dialog.ShowModal() != mrOk) return false;
    std::string error;
    if (StoreElementFormat(dialog, "", format, script.FontNameTable, error)) break;
    ShowMessageBox(error, "Cheat Element");
  }
  SaveUndoStep(ukInsert, false, true, 0);
  e->format = format;
  script.WrapScreenText(e, script.EditBuffer);
  RefreshAfterDraftChange(script);
  return true;
}

}  // namespace qm
