// The script settings dialogs: element formats and options, the header,
// the page layout, A/V columns, cheating one element, and the block made
// from a range.
#include "base/document_table.h"
#include "files/format_files.h"
#include "formats/av_columns.h"
#include "formats/cheats.h"
#include "formats/header_setup.h"
#include "formats/page_layout.h"
#include "formats/select_range.h"
#include "formats/script_formats.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"

namespace qm {

void TMainForm::EditScriptFormatItemClick(TObject*) {
  bool saveAsDefaults = false;
  if (TMDIChild* script = EditableActiveScript()) {
    if (EditScriptFormats(*script, saveAsDefaults) && saveAsDefaults) SaveFormatsAsDefaults(*script);
    MenuItem("AutoRevMarksItem")->Checked = script->RevisionMarking != 0;
  }
  FocusActiveScript();
}

void TMainForm::ThisElement1Click(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) CheatElement(*script);
  FocusActiveScript();
}

void TMainForm::SceneRangeItemClick(TObject*) {
  if (TMDIChild* script = ActiveScript()) SelectSceneRange(*script);
  FocusActiveScript();
}

void TMainForm::ExtendBlockItemClick(TObject*) {
  if (TMDIChild* script = ActiveScript()) ExtendBlockSelection(*script, false, false);
  FocusActiveScript();
}

void TMainForm::HeaderSetupItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) HeaderSetup(*script);
  FocusActiveScript();
}

void TMainForm::PageLayoutItemClick(TObject*) {
  bool saveAsDefaults = false;
  if (TMDIChild* script = EditableActiveScript())
    if (PageLayout(*script, saveAsDefaults) && saveAsDefaults) SaveFormatsAsDefaults(*script);
  FocusActiveScript();
}

void TMainForm::ColumnItemClick(TObject* sender) {
  const std::string item = SenderName(sender);
  const Byte column = item == "LeftColumnItem" ? 1 : item == "RightColumnItem" ? 2 : 0;
  if (TMDIChild* script = EditableActiveScript()) SetElementColumn(*script, column);
  FocusActiveScript();
}

void TMainForm::SetColumnMargins1Click(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) ShowAVColumnsDialog(*script);
  FocusActiveScript();
}

}  // namespace qm
