// The production lists and writer's tools of the menus: character lists
// under the headings, rundown sheets and set lists, the script analysis
// and the scrambled copy.
#include "base/document_table.h"
#include "breakdown/character_lists.h"
#include "breakdown/gibberish.h"
#include "breakdown/rundown_sheets.h"
#include "breakdown/set_lists.h"
#include "files/rtf_writer.h"
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

// The set list reaches the clipboard as RTF through the file writers.
void TMainForm::RundownSheetItemClick(TObject*) {
  if (!EditableActiveScript()) return;
  SetListHooks.RichTextAsRtf = &SetListAsRtf;
  GenerateRundownSheets(false);
  FocusActiveScript();
}

void TMainForm::PrintSetListItemClick(TObject*) {
  if (!EditableActiveScript()) return;
  SetListHooks.RichTextAsRtf = &SetListAsRtf;
  GenerateRundownSheets(true);
  FocusActiveScript();
}

}  // namespace qm
