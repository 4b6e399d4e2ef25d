// The main window's storyboard link commands, and what the storyboard
// program's requests and the script window's link marks need of it.
#include "script/editing/click_hooks.h"
#include "script/editing/script_hooks.h"
#include "script/script_window.h"
#include "shell/app_messages.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "story/storyboard_link_form.h"
#include "story/storyboard_links.h"
#include "story/storyboard_protocol.h"

namespace qm {

void TMainForm::InstallStoryboardHooks() {
  ProcessStoryboardMessage = [](const TMsg& msg) { story::ProcessStoryboardMessage(msg); };
  story::StoryboardHooks.OpenScript = [](const std::string& path) { return OpenScriptByName(path); };
  story::StoryboardHooks.ActivateSlot = [this](int slot) {
    if (slot >= 1 && slot <= 9) SwitchDocumentItem(DocItems[slot - 1]);
  };
  ScriptClickHooks.LinkHintAt = [](TMDIChild& script, int x, int y) {
    return script.StoryboardLinks.Count() >= 2 && story::ShowStoryboardLinkHint(script, x, y);
  };
  ScriptClickHooks.OpenLinkAt = [](TMDIChild& script, int x, int y) {
    if (script.StoryboardLinks.Count() < 2 || !story::ShowStoryboardLinkHint(script, x, y)) return false;
    story::OpenStoryboardLink();
    return true;
  };
  ScriptWindowHooks.ElementMade = [](TMDIChild& script, TScriptElement& element) {
    story::InheritStoryboardLink(script, element);
  };
}

void TMainForm::StoryBoardLinkClick(TObject* sender) {
  if (!EditableActiveScript()) return;
  if (sender == MenuItem("NewFrameItem")) story::CreateLinkedFrame();
  else if (sender == MenuItem("AssignFrameItem")) story::AssignStoryboardFrame();
  else if (sender == MenuItem("ClearFrameLinksItem")) story::DeleteStoryboardLinksInBlock();
}

void TMainForm::HideSBLinksItemClick(TObject*) {
  TMDIChild* script = ActiveScript();
  if (script) story::ToggleStoryboardLinkMarks();
  ShowStoryboardLinksTicks(script && script->HideStoryboardLinks);
}

}  // namespace qm
