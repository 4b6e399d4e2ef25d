// The Breakdowns commands of the Production menu.
#include "base/document_table.h"
#include "base/message_boxes.h"
#include "breakdown/associate_items.h"
#include "breakdown/breakdown_sheet_editor.h"
#include "breakdown/breakdowns_run_dialog.h"
#include "breakdown/category_menu.h"
#include "breakdown/category_setup.h"
#include "breakdown/sheet_layout.h"
#include "breakdown/tagging.h"
#include "platform/menus.h"
#include "language/confused_words.h"
#include "language/duplicate_names.h"
#include "script/editing/editor_calls.h"
#include "script/editing/undo_steps.h"
#include "script/layout/char_widths.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"

namespace qm {

namespace {

bool EnsureTaggingMode(TMainForm& form);

void TagWithCategory(TMainForm& form, int category) {
  TMDIChild* script = EditableActiveScript();
  if (!script || !EnsureTaggingMode(form)) return;
  TagSelectionWithCategory(*script, category);
}

TPopupMenu& SelectMenu(TMainForm& form) {
  TCategoryMenuActions actions;
  actions.Tag = [&form](int category) { TagWithCategory(form, category); };
  actions.TagGlobally = [&form] { form.TagGloballyItemClick(nullptr); };
  actions.ExitTagging = [&form] { form.MenuItem("TaggingModeItem")->Click(); };
  actions.EditCategories = [&form] { form.EditCategoriesItemClick(nullptr); };
  return CategoryMenu(form, actions);
}

// The check mark, the caption and the measuring follow the mode.
void ShowTaggingMode(TMainForm& form) {
  TMenuItem* item = form.MenuItem("TaggingModeItem");
  item->Checked = TaggingModeOn();
  LayoutProgramOptions.FillOutBreakdowns = item->Checked;
  form.Caption = item->Checked ? "Breakdown Tagging Mode" : "Quillmaster for Windows";
  form.UpdateWindowList();
  SelectMenu(form);
  if (TMDIChild* script = ActiveScript()) editor::RedisplayScreen(*script);
}

// The mode marks the script as one that holds tags: a change of the
// script that Undo gives back with the command that made it.
bool EnterTaggingModeOf(TMDIChild* script) {
  if (script && !script->TaggingUsed) editor::SaveSettingsUndoStep(*script);
  return EnterTaggingMode(script);
}

// Tagging commands enter the mode first; false when the user declined.
bool EnsureTaggingMode(TMainForm& form) {
  if (TaggingModeOn()) return true;
  const bool entered = EnterTaggingModeOf(ActiveScript());
  ShowTaggingMode(form);
  return entered;
}

}  // namespace

void TMainForm::TaggingModeItemClick(TObject*) {
  if (NoActiveDocument()) return;
  if (TaggingModeOn()) LeaveTaggingMode();
  else EnterTaggingModeOf(ActiveScript());
  ShowTaggingMode(*this);
  FocusActiveScript();
}

void TMainForm::EndTaggingMode() {
  if (!TaggingModeOn()) return;
  LeaveTaggingMode();
  ShowTaggingMode(*this);
}

void TMainForm::TagGloballyItemClick(TObject*) {
  TMDIChild* script = EditableActiveScript();
  const TSingleUndoStep oneStep;
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

void TMainForm::PopupCategoryMenu(TMDIChild& script, int x, int y) {
  const TScriptElement* e = script.CurrentElement();
  const Byte kind = e ? e->Kind() : Byte{ekAction};
  if (script.BlockOn() && IsSpeechKind(kind)) {
    ShowMessageBox("You CANNOT Tag items in Dialogue!", "");
    return;
  }
  const TPoint at = script.ClientToScreen(TPoint{x, y});
  SelectMenu(*this).Popup(at.X, at.Y);
  Application->ProcessMessages();
  if (ActiveScript() == &script) editor::ClearBlock(script, true);
}

void TMainForm::EditCategoriesItemClick(TObject*) {
  if (NoActiveDocument() || !EnsureTaggingMode(*this)) return;
  if (ShowCategorySetup()) ShowTaggingMode(*this);
  FocusActiveScript();
}

void TMainForm::BreakdownSheetsItemClick(TObject* sender) {
  const auto* item = dynamic_cast<TComponent*>(sender);
  const std::string name = item ? item->Name : std::string();
  if (name == "LayoutSheetsItem") {
    if (ShowBreakdownSheetLayout() && TaggingModeOn()) ShowTaggingMode(*this);
  } else if (name == "EditSheetsItem") {
    TMDIChild* script = EditableActiveScript();
    if (!script) return;
    ShowBreakdownSheetEditor(*script);
    ShowTaggingMode(*this);
  } else if (name == "PrintSheetsItem") {
    // The scenes and options of the sheets are chosen in the breakdowns dialog.
    if (TMDIChild* script = ActiveScript()) RunBreakdownExportOrPrint(*script, false);
  }
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
