#include "script/editing/window_activation.h"

#include "base/document_table.h"
#include "base/global_state.h"
#include "script/layout/revision_colors.h"
#include "script/layout/screen_rebuild.h"
#include "script/editing/script_hooks.h"
#include "script/script_window.h"

namespace qm {

TActivationHooks ActivationHooks;

namespace {

// The slot of the script at the last activation.
int lastActivatedSlot = 0;

const GlobalState reset([] { lastActivatedSlot = 0; });

}  // namespace

void ActivateScriptWindow(TMDIChild& window) {
  if (window.Closing) return;
  window.Canvas.Brush.Color = window.BackgroundColor;
  window.SetChildNumber();
  // The ring holds one script's steps: undoing them in another script
  // would put that script's elements into this one.
  if (ActiveDocument != lastActivatedSlot) {
    if (ScriptWindowHooks.ClearUndoData) ScriptWindowHooks.ClearUndoData();
    lastActivatedSlot = ActiveDocument;
  }
  if (ActivationHooks.ScriptActivated) ActivationHooks.ScriptActivated(window);
  if (!window.CurrentElement() || ActiveScript() != &window) return;
  SetupRevisionColorDisplay(window);
  RebuildScreen(&window);
  window.Invalidate();
}

}  // namespace qm
