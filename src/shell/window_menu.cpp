// The File and Window menu commands of the open-document table.
#include "platform/files.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/app_messages.h"
#include "shell/documents.h"
#include "base/ini_file.h"
#include "shell/main_form.h"
#include "shell/program_settings.h"
#include "base/program_busy.h"
#include "shell/workspace.h"

namespace qm {

namespace {

// Every open script window, slot by slot.
template <class Action>
void ForEachScript(Action action) {
  for (int slot = 1; slot <= DocumentCount; ++slot)
    if (Documents[slot]) action(*Documents[slot]);
}

}  // namespace

void TMainForm::FileNewItemClick(TObject*) {
  ProgramBusyScope busy;
  HideFileList();
  NewDocument(ScriptDirectory + "/NONAME" + std::to_string(DocumentCount + 1) + "." + ScriptExtension);
  FocusActiveScript();
}

void TMainForm::CloseFileItemClick(TObject*) {
  if (NoActiveDocument()) return;
  ClearWorkSpace();
  CloseActiveScript(true);
}

void TMainForm::WindowTileItemClick(TObject* sender) {
  if (NoActiveDocument()) return;
  ForEachScript([](TMDIChild& w) { w.WindowState = TWindowState::wsNormal; });
  if (sender == WindowTileItem) Tile();
  else Cascade();
  UpdateCaret();
}

void TMainForm::WindowArrangeItemClick(TObject*) { ArrangeIcons(); }

void TMainForm::WindowMinimizeItemClick(TObject*) {
  for (int i = MDIChildCount() - 1; i >= 0; --i) {
    TForm* child = MDIChildren(i);
    child->WindowState = TWindowState::wsMinimized;
    child->Repaint();
  }
}

// As with the window's own maximise button, every script window follows,
// so that whichever the writer switches to shows maximised; the active
// one last.
void TMainForm::MaximizeWindowItemClick(TObject*) {
  if (NoActiveDocument()) return;
  TMDIChild* active = ActiveScript();
  ForEachScript([active](TMDIChild& w) {
    if (&w != active) w.WindowState = TWindowState::wsMaximized;
  });
  active->WindowState = TWindowState::wsMaximized;
  FocusActiveScript();
}

void TMainForm::UpdateWindowList() {
  WindowListBar->Visible = DocumentCount > 0;
  for (int slot = 1; slot <= 9; ++slot) {
    TMenuItem* item = DocItems[slot - 1];
    const bool open = slot <= DocumentCount && Documents[slot];
    item->Visible = open;
    item->Checked = open && slot == ActiveDocument;
    if (open) item->Caption = "&" + std::to_string(slot) + " " + Documents[slot]->ScriptFileName;
  }
  // The caption says which mode the program is in (tagging mode).
  TitleBarText = TitleBarTextFor(Caption());
}

void TMainForm::SwitchDocumentItem(TObject* sender) {
  const auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item || item->Tag > DocumentCount || item->Tag < 1) return;
  const bool minimized = Documents[item->Tag]->WindowState == TWindowState::wsMinimized;
  if (item->Tag == ActiveDocument && !minimized) return;
  BringScriptForward(item->Tag);
}

void TMainForm::BringScriptForward(int slot, bool keepIcon) {
  TMDIChild* target = Documents[slot];
  ActiveDocument = static_cast<Byte>(slot);
  if (target->WindowState == TWindowState::wsMinimized && !keepIcon) target->WindowState = TWindowState::wsMaximized;
  // Brought to the front on the desktop too, not only made active.
  target->SetFocus();
  target->FormActivate(target);
  RebuildScreen(target);
  target->Invalidate();
  // Named by the title at once, also while a command keeps the idle
  // refresh away (Exit asking about each script).
  UpdateWindowList();
}

void TMainForm::CloseScriptWindow(TMDIChild& script) {
  const int slot = SlotOf(&script);
  if (slot == 0 || script.Closing) return;
  if (slot != ActiveDocument || ActiveMDIChild() != &script) BringScriptForward(slot, true);
  CloseFileItem->Click();
}

// A command that made each script active in turn (Exit) and kept some
// open: the script the writer had in front is the active one again, or the
// one the desktop put in front when that one closed.
void TMainForm::MakeShownScriptActive(const TMDIChild* shown) {
  int slot = SlotOf(shown);
  if (slot == 0) slot = SlotOf(dynamic_cast<const TMDIChild*>(ActiveMDIChild()));
  if (slot == 0) slot = ActiveDocument;
  if (slot >= 1 && slot <= DocumentCount) BringScriptForward(slot);
}

}  // namespace qm
