// The File menu's Hide Elements on Screen and Show Format Codes, and the
// check marks that follow the active script's own settings.
#include "base/document_table.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "platform/menus.h"
#include "platform/messages.h"
#include "script/editing/hidden_elements.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/screen_colors_dialog.h"

namespace qm {

namespace {

void RefuseOnlyHidden() {
  MessageBeep(0);
  ShowMessageBox("You cannot have only hidden elements in the script!", PromptTable(12));
}

// The kinds a Hide item takes; the Unhide item shows them all.
std::uint32_t KindsOfItem(const std::string& name) {
  if (name == "HideActionItem") return ActionKinds;
  if (name == "HideDialogueItem") return SpeechKinds;
  if (name == "HideScenesItem") return SceneHeadingKinds;
  return ActionKinds | SpeechKinds | SceneHeadingKinds;
}

}  // namespace

void TMainForm::HideElementListClick(TObject* sender) {
  TMDIChild* script = ScriptForCommand();
  if (!script) return;
  const std::string name = SenderName(sender);
  const std::uint32_t kinds = KindsOfItem(name);
  const bool hide = name != "UnhideElementsItem" && (script->HiddenKinds & kinds) != kinds;
  if (!SetKindsHidden(*script, kinds, hide)) RefuseOnlyHidden();
  ShowScriptChecks();
  FocusActiveScript();
}

void TMainForm::HideNotesItemClick(TObject* sender) {
  TMDIChild* script = ScriptForCommand();
  if (!script) return;
  if (const std::string name = SenderName(sender); name == "HideNotesExceptItem" || name == "UnhideNotesExceptItem") {
    SelectNotesToHide(name == "HideNotesExceptItem");
    ShowScriptChecks();
    FocusActiveScript();
    return;
  }
  if (!SetKindsHidden(*script, ScriptNoteKinds, SenderName(sender) == "HideAllNotesItem")) RefuseOnlyHidden();
  ShowScriptChecks();
  FocusActiveScript();
}

void TMainForm::HideNonPrintingTextItemClick(TObject* sender) {
  TMDIChild* script = EditableActiveScript();
  if (!script) return;
  if (!SetNonPrintingHidden(*script, SenderName(sender) == "HideNonPrintingItem")) RefuseOnlyHidden();
  FocusActiveScript();
}

void TMainForm::DisplayCodesItemClick(TObject*) {
  TMDIChild* script = ScriptForCommand();
  if (!script) return;
  script->LayoutOptions.ShowCodes = script->LayoutOptions.ShowCodes ? 0 : 1;
  RebuildScreen(script);
  script->RedisplayScreen(true);
  ShowScriptChecks();
  FocusActiveScript();
}

void TMainForm::ShowScriptChecks() {
  TMDIChild* script = ScriptForCommand();
  const std::uint32_t hidden = script ? script->HiddenKinds : 0;
  const auto hides = [hidden](std::uint32_t kinds) { return (hidden & kinds) == kinds; };
  MenuItem("HideActionItem")->Checked = hides(ActionKinds);
  MenuItem("HideDialogueItem")->Checked = hides(SpeechKinds);
  MenuItem("HideScenesItem")->Checked = hides(SceneHeadingKinds);
  MenuItem("HideAllNotesItem")->Checked = hides(ScriptNoteKinds);
  MenuItem("DisplayCodesItem")->Checked = script && script->LayoutOptions.ShowCodes;
  MenuItem("AutoRevMarksItem")->Checked = script && script->RevisionMarking;
  const TScriptElement* e = script ? script->CurrentElement() : nullptr;
  const Byte own = e ? e->state : Byte{esNormal};
  const Byte group = e && e->group && e->group->first ? e->group->first->state : Byte{esNormal};
  const auto keeps = [](Byte state) { return state == esKeepGroup || state == esKeepFollowing; };
  MenuItem("KeepElementTogetherItem")->Checked = keeps(own);
  MenuItem("KeepGroupTogetherItem")->Checked = keeps(group);
  MenuItem("KeepWithFollowingItem")->Checked = own == esKeepFollowing || group == esKeepFollowing;
}

}  // namespace qm
