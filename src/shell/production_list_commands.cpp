// The production lists and writer's tools of the menus: character lists
// under the headings, rundown sheets and set lists, the script analysis
// and the scrambled copy.
#include "base/document_table.h"
#include "breakdown/character_lists.h"
#include "breakdown/gibberish.h"
#include "breakdown/rundown_sheets.h"
#include "breakdown/script_analysis.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"

namespace qm {

void TMainForm::GenerateCListClick(TObject*) {
  if (!EditableActiveScript()) return;
  GenerateCharacterLists(true);
  FocusActiveScript();
}

void TMainForm::RemoveCListItemClick(TObject*) {
  if (!EditableActiveScript()) return;
  RemoveCharacterLists();
  FocusActiveScript();
}

void TMainForm::ScriptAnalysisItemClick(TObject*) {
  ShowScriptAnalysis();
  RefreshAfterChange();
}

// The menu item stays hidden for the rest of the run once a script was
// scrambled.
void TMainForm::GibberishItemClick(TObject*) {
  if (!EditableActiveScript()) return;
  if (ConvertToGibberish()) MenuItem("GibberishItem")->Visible = false;
  FocusActiveScript();
}

void TMainForm::RundownSheetItemClick(TObject*) {
  if (!EditableActiveScript()) return;
  GenerateRundownSheets(false);
  FocusActiveScript();
}

void TMainForm::PrintSetListItemClick(TObject*) {
  if (!EditableActiveScript()) return;
  GenerateRundownSheets(true);
  FocusActiveScript();
}

}  // namespace qm
