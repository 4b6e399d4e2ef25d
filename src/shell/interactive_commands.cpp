// The main window's commands for interactive (branching) scripts.
#include "shell/documents.h"
#include "shell/main_form.h"
#include "story/interactive_script.h"

namespace qm {

void TMainForm::RenumberBTargetsItemClick(TObject*) {
  if (!EditableActiveScript()) return;
  story::RenumberAllJumpPositions();
}

}  // namespace qm
