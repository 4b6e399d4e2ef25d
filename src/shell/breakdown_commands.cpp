// The Breakdowns commands of the Production menu.
#include "base/document_table.h"
#include "breakdown/associate_items.h"
#include "breakdown/tagging.h"
#include "language/confused_words.h"
#include "language/duplicate_names.h"
#include "script/editing/editor_calls.h"
#include "script/layout/char_widths.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"

namespace qm {

namespace {

// The check mark, the caption and the measuring follow the mode.
void ShowTaggingMode(TMainForm& form) {
  TMenuItem* item = form.MenuItem("TaggingModeItem");
  item->Checked = TaggingModeOn();
  LayoutProgramOptions.FillOutBreakdowns = item->Checked;
  form.Caption = item->Checked ? "Breakdown Tagging Mode" : "Quillmaster for Windows";
  if (TMDIChild* script = ActiveScript()) editor::RedisplayScreen(*script);
}

// Tagging commands enter the mode first; false when the user declined.
bool EnsureTaggingMode(TMainForm& form) {
  if (TaggingModeOn()) return true;
  const bool entered = EnterTaggingMode(ActiveScript());
  ShowTaggingMode(form);
  return entered;
}

}  // namespace

void TMainForm::TaggingModeItemClick(TObject*) {
  if (NoActiveDocument()) return;
  if (TaggingModeOn()) LeaveTaggingMode();
  else EnterTaggingMode(ActiveScript());
  ShowTaggingMode(*this);
  FocusActiveScript();
}

void TMainForm::TagGloballyItemClick(TObject*) {
  TMDIChild* script = EditableActiveScript();
  if (!script || !EnsureTaggingMode(*this)) return;
  TagItemGloballyDialog(*script, SelectedItemText(*script));
  FocusActiveScript();
}

void TMainForm::UntagAllItemClick(TObject*) {
  TMDIChild* script = EditableActiveScript();
  if (!script) return;
  RemoveAllTaggingCodes(*script);
  FocusActiveScript();
}

void TMainForm::AssociateItemClick(TObject* sender) {
  if (!EditableActiveScript()) return;
  const auto* item = dynamic_cast<TComponent*>(sender);
  ShowAssociateItems(item && item->Name == "AssociateLocationsItem");
  FocusActiveScript();
}

void TMainForm::DuplicateNamesItemClick(TObject* sender) {
  if (!EditableActiveScript()) return;
  const auto* item = dynamic_cast<TComponent*>(sender);
  ShowDuplicateNames(item && item->Name == "DuplicateLocationsItem");
  FocusActiveScript();
}

void TMainForm::CheckHomonymsItemClick(TObject*) {
  if (!EditableActiveScript()) return;
  ShowConfusedWordsCheck();
  FocusActiveScript();
}

}  // namespace qm
