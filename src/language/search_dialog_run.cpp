// What the Search dialog does once closed: the search or replace it
// describes, from the caret or over the whole script.
#include "base/document_table.h"
#include "language/character_names.h"
#include "language/search_dialog.h"
#include "language/search_replace.h"
#include "platform/stringlist.h"
#include "script/editing/goto_commands.h"
#include "script/editing/editor_calls.h"
#include "script/script_window.h"

namespace qm {

namespace {

void FillBox(TComboBox& box, const std::vector<std::string>& history, bool withDontReplace) {
  box.Items.Clear();
  if (withDontReplace) box.Items.Add(DontReplaceText);
  for (const std::string& entry : history) box.Items.Add(entry);
}

TReplaceOptions OptionsOf(const TSearchingDlg& dialog) {
  TReplaceOptions o;
  o.wholeWords = dialog.WholeWordsBox->Checked();
  o.backwards = dialog.BackwardsBox->Checked();
  o.exactCase = dialog.ExactCaseBox->Checked();
  o.prompt = dialog.PromptBox->Checked() && dialog.PromptBox->Enabled();
  o.matchCaps = dialog.MatchCapsBox->Checked();
  return o;
}

// The whole script: from its first element, or backwards from the end of
// its last.
void StartAtScriptEnd(TMDIChild& script, bool backwards) {
  if (!backwards) {
    editor::MoveCaretTo(script, *script.FirstElement);
    return;
  }
  editor::MoveCaretTo(script, *script.LastElement);
  editor::SetCaretColumn(script, script.EditBuffer().size());
}

// Locks the options of a rename: whole names over the whole script (cues,
// headings, action and speech alike), capitals as the name's; it asks no
// questions unless the writer wants them (a name that is also a word).
void PresetNameMode(TSearchingDlg& dialog) {
  dialog.WholeWordsBox->SetChecked(true);
  dialog.EntireScriptBtn->SetChecked(true);
  dialog.PromptBox->SetChecked(false);
  dialog.MatchCapsBox->SetChecked(true);
  dialog.ExactCaseBox->SetChecked(false);
  dialog.BackwardsBox->SetChecked(false);
  for (TWinControl* c :
       std::initializer_list<TWinControl*>{dialog.WholeWordsBox, dialog.MatchCapsBox, dialog.ExactCaseBox})
    c->Enabled = false;
  dialog.ReplaceText->Text = "";
  if (dialog.SearchText->Items.Count() > 0) dialog.SearchText->SetItemIndex(0);
}

}  // namespace

bool TSearchingDlg::Execute() {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  TSearchMemory& memory = SearchMemory();
  if (!nameMode_) {
    ReplaceText->Enabled = script->Editable != 0;
    FillBox(*SearchText, memory.searchHistory, false);
    FillBox(*ReplaceText, memory.replaceHistory, true);
    if (!memory.searchHistory.empty()) SearchText->Text = memory.searchHistory.back();
    const bool offerReplacement = Replacing && script->Editable && !memory.replaceHistory.empty();
    ReplaceText->Text = offerReplacement ? memory.replaceHistory.back() : (Replacing ? "" : DontReplaceText);
  }
  ReplaceTextChange(nullptr);
  if (ShowModal() != mrOk) return false;

  const std::string text = SearchText->Text();
  const std::string replacement = ReplaceText->Enabled() ? ReplaceText->Text() : DontReplaceText;
  const TReplaceOptions options = OptionsOf(*this);
  InitSearchPosition(*script);
  const bool replacing = replacement != DontReplaceText;
  if (!nameMode_) {
    RememberInHistory(memory.searchHistory, text);
    if (replacing) RememberInHistory(memory.replaceHistory, replacement);
    memory.lastSearch = text;
    memory.lastReplace = replacement;
    memory.options = options;
    memory.lastKind = replacing ? skReplace : skSearch;
    RepeatSearch.armed = false;
  }
  if (EntireScriptBtn->Checked()) StartAtScriptEnd(*script, options.backwards);
  if (replacing) SearchReplaceOrTag(*script, text, replacement, options);
  else SearchScript(*script, text, options);
  if (nameMode_) BuildCharacterNameTable();
  return true;
}

void ShowSearchDialog(bool replace) {
  if (NoActiveDocument()) return;
  TSearchingDlg dialog(Application, false);
  dialog.Replacing = replace;
  dialog.Execute();
}

void ChangeCharacterName() {
  if (NoActiveDocument()) return;
  TSearchingDlg dialog(Application, true);
  if (!CollectCharacterNames(0, true, false, dialog.SearchText->Items, false)) return;
  PresetNameMode(dialog);
  dialog.Execute();
}

}  // namespace qm
