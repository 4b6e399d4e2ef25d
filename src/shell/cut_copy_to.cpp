// The block of the active script copied or cut into another script: a new
// one, an existing one, or the script's scrap file.
#include <algorithm>

#include "base/document_table.h"
#include "base/scoped_state.h"
#include "files/undo_ring.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "script/editing/editor_calls.h"
#include "script/layout/editor_state.h"
#include "script/editing/message_pump.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"

namespace qm {

namespace {

// What each item does, by its number: copy (88..) or cut (99..) to a new
// script (..01), an existing one (..02) or the scrap file (..03).
constexpr int CutActions = 9900;
enum TTarget { NewScript = 1, ExistingScript = 2, ScrapScript = 3 };

// A script the command closed goes at once rather than after the command:
// its going clears the undo ring unless the ring is still kept.
void FreeClosedScript(TMDIChild* script) {
  if (std::find(Documents.begin(), Documents.end(), script) == Documents.end()) delete script;
}

}  // namespace

std::string ScrapFileName(const std::string& scriptFileName) {
  std::string base = AnsiUpperCase(ExtractFileName(scriptFileName));
  if (const std::size_t dot = base.rfind('.'); dot != std::string::npos) base.erase(dot);
  while (!base.empty() && base.back() == ' ') base.pop_back();
  return JoinPath(ExtractFileDir(scriptFileName), base + " - Scrap." + ScriptExtension);
}

void TMainForm::PasteAtScriptEnd() {
  TMDIChild& target = *ActiveScript();
  InteractiveEdit = 0;
  editor::MoveCaretToScriptEnd(target);
  MenuItem("PasteItem")->Click();
}

void TMainForm::CutCopyToClick(TObject* sender) {
  const auto* item = dynamic_cast<const TMenuItem*>(sender);
  if (!item || NoActiveDocument() || !ActiveScript()->BlockOn()) return;
  // Busy however the command ends, an error the event loop catches too.
  const ScopedState<Byte> busy(PumpBusy, 1);
  TMDIChild* const source = ActiveScript();
  const bool cut = item->Tag > CutActions;
  MenuItem(cut ? "CutItem" : "CopyItem")->Click();
  {
    // The cut is a step of its own script; the other script's windows
    // coming and going, and the paste into it, must not clear or add to
    // the ring.
    const ScopedState<Byte> suspended(UndoSuspended, 1);
    switch (item->Tag % 100) {
      case NewScript: CopyToNewScript(); break;
      case ExistingScript: CopyToExistingScript(); break;
      case ScrapScript: CopyToScrapScript(); break;
      default: break;
    }
    // The writer goes on in the script the block came from: in front and
    // active again, whichever window the other script's going left there,
    // before the ring may clear. The copy joined the pieces of elements
    // split at a page break: the pages are broken again before the writer
    // sees the script.
    MakeShownScriptActive(source);
    source->LayOutWhenDue();
    RefreshAfterChange();
  }
}

// Saved or not, the new script is closed: a copied block is still in its
// script, a cut one on the clipboard and one Undo away.
void TMainForm::CopyToNewScript() {
  const TMDIChild* source = ActiveScript();
  FileNewItem->Click();
  TMDIChild* target = ActiveScript();
  // No new script (too many open): the paste would land in the source.
  if (!target || target == source) return;
  MenuItem("PasteItem")->Click();
  FileSaveAsItem->Click();
  if (ActiveScript() != target) return;
  target->DocumentModified = 0;
  CloseFileItem->Click();
  FreeClosedScript(target);
}

void TMainForm::CopyToExistingScript() {
  const std::string before = ActiveScript()->ScriptFileName;
  FileOpenItemClick(FileOpenItem);
  if (NoActiveDocument() || ActiveScript()->ScriptFileName == before) return;
  TMDIChild* target = ActiveScript();
  PasteAtScriptEnd();
  FileSaveItem->Click();
  ExitBtnClick(nullptr);
  FreeClosedScript(target);
}

void TMainForm::CopyToScrapScript() {
  const Byte source = ActiveDocument;
  const std::string scrap = ScrapFileName(ActiveScript()->ScriptFileName);
  int target = 0;
  for (int slot = 1; slot <= DocumentCount; ++slot)
    if (AnsiUpperCase(Documents[slot]->ScriptFileName).find(AnsiUpperCase(ExtractFileName(scrap))) != std::string::npos)
      target = slot;
  if (target != 0) ActiveDocument = static_cast<Byte>(target);
  else if (!(FileExists(scrap) ? OpenScriptByName(scrap) : NewDocument(scrap))) return;
  PasteAtScriptEnd();
  ActiveDocument = source;
}

}  // namespace qm
