#include "story/card_view_undo.h"

#include "base/global_state.h"
#include "script/editing/editor_calls.h"
#include "script/editing/document_modified.h"

namespace qm {

namespace {

bool viewUp = false;
bool stepTaken = false;

const GlobalState reset([] { viewUp = stepTaken = false; });

}  // namespace

TCardViewUndoStep::TCardViewUndoStep() {
  viewUp = true;
  stepTaken = false;
}

TCardViewUndoStep::~TCardViewUndoStep() { viewUp = stepTaken = false; }

void SaveCardUndoStep(TMDIChild& script) {
  if (viewUp && stepTaken) return;
  editor::SaveUndoStep(script, ukWholeScript);
  stepTaken = viewUp;
}

}  // namespace qm
