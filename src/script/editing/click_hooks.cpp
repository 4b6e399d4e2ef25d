#include "script/editing/click_hooks.h"

#include "base/global_state.h"
#include "script/script_window.h"

namespace qm {

TScriptClickHooks ScriptClickHooks;

namespace {
const GlobalState reset([] { ScriptClickHooks = {}; });
}

bool OnBranchMarker(const TMDIChild& script, int x) {
  const TScriptElement* e = script.CurrentElement;
  if (!script.InteractiveScript || !e || e->Kind() != ekTransition) return false;
  const int margin = e->format.LeftMargin;
  const int left = (margin - 3) * script.DotWidth + script.LeftTextOffset;
  const int right = margin * script.DotWidth + script.LeftTextOffset;
  return x >= left && x < right;
}

}  // namespace qm
