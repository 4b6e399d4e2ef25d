// The block of the active script copied or cut into another script: a new
// one, an existing one, or the script's scrap file.
#include "base/document_table.h"
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
  PumpBusy = 1;
  const bool cut = item->Tag > CutActions;
  MenuItem(cut ? "CutItem" : "CopyItem")->Click();
  switch (item->Tag % 100) {
    case NewScript: CopyToNewScript(); break;
    case ExistingScript: CopyToExistingScript(); break;
    case ScrapScript: CopyToScrapScript(); break;
    default: break;
  }
  PumpBusy = 0;
  RefreshAfterChange();
}

// The new script is closed only once it is saved: a block cut from its
// script would otherwise be lost with it.
void TMainForm::CopyToNewScript() {
  FileNewItem->Click();
  MenuItem("PasteItem")->Click();
  FileSaveAsItem->Click();
  TMDIChild* target = ActiveScript();
  if (!target || target->DocumentModified || target->ScriptFileName.find("NONAME") != std::string::npos) return;
  CloseFileItem->Click();
}

void TMainForm::CopyToExistingScript() {
  const std::string before = ActiveScript()->ScriptFileName;
  FileOpenItemClick(FileOpenItem);
  if (NoActiveDocument() || ActiveScript()->ScriptFileName == before) return;
  PasteAtScriptEnd();
  FileSaveItem->Click();
  ExitBtnClick(nullptr);
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
  FocusActiveScript();
}

}  // namespace qm
