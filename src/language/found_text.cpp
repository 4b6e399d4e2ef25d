#include "language/found_text.h"

#include "script/editing/editor_calls.h"
#include "script/editing/hidden_text.h"
#include "script/model/script_model.h"
#include "script/script_window.h"

namespace qm {

void ShowFoundElement(TScriptElement& element) {
  if (element.state == esHidden) ShowHiddenElement(element);
}

void MarkFoundText(TMDIChild& script, TScriptElement& element, int start, int end) {
  editor::MarkBlock(script, element, start, element, end);
  script.FoundMarkerLeft = script.FoundMarkerRight = 1;
}

void ClearFoundText(TMDIChild& script) {
  if (script.FoundMarkerLeft) editor::ClearBlock(script, true);
  script.FoundMarkerLeft = script.FoundMarkerRight = 0;
}

}  // namespace qm
