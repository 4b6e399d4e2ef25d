#include "breakdown/tagging.h"

#include "base/global_state.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "breakdown/categories.h"
#include "breakdown/category_setup.h"
#include "breakdown/tag_item_dialog.h"
#include "breakdown/tagging_codes_dialog.h"
#include "breakdown/tags.h"
#include "language/search_replace.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/layout/char_widths.h"
#include "script/model/script_record.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"

namespace qm {

namespace {

bool ModeOn = false;
// The script the mode was entered for; only compared, never followed.
const TScriptDocument* ModeScript = nullptr;
GlobalState ModeReset([] {
  ModeOn = false;
  ModeScript = nullptr;
});

// Action, Shot and Script Note: where items are tagged all over the script.
constexpr std::uint32_t GlobalTagKinds = (1u << ekAction) | (1u << ekShot) | (1u << ekScriptNote);

bool SelectsText(const TScriptElement& e) {
  return (e.blockStart >= 0 && e.blockStart != e.blockEnd) || e.blockStart > 0 || e.blockEnd > 0;
}

}  // namespace

const char* const TagCodesQuestion = "Are all the blue letters squares or other non-letter codes?";

std::string TagCodeLetters() {
  // The codes below 32 are no letters in any alphabet: not shown.
  static constexpr Byte Shown[] = {127, 128, 129, 134, 135, 137, 141, 142, 143, 144, 157, 158, 170, 168, 175, 180, 184};
  std::string letters;
  for (Byte b : Shown) {
    if (!letters.empty()) letters += ' ';
    letters += static_cast<char>(b);
  }
  return letters;
}

bool TaggingModeOn() { return ModeOn; }

bool EnterTaggingMode(TScriptDocument* script) {
  // The categories as the user left them, read each time the mode begins.
  if (!ModeOn) ReadCategorySettings();
  if (script && !script->TaggingUsed) {
    TIniFile ini = OpenSettingsFile();
    if (!ini.ReadBool("Breakdowns", "Checked Code Usage", false)) {
      if (!AskTagCodesFree(ScreenFaceName(script->ScriptFontName), script->ScriptFontSize)) return false;
      ini.WriteBool("Breakdowns", "Checked Code Usage", true);
    }
  }
  if (!ModeOn) ModeScript = script;
  ModeOn = true;
  if (script) script->TaggingUsed = 1;
  return true;
}

void LeaveTaggingMode() {
  ModeOn = false;
  ModeScript = nullptr;
}

bool TaggingModeEnteredFor(const TScriptDocument& script) { return ModeOn && ModeScript == &script; }

std::string SelectedItemText(TMDIChild& script) {
  TScriptElement* e = script.CurrentElement();
  if (!e) return {};
  const auto span = TrimTagSelection(script.EditBuffer(), e->blockStart, e->blockEnd, CodeSetOf(script));
  return span ? script.EditBuffer().substr(span->start, span->end - span->start) : std::string();
}

void TagSelectionWithCategory(TMDIChild& script, int category) {
  TScriptElement* e = script.CurrentElement();
  if (!e || e->blockStart < 0 || e->blockEnd < 0) return;
  if (e->prev && SelectsText(*e->prev)) {
    ShowMessageBox("You cannot TAG text across Elements!", "");
    return;
  }
  editor::DisAssemble(script);
  const auto span = TrimTagSelection(script.EditBuffer(), e->blockStart, e->blockEnd, CodeSetOf(script));
  editor::ClearBlock(script, true);
  if (!span) return;
  if (script.EditBuffer().size() + 2 >= static_cast<std::size_t>(EditBufferSize)) return;
  editor::SaveUndoStep(script, ukInsert);
  editor::ChangeEditText(script, [&](std::string& text) {
    editor::SetCaretColumn(script, InsertTag(text, *span, TagCodeOfCategory(category), script.CaretColumn()));
  });
  editor::RedisplayCurrent(script);
  editor::SetActiveScriptModifiedUnrevised();
}

void TagItemGlobally(TMDIChild& script, const std::string& item, int category, bool prompt) {
  TReplaceOptions options;
  options.kinds = GlobalTagKinds;
  options.tagging = true;
  options.exactCase = false;
  options.matchCaps = true;
  options.prompt = prompt;
  options.wholeWords = true;
  options.restart = false;
  const std::string tagged = static_cast<char>(TagCodeOfCategory(category)) + item + static_cast<char>(TagEnd);
  editor::Assemble(script);
  if (script.FirstElement) editor::MoveCaretTo(script, *script.FirstElement);
  InitSearchPosition(script);
  SearchReplaceOrTag(script, item, tagged, options);
  editor::RedisplayScreen(script);
}

bool RemoveAllTaggingCodes(TMDIChild& script) {
  if (!AskYesNo("Do you REALLY want to remove all breakdown tagging codes?", "", true)) return false;
  ShowPleaseWait("Removing Tagging Codes", false, false);
  editor::SaveUndoStep(script, ukWholeScript);
  bool changed = false;
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    changed |= editor::RewriteElementText(script, *e, RemoveTags);
  if (script.FirstElement) editor::MoveCaretTo(script, *script.FirstElement);
  ClosePleaseWait();
  if (changed) editor::SetActiveScriptModifiedUnrevised();
  ShowMessageBox("All Tagging Codes Removed", "");
  editor::RedisplayScreen(script);
  return true;
}

}  // namespace qm

namespace qm {

void TagItemGloballyDialog(TMDIChild& script, const std::string& selected) {
  TTagItemDlg dialog(nullptr);
  dialog.ItemEdit->Text = selected;
  dialog.OKBtn->Enabled = !selected.empty();
  while (dialog.ShowModal() == mrOk) {
    std::string item = dialog.ItemEdit->Text();
    TrimTrailingBlanks(item);
    if (item.empty()) {
      ShowMessageBox("You haven't selected any text for tagging!", "");
      continue;
    }
    const int category = dialog.CategoryGroup->ItemIndex();
    if (category < 0) {
      ShowMessageBox("You MUST select a Tagging Category", "");
      continue;
    }
    TagItemGlobally(script, item, category, dialog.PromptBox->Checked());
    return;
  }
}

}  // namespace qm
