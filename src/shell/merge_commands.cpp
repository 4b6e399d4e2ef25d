// Production Solutions > Merge Text into Script.
#include "base/document_table.h"
#include "files/merge_locked_text.h"
#include "script/layout/screen_rebuild.h"
#include "shell/main_form.h"

namespace qm {

void TMainForm::MergeTextintoScriptItemClick(TObject*) {
  if (NoActiveDocument()) return;
  ShowMergeLockedText();
  FocusActiveScript();
}

}  // namespace qm
