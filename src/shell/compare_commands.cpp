// Help > Compare Two Scripts: the script opened first is the original, the
// other the revised draft; the result opens as a new script.
#include "base/document_table.h"
#include "base/message_boxes.h"
#include "files/imported_script.h"
#include "formats/compare_scripts.h"
#include "script/editing/document_modified.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"

namespace qm {

void TMainForm::ComparedScriptsItemClick(TObject*) {
  if (NoActiveDocument()) return;
  if (DocumentCount != 2 || !Documents[1] || !Documents[2]) {
    ShowMessageBox("Open the two drafts to compare, and no other script, before comparing them.", "Attention");
    return;
  }
  // Each draft is read with the pages of its own layout, the one behind too.
  Documents[1]->LayOutWhenDue();
  Documents[2]->LayOutWhenDue();
  const TComparison comparison = CompareScriptItems(CompareItemsOf(*Documents[1]), CompareItemsOf(*Documents[2]));
  const int before = DocumentCount;
  FileNewItemClick(this);
  TMDIChild* result = ActiveScript();
  if (DocumentCount == before || !result) return;
  TImportedElements elements;
  for (const TComparedElement& e : comparison.elements) {
    TImportedElement imported;
    imported.kind = e.kind;
    imported.text = e.text;
    elements.push_back(imported);
  }
  ReplaceScriptElements(*result, elements);
  MarkComparedNames(*result, comparison);
  LayOutLoadedScript(*result);
  result->RefreshLayout();
  RebuildScreen(result);
  result->RedisplayScreen(true);
  SetDocumentModified(true, false);
  ShowMessageBox(ComparisonSummary(comparison), "Compare Two Scripts");
  FocusActiveScript();
}

}  // namespace qm
