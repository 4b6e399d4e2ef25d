// The Spell menu's commands: the spell-check passes and word count, the
// ignore list, the script's supplementary dictionary and its language.
#include "base/document_table.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "language/spelling/language_dialog.h"
#include "language/spelling/spell_dictionaries.h"
#include "language/spelling/spell_engine.h"
#include "language/spelling/spell_pass.h"
#include "platform/menus.h"
#include "platform/office_button.h"
#include "script/layout/screen_rebuild.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/tool_bar.h"

namespace qm {
namespace {

// The item (or the tool-bar button) that gave the command names its mode.
char SpellModeOf(const TObject* sender) {
  const auto* component = dynamic_cast<const TComponent*>(sender);
  const std::string name = component ? component->Name : std::string();
  if (name == "SpellWordItem") return smWord;
  if (name == "SpellElementItem") return smElement;
  if (name == "SpellPageItem") return smPage;
  if (name == "SpellScriptItem") return smScript;
  if (name == "CountWordsItem") return smCount;
  return smForwards;
}

}  // namespace

void TMainForm::SpellCheckItemClick(TObject* sender) {
  const char mode = SpellModeOf(sender);
  // Counting changes nothing, so a script open for reading is counted too.
  if (mode == smCount ? NoActiveDocument() : EditableActiveScript() == nullptr) return;
  RunSpellCommand(mode);
  UpdateMenusAndButtons();
  FocusActiveScript();
}

// The real-time check and its corrections rest until the item is chosen
// again; the item is checked meanwhile.
void TMainForm::PauseAutocorrectionItemClick(TObject*) {
  SetAutoCorrectionPaused(!AutoCorrectionPaused());
  const bool paused = AutoCorrectionPaused();
  MenuItem("PauseAutocorrectionItem")->Checked = paused;
  if (TOfficeButton* button = ToolBar().Button("PauseSpellBtn")) {
    button->SetDown(paused);
    button->Hint = paused ? "Resume Auto-Correction|Resumes the Real-Time Spell Checking and Auto-Typo Correction"
                          : "Pause Auto-Correction|Pauses the Real-Time Spell Checking and Auto-Typo Correction";
  }
}

void TMainForm::ClearIgnoreListitemClick(TObject*) {
  if (!SpellEngineOpen()) return;
  ClearIgnoreList();
  ShowMessageBox("Ignore List has been Cleared.", PromptTable(0));
}

void TMainForm::ChangeSupplementaryDictionary1Click(TObject*) {
  if (EditableActiveScript() == nullptr) return;
  ChangeScriptDictionary();
  FocusActiveScript();
}

void TMainForm::SelectLanguage1Click(TObject*) {
  if (EditableActiveScript() == nullptr) return;
  ShowSelectLanguageDlg();
  FocusActiveScript();
}

void TMainForm::EditUserDictionary1Click(TObject*) { RunDictionaryEditor(); }

}  // namespace qm
