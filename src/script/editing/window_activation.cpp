#include "script/editing/window_activation.h"

#include "base/document_table.h"
#include "base/global_state.h"
#include "script/layout/revision_colors.h"
#include "script/layout/screen_rebuild.h"
#include "script/editing/document_modified.h"
#include "script/layout/editor_state.h"
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
  // Each step belongs to its script; the first change in a script made
  // active opens a step of its own.
  if (ActiveDocument != lastActivatedSlot) {
    LastUndoKind = ukWholeScript;
    lastActivatedSlot = ActiveDocument;
  }
  if (ActivationHooks.ScriptActivated) ActivationHooks.ScriptActivated(window);
  if (!window.CurrentElement() || ActiveScript() != &window) return;
  SetupRevisionColorDisplay(window);
  RebuildScreen(&window);
  window.Invalidate();
}

}  // namespace qm
