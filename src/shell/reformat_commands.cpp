// Reset Cheated > Element: the element at the caret takes the margins,
// spacing and type style of its kind again; > Script: every element takes
// the whole format of its kind.
#include "script/editing/document_modified.h"
#include "script/editing/reformat.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"

namespace qm {

void TMainForm::ResetElementItemClick(TObject*) {
  TMDIChild* script = EditableActiveScript();
  if (!script) return;
  SaveUndoStep(ukInsert, false, true, 0);
  TDefaultFormatParts parts;
  parts.margins = true;
  parts.spacing = true;
  parts.fontAndStyle = true;
  ApplyDefaultFormat(*script, parts);
  SetDocumentModified(true, true);
  script->StartPaginateTimer(script->LayoutDue | 1);
  RebuildScreen(script);
  script->RedisplayScreen(true);
  FocusActiveScript();
  StatusLineDue = 1;
}

void TMainForm::ResetScriptItemClick(TObject*) {
  TMDIChild* script = EditableActiveScript();
  if (!script) return;
  SaveUndoStep(ukWholeScript, true, true, 0);
  ReformatScript(*script);
  SetDocumentModified(true, false);
  for (TScriptElement* e = script->FirstElement; e; e = e->next)
    if (e->group) e->group->stale = 1;
  script->StartPaginateTimer(script->LayoutDue | 1);
  FocusActiveScript();
  StatusLineDue = 1;
}

}  // namespace qm
